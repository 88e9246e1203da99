// SPDX-License-Identifier: MIT
// The item tree's manager and adapters in a tree control: rows and cells,
// images and links, select modes and tool tips; node records and the links
// between host items and the rows showing them, with two trees over the same
// items as a frame and its favorites dialog have them. What a row shows and
// how it is drawn is the frame's presentation suites'. How the tree control
// handles these rows is tst_customtree's; the frame sorts this tree in
// tst_sorting. Also the favorites list, whose editing is driven through the
// favorites dialog (tst_organizefavorites).
#include "SelectTreeFixture.h"
#include "platform/DataTable.h"

#include "platform/tree/TCheckSlice.h"
#include "platform/tree/TStringSlice.h"
#include "trees/FavoritesTreeManager.h"

#include <QApplication>
#include <QStringEncoder>
#include <QToolTip>

#include <typeinfo>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// The texts of the shown row `index` in every column.
QStringList cellTexts(const QModelIndex &index)
{
    return {index.data().toString(), index.siblingAtColumn(1).data().toString(),
            index.siblingAtColumn(2).data().toString()};
}

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

class TestSelectTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TShownTree> frames[2];
    QList<IPtr<IFrameItem>> items;

    TShownTree &first() { return *frames[0]; }
    TShownTree &second() { return *frames[1]; }
    TTree *tree = nullptr;
    TFrameManager &fm() { return first().Manager; }
    TSelectVirtualTree &rows() { return first().rows(); }
    TNodeStore &store() { return first().store(); }
    TVirtualNode top(int i) { return first().child(i); }
    TSlices *filled(TVirtualNode node) { return rows().filledSlicesOf(node); }
    /// The record of the row `frame` built for `item`, or null.
    TSelectFrameNode *row(TShownTree &frame, const IPtr<IFrameItem> &item)
    {
        for (TVirtualNode n : allRows(frame.rows())) {
            TSelectFrameNode *record = frame.rows().recordOf(n);
            const TBaseFrameObject *object = record->FrameObject;
            if (object->Kind == fokItem && static_cast<const TFrameItemObject *>(object)->Item.get() == item.get())
                return record;
        }
        return nullptr;
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
            TSelectFrameNode *node = item.query<IFrameItemEx>()->GetNode();
            QString owner = node ? QStringLiteral("?") : QStringLiteral("-");
            for (int f = 0; f < 2; ++f)
                if (node && frames[f] && frames[f]->Tree.getVM() && row(*frames[f], item) == node)
                    owner = QString::number(f + 1);
            out << owner + (item.query<IFrameItemEx>()->GetChecked() ? "+" : "");
        }
        return out.join(u',');
    }

