// The frame under the application's palette: on a dark palette the rows'
// texts, links and gray texts are painted in that palette's colors, as the
// rendered pixels show.
#include "FrameFixture.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

namespace {

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    p.setColor(QPalette::AlternateBase, QColor(0x2e, 0x2e, 0x2e));
    p.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x6c, 0xb4, 0xff));
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    return p;
}

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
        QVERIFY2(distance(ink, expected) < 60, qPrintable(ink.name() + " against " + expected.name()));
        f.control.grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/tst_palette_dark.png"));
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
