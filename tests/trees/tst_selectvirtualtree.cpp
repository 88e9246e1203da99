// SPDX-License-Identifier: MIT
// The item tree's manager and adapters in a tree control: rows and cells,
// images and links, select modes and tool tips; what a row shows and how
// it is drawn is the frame's presentation suites'. How the tree control
// handles these rows is tst_customtree's; the frame sorts this tree in
// tst_sorting. Also the favorites list, whose editing is driven through
// the favorites dialog (tst_organizefavorites).
#include "SelectTreeFixture.h"
#include "platform/DataTable.h"

#include "platform/tree/TCheckSlice.h"
#include "platform/tree/TStringSlice.h"
#include "trees/FavoritesTreeManager.h"

#include <QApplication>
#include <QStringEncoder>
#include <QToolTip>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// What a column cell or the text slices of a row show.
QString textOf(TSlices *slices, int index)
{
    return sliceAs<TStringSlice>(slices->GetSlice(index))->Text;
}

/// The texts of the shown row `index` in every column.
QStringList cellTexts(const QModelIndex &index)
{
    return {index.data().toString(), index.siblingAtColumn(1).data().toString(),
            index.siblingAtColumn(2).data().toString()};
}

} // namespace

class TestSelectVirtualTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TShownTree> t;
    TFrameFixture *frame = nullptr;
    TTree *tree = nullptr;

    TFrameManager &fm() { return t->Manager; }
    TSelectVirtualTree &rows() const { return t->rows(); }
    TNodeStore &store() const { return t->store(); }
    void show() { t->build(); }
    TVirtualNode top(int i) const { return t->child(i); }
    TSlices *filled(TVirtualNode node) { return rows().filledSlicesOf(node); }
    template <class T>
    T *slice(TVirtualNode node, int index)
    {
        return sliceAs<T>(filled(node)->GetSlice(index));
    }
    /// State and the three integers `adapter` reports for `node`, from
    /// `state` and -7, -9, -5.
    QList<int> stateInfo(TBaseVirtualTree &adapter, TVirtualNode node, uint32_t state)
    {
        int32_t first = -7, second = -9, third = -5;
        adapter.FillStateInfo(node, &state, &first, &second, &third);
        return {int(state), first, second, third};
    }

private slots:
    void init()
    {
        t = std::make_unique<TShownTree>();
        frame = t.get();
        tree = &t->Tree;
        tree->resize(560, 300);
    }
    void cleanup() { t.reset(); }

    // The default group's items come first at the top level, named groups
    // follow in order of appearance; every row has a cell per further column.
    void rowsGroupsAndCells()
    {
        frame->add("x", "G2");
        frame->add("a");
        frame->add("y", "G1");
        frame->add("b");
        frame->add("z", "G2");
        show();
        QAbstractItemModel *m = tree->model();
        QCOMPARE(shownCaptions(m), (QStringList{"Item a", "Item b", "G2", "G1"}));
        QCOMPARE(shownCaptions(m, m->index(2, 0)) + shownCaptions(m, m->index(3, 0)),
                 (QStringList{"Item x", "Item z", "Item y"}));
        const QList<TVirtualNode> all = allRows(rows());
        QCOMPARE(all.size(), 7);
        QVERIFY(std::all_of(all.begin(), all.end(), [this](TVirtualNode row) { return store().cellCount(row) == 2; }));
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
        frame->add("a", {}, {{"image", image}, {"c_action_link", link}});
        show();
        QCOMPARE(slice<TImageSlice>(top(0), 1)->ImageIndex, index);
        QStringEncoder encoder(QStringConverter::System);
        const QByteArray encoded = encoder(link);
        const QString shown = textOf(filled(top(0)), 3);
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
        frame->add("a", "G");
        fm().GroupsCheckable = false;
        fm().RadioItems = true;
        show();
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
        QVERIFY(!slice<TCheckSlice>(item, 0)->Shown);
    }

    // Hovered as a user would: an item's hint shows over every cell of its
    // row and an item without one shows none; a group shows the text under
    // the mouse; with tool tips off nothing shows. Empty answers first: a
    // tip shown stays up a while.
    void toolTips()
    {
        frame->add("a", "G", {{"hint", "About a"}});
        frame->add("b");
        frame->set(keys::OptionGroupsExpanded, true);
        show();
        t->showWindow();
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
        QCOMPARE(textOf(header->filledSlicesOf(column), 0), QStringLiteral("1"));
        QCOMPARE(stateInfo(*header, column, 0), (QList<int>{0, -7, -9, 0x10000}));
        for (TSortType type : {stNatural, stReversed}) {
            tree->Sort(tree->getVM()->getRoot(), 0, type, true);
            QCOMPARE(shownCaptions(tree->model()), (QStringList{"z", "a", "m"}));
        }
    }
};

QTEST_MAIN(TestSelectVirtualTree)
#include "tst_selectvirtualtree.moc"
