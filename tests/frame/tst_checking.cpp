// SPDX-License-Identifier: MIT
// Checking rows in the frame control, driven through the tree's check boxes,
// the Space key, the bottom bar's actions and the frame manager's bulk
// passes.
#include "FrameFixture.h"

#include "host/SelectFrameFactory.h"

using namespace selectframe;
using selectframe::test::TFrameFixture;

namespace {

// Host handlers of the frame facade, recording the event order.
void onChange(void *data, ISelectFrame *)
{
    static_cast<QStringList *>(data)->append(QStringLiteral("onchange"));
}

void onItemQuery(void *data, ISelectFrame *, IFrameItem *item, const QString &favorite)
{
    QString id;
    item->GetID(&id);
    static_cast<QStringList *>(data)->append(QStringLiteral("query %1 '%2'").arg(id, favorite));
}

} // namespace

class TestChecking : public QObject
{
    Q_OBJECT

private slots:
    void groupClickCascadesAndParentsFollow()
    {
        TFrameFixture f;
        f.addGroupAndLoose();
        QCOMPARE(f.state("a"), fcsUnchecked);

        f.clickCheck("G");
        QCOMPARE(f.states(), (QList<int>{1, 1, 1, 0}));
        QCOMPARE(f.changes, 1);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 2"));
        QCOMPARE(f.publishedCount(), 2);

        f.clickCheck("b");
        QCOMPARE(f.state("G"), fcsMixed);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 1"));

        // A mixed group unchecks all its items.
        f.clickCheck("G");
        QCOMPARE(f.state("G"), fcsUnchecked);
        QCOMPARE(f.state("a"), fcsUnchecked);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 0"));

        // Checking the items one by one: mixed, then checked.
        f.clickCheck("a");
        QCOMPARE(f.state("G"), fcsMixed);
        f.clickCheck("b");
        QCOMPARE(f.state("G"), fcsChecked);
        QCOMPARE(f.changes, 5);

        // Space on the focused row toggles it too.
        f.tree->setFocus();
        f.tree->SetNodeFocused(f.at("c"));
        QTest::keyClick(f.tree->viewport(), Qt::Key_Space);
        QCOMPARE(f.state("c"), fcsChecked);
        QCOMPARE(f.publishedCount(), 3);
        QCOMPARE(f.changes, 6);
    }

    void hiddenRowsKeepTheirStates()
    {
        TFrameFixture f;
        f.addGroupAndLoose();
        f.hide("b");
        f.clickCheck("G");
        QCOMPARE(f.state("G"), fcsChecked);
        QCOMPARE(f.state("a"), fcsChecked);
        QCOMPARE(f.state("b"), fcsUnchecked);

        f.hide("c");
        f.trigger("acCheckAll");
        QCOMPARE(f.state("c"), fcsUnchecked);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 1"));
    }

    void checkedOnlyViewHidesWhatIsUnchecked()
    {
        TFrameFixture f;
        f.addGroupAndLoose();
        f.clickCheck("c");
        f.clickCheck("a");
        f.control.Settings()->SetShowOnlyChecked(true);
        f.clickCheck("c");
        QVERIFY(f.tree->GetNodeState(f.at("c")) & nsHidden);
        QCOMPARE(f.state("c"), fcsUnchecked);
        QCOMPARE(f.changes, 3);
    }

    void checkAllAndUncheckAllReportOnlyChanges()
    {
        TFrameFixture f;
        f.add("a", "G");
        f.add("c");
        f.show();
        f.trigger("acUncheckAll");
        QCOMPARE(f.changes, 0);
        f.trigger("acCheckAll");
        QCOMPARE(f.changes, 1);
        QCOMPARE(f.state("G"), fcsChecked);
        QCOMPARE(f.state("a"), fcsChecked);
        QCOMPARE(f.state("c"), fcsChecked);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 2"));
        f.trigger("acCheckAll");
        QCOMPARE(f.changes, 1);
        f.trigger("acUncheckAll");
        QCOMPARE(f.changes, 2);
        QCOMPARE(f.state("G"), fcsUnchecked);
        QCOMPARE(f.publishedCount(), 0);
        f.trigger("acUncheckAll");
        QCOMPARE(f.changes, 2);
    }

    void singleChoiceMode()
    {
        TFrameFixture f;
        f.setOption(keys::OptionSelectMode, int(fsmOnlyOne));
        f.addGroupAndLoose();
        f.clickCheck("c");
        QCOMPARE(f.state("c"), fcsChecked);
        QCOMPARE(f.changes, 1);

        f.clickCheck("b");
        QCOMPARE(f.states(), (QList<int>{0, 0, 1, 0}));
        QCOMPARE(f.changes, 2);

        // The chosen row cannot be unchosen.
        f.clickCheck("b");
        QCOMPARE(f.state("b"), fcsChecked);
        QCOMPARE(f.changes, 2);
        QCOMPARE(f.control.GetManager()->Model()->CheckedCount(), 1);
    }

