// SPDX-License-Identifier: MIT
// Node records and the links between host items and the rows showing them,
// with two trees over the same items as a frame and its favorites dialog
// have them.
#include "SelectTreeFixture.h"

#include "platform/tree/TTree.h"

#include <QTest>

#include <typeinfo>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// An item that offers IFrameItem only.
class TPlainItem final : public TInterfacedObject<IFrameItem>
{
public:
    void SF_CALL GetID(QString *ID) override { *ID = QStringLiteral("plain"); }
    void SF_CALL SetID(const QString &) override {}
    void SF_CALL GetCaption(QString *Caption) override { Caption->clear(); }
    void SF_CALL SetCaption(const QString &) override {}
    void SF_CALL GetValues(IStringValueList **Values) override { *Values = nullptr; }
};

/// A frame's manager, and its tree once shown.
struct TFrame
{
    TFrameFixture Fixture;
    std::unique_ptr<TTree> Tree;

    void show()
    {
        Fixture.Manager.Rebuild();
        Tree = std::make_unique<TTree>();
        Tree->setVM(std::make_unique<TSelectVirtualManager>(&Fixture.Manager));
    }
    TSelectVirtualManager *vm() const { return static_cast<TSelectVirtualManager *>(Tree->getVM()); }
    TSelectFrameNode *row(const IPtr<IFrameItem> &item) const { return recordOf(*vm()->Tree, item.get()); }
};

} // namespace

class TestSelectFrameTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TFrame> firstFrame;
    std::unique_ptr<TFrame> secondFrame;
    QList<IPtr<IFrameItem>> items;

    TFrame &first() { return *firstFrame; }
    TFrame &second() { return *secondFrame; }

    /// Items of the first frame, handed to the second too, both trees shown;
    /// items[0] is checked in the first frame only.
    void showBoth()
    {
        items = {first().Fixture.add("a"), first().Fixture.add("b", "G"), first().Fixture.add("c", "G")};
        for (const auto &item : items)
            second().Fixture.Manager.AddItem(item.get());
        first().show();
        first().row(items[0])->FrameObject->SetState(fcsChecked);
        second().show();
    }

