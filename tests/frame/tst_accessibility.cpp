// SPDX-License-Identifier: MIT
// What assistive tools learn of the frame: the rows' check states (mixed
// for groups), hints and action links, a state change when the user
// toggles a row, and the names of the side panel's and the bottom bar's
// controls; and what the keyboard reaches: every control by Tab, the
// drop-down menus and their entries.
#include "FrameFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// The state changes reported while a test runs.
QList<QAccessible::State> g_changes;
QList<QString> g_changedNames;

void recordUpdate(QAccessibleEvent *event)
{
    if (event->type() != QAccessible::StateChanged)
        return;
    auto *change = static_cast<QAccessibleStateChangeEvent *>(event);
    g_changes.append(change->changedStates());
    g_changedNames.append(event->accessibleInterface() ? event->accessibleInterface()->text(QAccessible::Name)
                                                       : QString());
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    /// The accessible cell of the shown row `row` in column 0.
    static QAccessibleInterface *cell(TFrameFixture &f, int row)
    {
        QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(f.tree);
        return tree && tree->tableInterface() ? tree->tableInterface()->cellAt(row, 0) : nullptr;
    }

private slots:
    void initTestCase() { TCustomTree::s_updateAccessibility = recordUpdate; }

    void init()
    {
        g_changes.clear();
        g_changedNames.clear();
    }

    // Rows c, G (a, b), as shown from the top: loose items come first.
    void rowsExposeStatesHintsAndLinks()
    {
        TFrameFixture f;
        f.add("a", "G", {{"hint", "the first"}, {"c_action_link", "Open"}});
        f.add("b", "G");
        f.add("c");
        f.show();
        f.clickCheck("a");

        QAccessibleInterface *c = cell(f, 0);
        QAccessibleInterface *group = cell(f, 1);
        QAccessibleInterface *a = cell(f, 2);
        QVERIFY(group && a && c);
        // The cell interface of the installed Qt reports checked or not;
        // a mixed group says so in its description.
        QVERIFY(group->state().checkable && !group->state().checked);
        QCOMPARE(group->text(QAccessible::Description), QStringLiteral("partially checked"));
        QVERIFY(a->state().checkable && a->state().checked);
        QVERIFY(c->state().checkable && !c->state().checked);
        QCOMPARE(a->text(QAccessible::Description), QStringLiteral("the first"));
        QCOMPARE(c->text(QAccessible::Description), QString());
        // The link is read after the caption.
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("a, Open"));
        QCOMPARE(c->text(QAccessible::Name), QStringLiteral("c"));
    }

    // A frame with every control of the side panel shown.
    static void showSidePanel(TFrameFixture &f)
    {
        f.setOption(keys::OptionFilterShow, true);
        f.setOption(keys::OptionShowFavorites, true);
        f.setOption(keys::OptionGroupByColumns, QByteArray("g=Group"));
        f.addGroupAndLoose();
    }

    void controlsHaveNames()
    {
        TFrameFixture f;
        showSidePanel(f);
        const struct
        {
            const char *widget;
            QAccessible::Role role;
            const char *name;
        } controls[] = {
            {"edFilter", QAccessible::EditableText, "Filter"},
            {"btnFilter", QAccessible::Button, "Apply filter"},
            // A menu button: the group-by choices are its menu.
            {"btnGroupBy", QAccessible::ButtonMenu, "Group by"},
            {"btnFavorites", QAccessible::ButtonMenu, "Favorites"},
            {"btnCheck", QAccessible::ButtonMenu, "Check"},
            {"btnUncheckAll", QAccessible::Button, "Uncheck all"},
        };
        for (const auto &control : controls) {
            QAccessibleInterface *a =
                QAccessible::queryAccessibleInterface(f.control.findChild<QWidget *>(QLatin1String(control.widget)));
            QVERIFY2(a, control.widget);
            if (control.role != QAccessible::NoRole)
                QCOMPARE(a->role(), control.role);
            QCOMPARE(a->text(QAccessible::Name), QLatin1String(control.name));
            QCOMPARE(a->state().hasPopup, control.role == QAccessible::ButtonMenu);
        }
        // A drop-down showing a choice keeps its name and tells the choice.
        f.control.findChild<QPushButton *>(QStringLiteral("btnGroupBy"))->setText(QStringLiteral("Group"));
        QAccessibleInterface *groupBy =
            QAccessible::queryAccessibleInterface(f.control.findChild<QWidget *>(QStringLiteral("btnGroupBy")));
        QCOMPARE(groupBy->text(QAccessible::Name), QStringLiteral("Group by"));
        QCOMPARE(groupBy->text(QAccessible::Value), QStringLiteral("Group"));
    }

    // Tab goes round the tree, the side panel and the bottom bar; the
    // filter button, there once a filter is typed, is named for clearing it.
    void tabReachesEveryControl()
    {
        TFrameFixture f;
        showSidePanel(f);
        auto *filterButton = f.control.findChild<QWidget *>(QStringLiteral("btnFilter"));
        f.tree->setFocus();
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 7; ++i) {
            if (visited.last() == u"edFilter") {
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("a"));
                QTRY_VERIFY(filterButton->isEnabled());
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(filterButton->accessibleName(), QStringLiteral("Clear filter"));
        QCOMPARE(visited, QStringList({"SelectTree", "edFilter", "btnFilter", "btnGroupBy", "btnFavorites",
                                       "btnUncheckAll", "btnCheck", "SelectTree"}));
    }

    // Space, Alt+Down and F4 drop the check menu down; Down and Return run
    // its first entry, Check All.
    void dropDownsOpenFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
        QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
    }

    void dropDownsOpenFromTheKeyboard()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        TFrameFixture f;
        f.addGroupAndLoose();
        auto *button = f.control.findChild<QPushButton *>(QStringLiteral("btnCheck"));
        button->setFocus();
        QMenu *opened = nullptr;
        QTimer::singleShot(50, [&opened] {
            opened = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!opened)
                return;
            QTest::keyClick(opened, Qt::Key_Down);
            QTest::keyClick(opened, Qt::Key_Return);
        });
        QTest::keyClick(button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(opened);
        QTRY_COMPARE(f.states(), QList<int>({fcsChecked, fcsChecked, fcsChecked, fcsChecked}));
    }

    // A toggle by mouse or keyboard reports the change of the toggled row.
    void togglesReportAStateChange_data()
    {
        QTest::addColumn<bool>("keyboard");
        QTest::newRow("mouse") << false;
        QTest::newRow("keyboard") << true;
    }

    void togglesReportAStateChange()
    {
        QFETCH(bool, keyboard);
        TFrameFixture f;
        f.addGroupAndLoose();
        if (keyboard) {
            f.tree->setFocus();
            f.tree->SetNodeFocused(f.at("c"));
            QTest::keyClick(f.tree, Qt::Key_Space);
        } else {
            f.clickCheck("c");
        }
        QCOMPARE(f.state("c"), int(fcsChecked));
        QCOMPARE(g_changes.size(), 1);
        QVERIFY(g_changes.front().checked);
        QCOMPARE(g_changedNames.front(), QStringLiteral("c"));
        QVERIFY(cell(f, 0)->state().checked);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
