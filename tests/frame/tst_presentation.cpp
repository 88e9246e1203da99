// SPDX-License-Identifier: MIT
// What the user perceives of the frame. Assistive tools learn the rows'
// check states (mixed for groups), hints and action links, a state change
// when the user toggles a row, and the names of the side panel's and the
// bottom bar's controls; the keyboard reaches every control by Tab, the
// drop-down menus and their entries. All of it on the demo's dark palette,
// where the rows' check boxes take an outline of their own.
#include "DarkPalette.h"
#include "FrameFixture.h"

using namespace selectframe;
using namespace selectframe::test;

namespace {

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

} // namespace

class TestPresentation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TCustomTree::s_updateAccessibility = recordUpdate;
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(demo::darkPalette());
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
        // Below the rows a click finds none.
        QVERIFY(!f.tree->hitTest(QPoint(5, f.tree->viewport()->height() - 2)).Row);
    }

    // A drop-down showing a choice keeps its name and tells the choice.
    // Tab goes round the tree, the side panel and the bottom bar, past the
    // filter button, which is no tab stop (the box's keys do what it does);
    // the button is named for clearing once a filter is in force.
    void controlsHaveNamesAndTabStops()
    {
        TFrameFixture f;
        f.run("opt filter.show=1;opt show.favorites=1;opt groupby.columns=g=Group");
        f.addGroupAndLoose();
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
        f.tree->setFocus();
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 6; ++i) {
            if (visited.last() == u"edFilter")
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("a"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(f.part("btnFilter")->accessibleName(), "Clear filter");
        QCOMPARE(visited.join(u' '), "SelectTree edFilter btnGroupBy btnFavorites btnUncheckAll btnCheck SelectTree");
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
};

QTEST_MAIN(TestPresentation)
#include "tst_presentation.moc"