private slots:
    void init()
    {
        firstFrame = std::make_unique<TFrame>();
        secondFrame = std::make_unique<TFrame>();
    }
    void cleanup()
    {
        firstFrame.reset();
        secondFrame.reset();
        items.clear();
    }

    void recordsOfOneBuild()
    {
        first().Fixture.add("a");
        first().Fixture.add("b", "G");
        first().show();
        TSelectVirtualTree &tree = *first().vm()->Tree;
        tree.Rebuild();
        // One group row and two item rows of three nodes each; a row's cells
        // and their records are made when the tree first reaches them.
        QCOMPARE(tree.NodeRecords.Count(), size_t(3));
        const QList<TVirtualNode> rows = allRows(tree);
        QCOMPARE(rows.size(), 3);
        for (TVirtualNode row : rows)
            for (int c = 0; c < 3; ++c) {
                const TVirtualNode node = tree.store().cell(row, c);
                const TSelectFrameNode *cell = tree.recordOf(node);
                QCOMPARE(cell->Node, node);
                QCOMPARE(cell->Column, c);
                QCOMPARE(cell->FrameObject, tree.recordOf(row)->FrameObject);
                QCOMPARE(cell->Slices, nullptr);
                QCOMPARE(tree.getItem(const_cast<TSelectFrameNode *>(cell)), node);
            }
        QCOMPARE(tree.NodeRecords.Count(), size_t(9));
    }

    void linksFollowTheRowBuiltLast_data()
    {
        QTest::addColumn<bool>("firstGoesFirst");
        QTest::newRow("first tree destroyed first") << true;
        QTest::newRow("second tree destroyed first") << false;
    }
    void linksFollowTheRowBuiltLast()
    {
        QFETCH(bool, firstGoesFirst);
        items = {first().Fixture.add("a"), first().Fixture.add("b", "G")};
        for (const auto &item : items)
            second().Fixture.Manager.AddItem(item.get());
        const IPtr<IFrameItemEx> a = ex(items[0]);
        QCOMPARE(a->GetNode(), nullptr);

        first().show();
        TSelectFrameNode *firstRow = first().row(items[0]);
        QCOMPARE(a->GetNode(), firstRow);
        firstRow->FrameObject->SetState(fcsChecked);
        QVERIFY(a->GetChecked());

        second().show();
        TSelectFrameNode *secondRow = second().row(items[0]);
        QCOMPARE(a->GetNode(), secondRow);
        QVERIFY(!a->GetChecked()); // the second frame's own state

        if (firstGoesFirst) {
            first().Tree.reset();
            QCOMPARE(a->GetNode(), secondRow);
            QVERIFY(!a->GetChecked());
        } else {
            second().Tree.reset();
            QCOMPARE(a->GetNode(), firstRow);
            QVERIFY(a->GetChecked());
        }
        first().Tree.reset();
        second().Tree.reset();
        QCOMPARE(a->GetNode(), nullptr);
        QVERIFY(!a->GetChecked());
        QCOMPARE(ex(items[1])->GetNode(), nullptr);
    }

    void rebuildingOneTreeKeepsTheOthersRowsReachable()
    {
        showBoth();
        const IPtr<IFrameItemEx> a = ex(items[0]);

        first().vm()->Tree->Rebuild();
        TSelectFrameNode *rebuilt = first().row(items[0]);
        QCOMPARE(a->GetNode(), rebuilt); // built last
        QVERIFY(a->GetChecked());

        second().vm()->Initialize();
        QCOMPARE(a->GetNode(), second().row(items[0]));
        QVERIFY(!a->GetChecked());

        second().Tree.reset();
        QCOMPARE(a->GetNode(), rebuilt);
        QVERIFY(a->GetChecked());
        for (const auto &item : items.mid(1))
            QCOMPARE(ex(item)->GetNode(), first().row(item));
        first().Tree.reset();
        QCOMPARE(a->GetNode(), nullptr);
    }

    void aNewManagerAfterAModelLoadReplacesTheLinks()
    {
        showBoth();
        second().Tree.reset();
        // The load destroys the objects the old records point to; replacing
        // the manager must not touch them.
        first().Fixture.Manager.Rebuild();
        first().Tree->setVM(std::make_unique<TSelectVirtualManager>(&first().Fixture.Manager));
        for (const auto &item : items) {
            QCOMPARE(ex(item)->GetNode(), first().row(item));
            QVERIFY(!ex(item)->GetChecked());
        }
        first().Tree->setVM(nullptr);
        for (const auto &item : items)
            QCOMPARE(ex(item)->GetNode(), nullptr);
    }

    // A regroup's new manager takes over the texts the filter matched: none
    // is made again, unless the host changed a value the texts show. Items
    // the new rows regroup stay matched.
    void aNewManagerTakesOverTheFilterTexts_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("made");
        QTest::newRow("only the group changed") << "group" << 0;
        QTest::newRow("a shown column changed") << "COLUMN2_DATA" << 1;
    }
    void aNewManagerTakesOverTheFilterTexts()
    {
        QFETCH(QString, value);
        QFETCH(int, made);
        showBoth();
        second().Tree.reset();
        TSelectFrameTree &old = first().vm()->Tree->NodeRecords;
        old.MatchFilter(u"c2");
        IPtr<IStringValueList> values;
        items[1]->GetValues(values.put());
        values->SetValue(value, "H");
        first().Fixture.Manager.Rebuild();
        auto next = std::make_unique<TSelectVirtualManager>(&first().Fixture.Manager);
        TSelectFrameTree &records = next->Tree->NodeRecords;
        int calls = 0;
        records.OnMakeFilterText = [&, make = records.OnMakeFilterText](const TSelectFrameNode *row, QString &out) {
            ++calls;
            make(row, out);
        };
        records.TakeFilterTexts(old);
        first().Tree->setVM(std::move(next));
        records.MatchFilter(u"c2");
        QCOMPARE(calls, made);
        QList<bool> matched;
        for (const auto &item : items)
            matched << records.Matched(first().row(item));
        QCOMPARE(matched, (QList<bool>{true, made == 0, true}));
    }

    void checkedStateGoesThroughTheRow()
    {
        showBoth();
        second().Tree.reset();
        const IPtr<IFrameItemEx> b = ex(items[1]);
        TFrameObjectManager *model = first().Fixture.Manager.Model();
        TFrameGroupObject *group = model->FindGroup("G");
        b->SetChecked(true);
        QCOMPARE(first().row(items[1])->FrameObject->State, fcsChecked);
        QVERIFY(b->GetChecked());
        QCOMPARE(model->GetCheckedIDs(), (QStringList{"a", "b"}));
        QCOMPARE(group->State, fcsUnchecked); // no group update
        b->SetChecked(false);
        QVERIFY(!b->GetChecked());
        QCOMPARE(model->GetCheckedIDs(), QStringList{"a"});
    }

    void refreshCallsTheInstalledRestyling()
    {
        showBoth();
        const IPtr<IFrameItemEx> c = ex(items[2]);
        c->Refresh(); // nothing installed: nothing happens
        QList<TSelectFrameNode *> firstCalls, secondCalls;
        first().vm()->Tree->NodeRecords.OnRefreshRow = [&](TSelectFrameNode *row) { firstCalls.append(row); };
        second().vm()->Tree->NodeRecords.OnRefreshRow = [&](TSelectFrameNode *row) { secondCalls.append(row); };
        c->Refresh();
        QCOMPARE(secondCalls, QList<TSelectFrameNode *>{second().row(items[2])});
        second().Tree.reset();
        c->Refresh();
        QCOMPARE(firstCalls, QList<TSelectFrameNode *>{first().row(items[2])});
    }

    void anItemListedTwiceIsUnlinkedTwice()
    {
        const IPtr<IFrameItem> a = first().Fixture.add("a");
        first().Fixture.Manager.AddItem(a.get());
        first().show();
        const QList<TVirtualNode> rows = allRows(*first().vm()->Tree);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(ex(a)->GetNode(), first().vm()->Tree->recordOf(rows[1]));
        first().vm()->Tree->Rebuild();
        QCOMPARE(ex(a)->GetNode(), first().vm()->Tree->recordOf(allRows(*first().vm()->Tree).at(1)));
        first().Tree.reset();
        QCOMPARE(ex(a)->GetNode(), nullptr);
    }

    void anItemWithoutTheExtendedInterfaceFailsTheBuild()
    {
        const IPtr<IFrameItem> a = first().Fixture.add("a");
        first().Fixture.Manager.AddItem(new TPlainItem);
        first().Fixture.add("c");
        first().Fixture.Manager.Rebuild();
        first().Tree = std::make_unique<TTree>();
        auto vm = std::make_unique<TSelectVirtualManager>(&first().Fixture.Manager);
        QVERIFY_THROWS_EXCEPTION(std::bad_cast, first().Tree->setVM(std::move(vm)));
        QVERIFY(ex(a)->GetNode() != nullptr);
        first().Tree.reset();
        QCOMPARE(ex(a)->GetNode(), nullptr);
    }
};

QTEST_MAIN(TestSelectFrameTree)
#include "tst_selectframetree.moc"
