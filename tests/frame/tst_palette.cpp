// SPDX-License-Identifier: MIT
// The frame under the application's palette and at a high pixel density:
// on a dark palette the rows' texts, links and gray texts are painted in
// that palette's colors, as the rendered pixels show; at a device pixel
// ratio of 2 the control's images are drawn from their SVGs at that
// density.
#include "DarkPalette.h"
#include "FrameFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QPainter>
#include <QStyleFactory>
#include <QSvgRenderer>
#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

namespace {

using demo::darkPalette;

int distance(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
}

/// The painted color of slice `slice` of a row: of the pixels where the
/// slice lies, the one farthest from the background.
QColor inkOf(TFrameFixture &f, const QString &row, int slice, QColor background)
{
    const QRect cell = f.tree->nodeRect(f.at(row), 0);
    const QImage image = f.tree->viewport()->grab().toImage();
    QColor ink;
    for (int x = cell.left(); x <= cell.right(); ++x) {
        if (f.tree->hitTest(QPoint(x, cell.center().y())).SliceIndex != slice)
            continue;
        for (int y = cell.center().y() - 5; y <= cell.center().y() + 5; ++y) {
            const QColor pixel = image.pixelColor(x, y);
            if (!ink.isValid() || distance(pixel, background) > distance(ink, background))
                ink = pixel;
        }
    }
    return ink;
}

} // namespace

class TestPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }

    // Rows c (checked: link), d (checked and unchecked again: gray link) and
    // e (checked, failed link).
    void rowsPaintInThePaletteColors_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("slice");
        QTest::addColumn<QColor>("expected");
        const QPalette p = darkPalette();
        QTest::newRow("caption") << "c" << 2 << p.color(QPalette::Text);
        QTest::newRow("link of a checked row") << "c" << 3 << p.color(QPalette::Link);
        QTest::newRow("link of an unchecked row") << "d" << 3 << p.color(QPalette::Disabled, QPalette::Text);
        // The failed link's red is one made readable on dark backgrounds.
        QTest::newRow("failed link") << "e" << 3 << QColor(0xff, 0x6b, 0x6b);
        // No color of its own: the box stands out from the base.
        QTest::newRow("check box of an unchecked row") << "d" << 0 << QColor();
    }

    void rowsPaintInThePaletteColors()
    {
        QFETCH(QString, row);
        QFETCH(int, slice);
        QFETCH(QColor, expected);
        TFrameFixture f;
        f.add("c", QString(), {{"c_action_link", "Open the page"}});
        f.add("d", QString(), {{"c_action_link", "Open the page"}});
        f.add("e", QString(), {{"c_action_link", "Open the page"}, {"c_action_link_err", "1"}});
        f.show();
        f.clickCheck("c");
        f.clickCheck("d");
        f.clickCheck("d");
        f.clickCheck("e");
        // Away from the rows, so no hover or selection colors them.
        f.tree->clearSelection();
        f.tree->setCurrentIndex({});
        QTest::mouseMove(f.tree->viewport(), QPoint(1, f.tree->viewport()->height() - 1));
        const QColor background = f.tree->viewport()->grab().toImage().pixelColor(f.tree->viewport()->width() - 2,
                                                                                  f.tree->viewport()->height() - 2);
        QVERIFY2(distance(background, darkPalette().color(QPalette::Base)) < 24, qPrintable(background.name()));
        const QColor ink = inkOf(f, row, slice, background);
        QVERIFY2(ink.isValid(), "the slice takes no room");
        if (expected.isValid())
            QVERIFY2(distance(ink, expected) < 60, qPrintable(ink.name() + " against " + expected.name()));
        else
            QVERIFY2(distance(ink, background) > 150, qPrintable(ink.name() + " on " + background.name()));
        f.control.grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/tst_palette_dark.png"));
    }

    // Each image of the control's buttons and actions, asked for at a
    // device pixel ratio of 2, is one of the bundled SVGs drawn at twice
    // the size: no bitmap scaled up.
    void iconsStayCrispAtTwiceTheDensity()
    {
        TFrameFixture f;
        f.addGroupAndLoose();
        const QSize size(16, 16);
        QList<QImage> drawn;
        QDirIterator svgs(QStringLiteral(":/"), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
        while (svgs.hasNext()) {
            QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            QSvgRenderer(svgs.next()).render(&painter);
            drawn.append(image);
        }
        QList<QIcon> icons;
        for (const QAbstractButton *button : f.control.findChildren<QAbstractButton *>())
            icons.append(button->icon());
        for (const QAction *action : f.control.findChildren<QAction *>())
            icons.append(action->icon());
        int seen = 0;
        for (const QIcon &icon : std::as_const(icons)) {
            if (icon.isNull())
                continue;
            const QPixmap pixmap = icon.pixmap(size, 2.0);
            QCOMPARE(pixmap.size(), size * 2);
            QVERIFY(drawn.contains(pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied)));
            ++seen;
        }
        QVERIFY(seen >= 4);
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