private slots:
    void init()
    {
        for (auto &frame : frames)
            frame = std::make_unique<TShownTree>();
        tree = &first().Tree;
    }
    void cleanup()
    {
        for (auto &frame : frames)
            frame.reset();
        items.clear();
    }

    // An item links to the row built last and reads its check state from
    // there; when that tree goes (destroyed, rebuilt, given a new manager
    // after a model load, or none) the link follows the other tree's row,
    // or goes. Steps: "build F", "check F" (item a in frame F), "drop F"
    // (the frame destroyed), "rebuild F" (the rows), "init F" (the manager),
    // "reload F" (model and manager), "none F" (no manager).
    void linksFollowTheRowBuiltLast_data()
    {
        addColumns({"steps", "links"});
        addRow("first tree destroyed first", "build 1,check 1,build 2,drop 1,drop 2", "1,1,1 1+,1,1 2,2,2 2,2,2 -,-,-");
        addRow("second tree destroyed first", "build 1,check 1,build 2,drop 2,drop 1",
               "1,1,1 1+,1,1 2,2,2 1+,1,1 -,-,-");
        addRow("rebuilding one keeps the other's rows reachable",
               "build 1,check 1,build 2,rebuild 1,init 2,drop 2,drop 1",
               "1,1,1 1+,1,1 2,2,2 1+,1,1 2,2,2 1+,1,1 -,-,-");
        addRow("a new manager after a model load", "build 1,check 1,build 2,drop 2,reload 1,none 1",
               "1,1,1 1+,1,1 2,2,2 1+,1,1 1,1,1 -,-,-");
    }
    void linksFollowTheRowBuiltLast()
    {
        QFETCH(QString, steps);
        addItems();
        QCOMPARE(links(), QStringLiteral("-,-,-"));
        QStringList seen;
        for (const QString &step : steps.split(u',')) {
            const QString verb = step.section(u' ', 0, 0);
            const int f = step.section(u' ', 1).toInt() - 1;
            TShownTree &frame = *frames[f];
            // A reload's load destroys the objects the old records point
            // to; replacing the manager must not touch them.
            if (verb == u"build" || verb == u"reload")
                frame.build();
            else if (verb == u"check")
                row(frame, items[0])->FrameObject->SetState(fcsChecked);
            else if (verb == u"drop")
                frames[f].reset();
            else if (verb == u"rebuild")
                frame.rows().Rebuild();
            else if (verb == u"init")
                frame.vm()->Initialize();
            else
                frame.Tree.setVM(nullptr);
            seen << links();
        }
        QTEST(seen.join(u' '), "links");
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
        const IPtr<IFrameItemEx> b = items[1].query<IFrameItemEx>();
        b->SetChecked(true);
        QVERIFY(b->GetChecked() && row(first(), items[1])->FrameObject->State == fcsChecked);
        QCOMPARE(first().Manager.Model()->FindGroup("G")->State, fcsUnchecked);
        b->SetChecked(false);
        QVERIFY(!b->GetChecked());

        second().build();
        const IPtr<IFrameItemEx> c = items[2].query<IFrameItemEx>();
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
        QCOMPARE(a.query<IFrameItemEx>()->GetNode(), first().rows().recordOf(rows[1]));
        first().Manager.AddItem(new TPlainItem);
        QVERIFY_THROWS_EXCEPTION(std::bad_cast, first().build());
        QVERIFY(a.query<IFrameItemEx>()->GetNode() != nullptr);
        frames[0].reset();
        QCOMPARE(a.query<IFrameItemEx>()->GetNode(), nullptr);
    }

    // The default group's items come first at the top level, named groups
    // follow in order of appearance; every row has a cell per further column.
    // A row's cells and their records are made when the tree first reaches
    // them; each cell is found by its record.
    void rowsGroupsAndCells()
    {
        for (const auto &[id, group] : {std::pair{"x", "G2"}, {"a", ""}, {"y", "G1"}, {"b", ""}, {"z", "G2"}})
            first().add(id, group);
        first().build();
        QCOMPARE(rows().NodeRecords.Count(), size_t(7));
        const QList<TVirtualNode> all = allRows(rows());
        QVERIFY(std::all_of(all.begin(), all.end(), [this](TVirtualNode row) { return store().cellCount(row) == 2; }));
        for (TVirtualNode row : all)
            for (int c = 0; c < 3; ++c) {
                const TVirtualNode node = store().cell(row, c);
                const TSelectFrameNode *cell = rows().recordOf(node);
                QVERIFY(cell->Node == node && cell->Column == c &&
                        cell->FrameObject == rows().recordOf(row)->FrameObject);
                QCOMPARE(rows().getItem(const_cast<TSelectFrameNode *>(cell)), node);
            }
        QCOMPARE(rows().NodeRecords.Count(), size_t(7 * 3));
        QAbstractItemModel *m = tree->model();
        QCOMPARE(first().shown(), (QStringList{"Item a", "Item b", "G2", "G1"}));
        QCOMPARE(first().shown(2) + first().shown(3), (QStringList{"Item x", "Item z", "Item y"}));
        QCOMPARE(cellTexts(m->index(0, 0)), (QStringList{"Item a", "a c1", "a c2"}));
        QCOMPARE(cellTexts(m->index(1, 0, m->index(2, 0))), (QStringList{"Item z", "z c1", "z c2"}));

        TSlices *cell = filled(store().cell(top(0), 2));
        QCOMPARE(cell->Count(), 1);
        QCOMPARE(cell->GetSlice(0)->Layout1, uint32_t(slFill));
        QCOMPARE(cell->GetSlice(0)->Style, getStyle("text"));
    }

    // The image index is the "image" value when it is a number. The action
    // link goes through the system encoding and back: a text that encoding
    // holds is shown unchanged, one it lacks (an ANSI code page, or a lone
    // surrogate, which no encoding holds) shows replacements instead.
    void imageAndLinkValues_data()
    {
        addColumns<QString, int, QString>("image", "index", "link");
        addRow("not a number", "abc", -1, QString());
        addRow("number and text", "2x", -1, QString::fromUtf8("Über straße"));
        addRow("index", "2", 2, QString());
        addRow("past the list", "9", 9, u'a' + QString(QChar(0xD800)) + u'b');
    }
    void imageAndLinkValues()
    {
        QFETCH(QString, image);
        QFETCH(int, index);
        QFETCH(QString, link);
        first().add("a", {}, {{"image", image}, {"c_action_link", link}});
        first().build();
        QCOMPARE(sliceAs<TImageSlice>(filled(top(0))->GetSlice(1))->ImageIndex, index);
        QStringEncoder encoder(QStringConverter::System);
        const QByteArray encoded = encoder(link);
        const QString shown = sliceAs<TStringSlice>(filled(top(0))->GetSlice(3))->Text;
        if (!encoder.hasError())
            QCOMPARE(shown, link);
        else
            QVERIFY(shown != link && shown.size() == link.size() &&
                    std::none_of(shown.begin(), shown.end(), [](QChar c) { return c.isSurrogate(); }));
    }

    // Groups without check boxes and radio items: the skin of every node
    // of their rows; a group offers no check state.
    void selectModeOnlyOne()
    {
        first().add("a", "G");
        fm().GroupsCheckable = false;
        fm().RadioItems = true;
        first().build();
        const TVirtualNode group = top(0);
        const TVirtualNode item = store().firstChild(group);
        const auto skinOf = [this](TVirtualNode node) {
            QByteArray skin;
            rows().FillSkinName(node, &skin);
            return skin;
        };
        for (TVirtualNode node : {group, item, store().cell(item, 2), store().cell(group, 1)})
            QCOMPARE(skinOf(node), QByteArray("radio"));
        const QModelIndex g = tree->model()->index(0, 0);
        QVERIFY(!g.data(Qt::CheckStateRole).isValid() && !(g.flags() & Qt::ItemIsUserCheckable));
        fm().RadioItems = false;
        fm().ItemsCheckable = false;
        QCOMPARE(skinOf(item), QByteArray("default"));
        QVERIFY(!sliceAs<TCheckSlice>(filled(item)->GetSlice(0))->Shown);
    }

    // Hovered as a user would: an item's hint shows over every cell of its
    // row and an item without one shows none; a group shows the text under
    // the mouse; with tool tips off nothing shows. Empty answers first: a
    // tip shown stays up a while.
    void toolTips()
    {
        first().add("a", "G", {{"hint", "About a"}});
        first().add("b");
        first().set(keys::OptionGroupsExpanded, true);
        first().build();
        first().showWindow();
        const TVirtualNode item = store().firstChild(top(1));
        const auto tipAt = [this](TVirtualNode row, int column) {
            const QPoint at = tree->nodeRect(row, column).center();
            QHelpEvent event(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
            QApplication::sendEvent(tree->viewport(), &event);
            return QToolTip::text();
        };
        // Without focus handlers the focus moves all the same.
        tree->SetNodeFocused(item);
        tree->SetNodeFocused(top(0));
        QCOMPARE(tree->GetNodeFocused(), top(0));
        QString ofRoot = QStringLiteral("x"); // a node of no object has none
        rows().FillToolTip(rows().Root(), &ofRoot);
        tree->setToolTips(false);
        const QString off = tipAt(item, 0);
        tree->setToolTips(true);
        QCOMPARE((QStringList{ofRoot, off, tipAt(top(0), 0), tipAt(item, 0), tipAt(item, 2), tipAt(top(1), 0)}),
                 (QStringList{"", "", "", "About a", "About a", "G"}));
    }

    // The favorites list: one column captioned "1" that stretches, a row
    // per favorite but the embedded one, kept in its order by any sort.
    void favoritesList()
    {
        queryInterface<IDataStorage>(fm().Favorites())->Load({"z=", "%EmbeddedFavorites%=q", "a=", "m="});
        tree->setVM(std::make_unique<TFavoritesTreeManager>(&fm()));
        TBaseVirtualTree *header = tree->getVM()->Columns();
        QCOMPARE(header->store().cellCount(header->Root()), 1);
        const TVirtualNode column = header->store().cell(header->Root(), 0);
        QCOMPARE(sliceAs<TStringSlice>(header->filledSlicesOf(column)->GetSlice(0))->Text, QStringLiteral("1"));
        uint32_t state = 0;
        int32_t one = -7, two = -9, three = -5;
        header->FillStateInfo(column, &state, &one, &two, &three);
        QCOMPARE((QList<int>{int(state), one, two, three}), (QList<int>{0, -7, -9, 0x10000}));
        for (TSortType type : {stNatural, stReversed}) {
            tree->Sort(tree->getVM()->getRoot(), 0, type, true);
            QCOMPARE(first().shown(), (QStringList{"z", "a", "m"}));
        }
    }
};

QTEST_MAIN(TestSelectTree)
#include "tst_selecttree.moc"
