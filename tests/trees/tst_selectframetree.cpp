// SPDX-License-Identifier: MIT
// Node records and the links between host items and the rows showing them,
// with two trees over the same items as a frame and its favorites dialog
// have them.
#include "SelectTreeFixture.h"
#include "platform/DataTable.h"

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

} // namespace

class TestSelectFrameTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TShownTree> frames[2];
    QList<IPtr<IFrameItem>> items;

    TShownTree &first() { return *frames[0]; }
    TShownTree &second() { return *frames[1]; }
    TSelectFrameNode *row(TShownTree &frame, const IPtr<IFrameItem> &item)
    {
        return recordOf(frame.rows(), item.get());
    }

    /// Items a, and b and c in group G, of the first frame, handed to the
    /// second too.
    void addItems()
    {
        items = {first().add("a"), first().add("b", "G"), first().add("c", "G")};
        for (const auto &item : items)
            second().Manager.AddItem(item.get());
    }
    /// Each item's link: the frame whose row it names (1 or 2, "?" for a
    /// row of neither, "-" for none), "+" when it reads as checked.
    QString links()
    {
        QStringList out;
        for (const auto &item : items) {
            TSelectFrameNode *node = ex(item)->GetNode();
            QString owner = node ? QStringLiteral("?") : QStringLiteral("-");
            for (int f = 0; f < 2; ++f)
                if (node && frames[f] && frames[f]->Tree.getVM() && row(*frames[f], item) == node)
                    owner = QString::number(f + 1);
            out << owner + (ex(item)->GetChecked() ? "+" : "");
        }
        return out.join(u',');
    }

