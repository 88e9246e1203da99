// SPDX-License-Identifier: MIT
// What the user perceives of the frame. Assistive tools learn the rows'
// check states (mixed for groups), hints and action links, a state change
// when the user toggles a row, and the names of the side panel's and the
// bottom bar's controls; the keyboard reaches every control by Tab, the
// drop-down menus and their entries. On a dark palette the rows' texts,
// links and gray texts are painted in that palette's colors, as the
// rendered pixels show; at a device pixel ratio of 2 the control's images
// are drawn from their SVGs at that density.
#include "DarkPalette.h"
#include "FrameFixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDirIterator>
#include <QPainter>
#include <QStyleFactory>
#include <QSvgRenderer>

using namespace selectframe;
using namespace selectframe::test;

namespace {

using demo::darkPalette;

/// The rows' state changes reported, with the changed row's name.
QStringList g_changes;

void recordUpdate(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::StateChanged)
        g_changes << event->accessibleInterface()->text(QAccessible::Name) +
                         (static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().checked ? " checked" : "");
}

/// The accessible cell of the shown row `row` in column 0: "name|description|" and its state as checkable, checked.
QString cell(TFrameFixture &f, int row)
{
    QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(f.tree)->tableInterface()->cellAt(row, 0);
    return QStringLiteral("%1|%2|%3%4")
        .arg(cell->text(QAccessible::Name), cell->text(QAccessible::Description))
        .arg(cell->state().checkable)
        .arg(cell->state().checked);
}

/// A frame with every control of the side panel shown, over G (a, b) and c.
struct TSidePanel : TFrameFixture
{
    TSidePanel()
    {
        run("opt filter.show=1;opt show.favorites=1;opt groupby.columns=g=Group");
        addGroupAndLoose();
    }
};

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

class TestPresentation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TCustomTree::s_updateAccessibility = recordUpdate;
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }
    void init() { g_changes.clear(); }

    // Loose items come first: c, G, a; the link is read after the caption;
    // the installed Qt's cells tell checked or not, so a mixed group says
    // so in its description. A toggle by mouse or keyboard reports the
    // change of the toggled row.
    void rowsExposeStatesHintsAndLinks()
    {
        TFrameFixture f;
        f.add("a", "G", {{"hint", "the first"}, {"c_action_link", "Open"}});
        f.add("b", "G");
        f.add("c");
        QCOMPARE(f.run("check a;key c Space;?"), "c+ G~ a+ b");
        QCOMPARE(g_changes, (QStringList{"a, Open checked", "c checked"}));
        QCOMPARE((QStringList{cell(f, 0), cell(f, 1), cell(f, 2)}),
                 (QStringList{"c||11", "G|partially checked|10", "a, Open|the first|11"}));
    }

    // A drop-down showing a choice keeps its name and tells the choice.
    void controlsHaveNames()
    {
        TSidePanel f;
        f.part<QPushButton>("btnGroupBy")->setText(QStringLiteral("Group"));
        QStringList controls;
        for (const char *name : {"edFilter", "btnFilter", "btnGroupBy", "btnFavorites", "btnCheck", "btnUncheckAll"}) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(f.part(name));
            controls << QStringLiteral("%1 %2 %3 %4")
                            .arg(a->text(QAccessible::Name),
                                 QMetaEnum::fromType<QAccessible::Role>().valueToKey(a->role()))
                            .arg(a->state().hasPopup)
                            .arg(a->text(QAccessible::Value));
        }
        QCOMPARE(controls,
                 (QStringList{"Filter EditableText 0 ", "Apply filter Button 0 ", "Group by ButtonMenu 1 Group",
                              "Favorites ButtonMenu 1 ", "Check ButtonMenu 1 ", "Uncheck all Button 0 "}));
    }

    // Tab goes round the tree, the side panel and the bottom bar, past the
    // filter button, which is no tab stop (the box's keys do what it does);
    // the button is named for clearing once a filter is in force.
    void tabReachesEveryControl()
    {
        TSidePanel f;
        f.tree->setFocus();
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 6; ++i) {
            if (visited.last() == u"edFilter")
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("a"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(f.part("btnFilter")->accessibleName(), "Clear filter");
        QCOMPARE(visited, QStringList({"SelectTree", "edFilter", "btnGroupBy", "btnFavorites", "btnUncheckAll",
                                       "btnCheck", "SelectTree"}));
    }

    // Space, Alt+Down and F4 drop the check menu down; Down and Return run
    // its first entry, Check All.
    void dropDownsOpenFromTheKeyboard()
    {
        for (const QKeyCombination key :
             {QKeyCombination(Qt::Key_Space), Qt::AltModifier | Qt::Key_Down, QKeyCombination(Qt::Key_F4)}) {
            TFrameFixture f;
            f.addGroupAndLoose();
            auto *button = f.part("btnCheck");
            button->setFocus();
            bool opened = false;
            QTimer::singleShot(50, [&opened] {
                if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                    opened = true;
                    QTest::keyClick(menu, Qt::Key_Down);
                    QTest::keyClick(menu, Qt::Key_Return);
                }
            });
            QTest::keyClick(button, key.key(), key.keyboardModifiers());
            QTRY_VERIFY(opened);
            QTRY_COMPARE(f.view(), "c+ G+ a+ b+");
        }
    }

    // Rows c (checked: link), d (checked and unchecked again: gray link) and
    // e (checked, failed link); the failed link's red is one made readable
    // on dark backgrounds; a check box has no color of its own but stands
    // out from the base.
    void rowsPaintInThePaletteColors()
    {
        TFrameFixture f;
        for (const char *id : {"c", "d", "e"})
            f.add(id, QString(), {{"c_action_link", "Open the page"}, {"c_action_link_err", id[0] == 'e' ? "1" : ""}});
        f.run("check c;check d;check d;check e");
        // Away from the rows, so no hover or selection colors them.
        f.tree->clearSelection();
        f.tree->setCurrentIndex({});
        QTest::mouseMove(f.tree->viewport(), QPoint(1, f.tree->viewport()->height() - 1));
        const QImage image = f.tree->viewport()->grab().toImage();
        const QColor background = image.pixelColor(image.width() - 2, image.height() - 2);
        const QPalette p = darkPalette();
        QVERIFY2(distance(background, p.color(QPalette::Base)) < 24, qPrintable(background.name()));
        const std::tuple<const char *, int, QColor> slices[] = {{"c", 2, p.color(QPalette::Text)},
                                                                {"c", 3, p.color(QPalette::Link)},
                                                                {"d", 3, p.color(QPalette::Disabled, QPalette::Text)},
                                                                {"e", 3, QColor(0xff, 0x6b, 0x6b)},
                                                                {"d", 0, QColor()}};
        for (const auto &[row, slice, expected] : slices) {
            const QColor ink = inkOf(f, row, slice, background);
            QVERIFY2(ink.isValid(), "the slice takes no room");
            if (expected.isValid())
                QVERIFY2(distance(ink, expected) < 60, qPrintable(ink.name() + " against " + expected.name()));
            else
                QVERIFY2(distance(ink, background) > 150, qPrintable(ink.name() + " on " + background.name()));
        }
        f.control.grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/tst_presentation_dark.png"));
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

QTEST_MAIN(TestPresentation)
#include "tst_presentation.moc"
