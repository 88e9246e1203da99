// What assistive tools learn of the frame's rows: check states (mixed for
// groups), hints, the action link, and a state change when the user
// toggles a row.
#include "FrameFixture.h"

#include <QAccessible>
#include <QTest>

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
    void initTestCase()
    {
        TCustomTree::s_updateAccessibility = recordUpdate;
    }

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