private slots:
    void init()
    {
        for (auto &frame : frames)
            frame = std::make_unique<TShownTree>();
    }
    void cleanup()
    {
        for (auto &frame : frames)
            frame.reset();
        items.clear();
    }

    // A row's cells and their records are made when the tree first reaches
    // them; each cell is found by its record.
    void cellRecordsAreMadeWhenReached()
    {
        first().add("a");
        first().add("b", "G");
        first().build();
        TSelectVirtualTree &tree = first().rows();
        QCOMPARE(tree.NodeRecords.Count(), size_t(3));
        for (TVirtualNode row : allRows(tree))
            for (int c = 0; c < 3; ++c) {
                const TVirtualNode node = tree.store().cell(row, c);
                const TSelectFrameNode *cell = tree.recordOf(node);
                QVERIFY(cell->Node == node && cell->Column == c &&
                        cell->FrameObject == tree.recordOf(row)->FrameObject);
                QCOMPARE(tree.getItem(const_cast<TSelectFrameNode *>(cell)), node);
            }
        QCOMPARE(tree.NodeRecords.Count(), size_t(9));
    }

    // An item links to the row built last and reads its check state from
    // there; when that tree goes (destroyed, rebuilt, given a new manager
    // after a model load, or none) the link follows the other tree's row,
    // or goes. Steps: "build F", "check F" (item a in frame F), "drop F"
    // (the frame destroyed), "rebuild F" (the rows), "init F" (the manager),
    // "reload F" (model and manager), "none F" (no manager).
    void linksFollowTheRowBuiltLast_data()
    {
        addColumns<QStringList, QStringList>("steps", "links");
        addRow("first tree destroyed first", QStringList{"build 1", "check 1", "build 2", "drop 1", "drop 2"},
               QStringList{"1,1,1", "1+,1,1", "2,2,2", "2,2,2", "-,-,-"});
        addRow("second tree destroyed first", QStringList{"build 1", "check 1", "build 2", "drop 2", "drop 1"},
               QStringList{"1,1,1", "1+,1,1", "2,2,2", "1+,1,1", "-,-,-"});
        addRow("rebuilding one keeps the other's rows reachable",
               QStringList{"build 1", "check 1", "build 2", "rebuild 1", "init 2", "drop 2", "drop 1"},
               QStringList{"1,1,1", "1+,1,1", "2,2,2", "1+,1,1", "2,2,2", "1+,1,1", "-,-,-"});
        addRow("a new manager after a model load",
               QStringList{"build 1", "check 1", "build 2", "drop 2", "reload 1", "none 1"},
               QStringList{"1,1,1", "1+,1,1", "2,2,2", "1+,1,1", "1,1,1", "-,-,-"});
    }
    void linksFollowTheRowBuiltLast()
    {
        QFETCH(QStringList, steps);
        addItems();
        QCOMPARE(links(), QStringLiteral("-,-,-"));
        QStringList seen;
        for (const QString &step : steps) {
            const QString verb = step.section(u' ', 0, 0);
            TShownTree &frame = *frames[step.section(u' ', 1).toInt() - 1];
            if (verb == u"build") {
                frame.build();
            } else if (verb == u"check") {
                row(frame, items[0])->FrameObject->SetState(fcsChecked);
            } else if (verb == u"drop") {
                frames[step.section(u' ', 1).toInt() - 1].reset();
            } else if (verb == u"rebuild") {
                frame.rows().Rebuild();
            } else if (verb == u"init") {
                frame.vm()->Initialize();
            } else if (verb == u"reload") {
                // The load destroys the objects the old records point to;
                // replacing the manager must not touch them.
                frame.build();
            } else {
                frame.Tree.setVM(nullptr);
            }
            seen << links();
        }
        QTEST(seen, "links");
    }

    // A regroup's new manager takes over the texts the filter matched: none
    // is made again, unless the host changed a value the texts show. Items
    // the new rows regroup stay matched.
    void aNewManagerTakesOverTheFilterTexts_data()
    {
        addColumns<QString, int>("value", "made");
        addRow("only the group changed", "group", 0);
        addRow("a shown column changed", "COLUMN2_DATA", 1);
    }
    void aNewManagerTakesOverTheFilterTexts()
    {
        QFETCH(QString, value);
        QFETCH(int, made);
        addItems();
        first().build();
        TSelectFrameTree &old = first().rows().NodeRecords;
        old.MatchFilter(u"c2");
        IPtr<IStringValueList> values;
        items[1]->GetValues(values.put());
        values->SetValue(value, "H");
        first().Manager.Rebuild();
        auto next = std::make_unique<TSelectVirtualManager>(&first().Manager);
        TSelectFrameTree &records = next->Tree->NodeRecords;
        int calls = 0;
        records.OnMakeFilterText = [&, make = records.OnMakeFilterText](const TSelectFrameNode *row, QString &out) {
            ++calls;
            make(row, out);
        };
        records.TakeFilterTexts(old);
        first().Tree.setVM(std::move(next));
        records.MatchFilter(u"c2");
        QCOMPARE(calls, made);
        QList<bool> matched;
        for (const auto &item : items)
            matched << records.Matched(row(first(), item));
        QCOMPARE(matched, (QList<bool>{true, made == 0, true}));
    }

    // Checks go through the row (no group update); refreshes call the
    // restyling of the tree built last, once one is installed.
    void checksAndRefreshesGoThroughTheRow()
    {
        addItems();
        first().build();
        const IPtr<IFrameItemEx> b = ex(items[1]);
        b->SetChecked(true);
        QVERIFY(b->GetChecked() && row(first(), items[1])->FrameObject->State == fcsChecked);
        QCOMPARE(first().Manager.Model()->FindGroup("G")->State, fcsUnchecked);
        b->SetChecked(false);
        QVERIFY(!b->GetChecked());

        second().build();
        const IPtr<IFrameItemEx> c = ex(items[2]);
        c->Refresh(); // nothing installed: nothing happens
        QList<TSelectFrameNode *> calls;
        for (int f = 0; f < 2; ++f)
            frames[f]->rows().NodeRecords.OnRefreshRow = [&calls](TSelectFrameNode *row) { calls.append(row); };
        const QList<TSelectFrameNode *> rows{row(second(), items[2]), row(first(), items[2])};
        c->Refresh();
        frames[1].reset();
        c->Refresh();
        QCOMPARE(calls, rows);
    }

    // An item listed twice links to its second row, after a rebuild too;
    // an item without the extended interface fails the build, and the rows
    // built before it are unlinked when the tree goes.
    void itemsListedTwiceOrWithoutTheExtendedInterface()
    {
        const IPtr<IFrameItem> a = first().add("a");
        first().Manager.AddItem(a.get());
        first().build();
        first().rows().Rebuild();
        const QList<TVirtualNode> rows = allRows(first().rows());
        QCOMPARE(rows.size(), 2);
        QCOMPARE(ex(a)->GetNode(), first().rows().recordOf(rows[1]));
        first().Manager.AddItem(new TPlainItem);
        QVERIFY_THROWS_EXCEPTION(std::bad_cast, first().build());
        QVERIFY(ex(a)->GetNode() != nullptr);
        frames[0].reset();
        QCOMPARE(ex(a)->GetNode(), nullptr);
    }
};

QTEST_MAIN(TestSelectFrameTree)
#include "tst_selectframetree.moc"