    void actionLinkFollowsStateAndError()
    {
        TFrameFixture f;
        f.add("a", QString(), {{"c_action_link", "Open"}});
        f.show();
        QCOMPARE(f.link("a")->Style, getStyle("text"));

        f.clickCheck("a");
        QCOMPARE(f.link("a")->Style, getStyle("link"));
        QCOMPARE(f.link("a")->Cursor, Qt::PointingHandCursor);

        // The host sets an error and asks the item to refresh its row.
        IPtr<IFrameItem> item(static_cast<TFrameItemObject *>(f.rows().recordOf(f.at("a"))->FrameObject)->Item);
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        values->SetValue(QString::fromLatin1(keys::ValueActionLinkError), QStringLiteral("failed"));
        IPtr<IFrameItemEx> ex;
        item->QueryInterface(IFrameItemEx::iid, reinterpret_cast<void **>(ex.put()));
        QVERIFY(ex);
        ex->Refresh();
        QCOMPARE(f.link("a")->Style, getStyle("red"));

        f.clickCheck("a");
        QCOMPARE(f.link("a")->Style, getStyle("gray_text"));
        QCOMPARE(f.link("a")->Cursor, Qt::ArrowCursor);
    }

    void bulkPassRestylesLinksOnlyWhenItemsAreQueried()
    {
        TFrameFixture f;
        f.add("a", QString(), {{"c_action_link", "Open"}});
        f.add("c", QString(), {{"c_action_link", "Open"}});
        f.show();
        f.control.GetManager()->CheckByList({QStringLiteral("A")});
        QCOMPARE(f.link("a")->Style, getStyle("text"));
        QCOMPARE(f.changes, 1);

        QStringList queried;
        f.control.OnItemQuery = [&](QObject *, IFrameItem *item, const QString &favorite) {
            QString id;
            item->GetID(&id);
            queried.append(id + favorite);
        };
        f.control.GetManager()->CheckByList({QStringLiteral("c")});
        QCOMPARE(queried.size(), 2);
        QVERIFY(queried.contains("a") && queried.contains("c"));
        QCOMPARE(f.link("a")->Style, getStyle("gray_text"));
        QCOMPARE(f.link("c")->Style, getStyle("link"));
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 1"));
        QCOMPARE(f.changes, 2);

        // A hook that wants no rows, the facade's while the host has no
        // handler, is not called per row; the links follow all the same.
        f.control.ItemQueryPerRow = false;
        queried.clear();
        f.control.GetManager()->CheckByList({QStringLiteral("a")});
        QVERIFY(queried.isEmpty());
        QCOMPARE(f.link("a")->Style, getStyle("link"));
        QCOMPARE(f.link("c")->Style, getStyle("gray_text"));
    }

    // A checked set loaded before Initialize has no model objects to check
    // yet: it is kept and checked once the rows exist, with the same report
    // as a load afterwards.
    void checkedSetLoadedBeforeInitialize()
    {
        TFrameFixture f;
        f.add("a");
        f.add("b");
        f.control.GetManager()->State()->Load({QStringLiteral("B")});
        QCOMPARE(f.changes, 0);
        QStringList saved;
        f.control.GetManager()->State()->Save(&saved);
        QCOMPARE(saved, QStringList{"B"});
        f.show();
        QCOMPARE(f.changes, 1);
        QCOMPARE(f.state("b"), int(fcsChecked));
        QCOMPARE(f.state("a"), int(fcsUnchecked));
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 1"));
        QCOMPARE(f.publishedCount(), 1);
        f.control.GetManager()->State()->Save(&saved);
        QCOMPARE(saved, QStringList{"b"});
    }

    void linkClickOnlyOnCheckedItems()
    {
        TFrameFixture f;
        f.add("a", QString(), {{"c_action_link", "Open"}});
        f.show();
        f.clickSlice("a", 3);
        QVERIFY(f.clicked.isEmpty());
        f.clickCheck("a");
        f.clickSlice("a", 2);
        QVERIFY(f.clicked.isEmpty());
        f.clickSlice("a", 3);
        QCOMPARE(f.clicked.size(), 1);
        QCOMPARE(f.state("a"), fcsChecked);
    }

    void facadeEventsInOrder()
    {
        IPtr<ISelectFrame> frame;
        IPtr<ISelectFrameFactory>(new TSelectFrameFactory)->CreateFrame(frame.put());
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        for (const char *id : {"a", "b", "c"}) {
            IPtr<IFrameItem> item;
            frame->NewItem(item.put());
            item->SetID(QString::fromLatin1(id));
            item->SetCaption(QString::fromLatin1(id));
        }
        frame->Initialize();
        QStringList events;
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, &events));
        methods->SetMethod(keys::EventItemQuery, makeMethod(&onItemQuery, &events));

        IPtr<IDataStorage> state;
        frame->GetState(state.put());
        state->Load(QStringList{QStringLiteral("b")});
        QCOMPARE(events, (QStringList{"query a ''", "query b ''", "query c ''", "onchange"}));

        events.clear();
        auto *control = static_cast<TSelectFrameControl *>(frame->GetControl());
        control->findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
        control->findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
        QCOMPARE(events, QStringList{"onchange"});
    }
};

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
