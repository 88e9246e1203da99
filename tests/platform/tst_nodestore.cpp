// SPDX-License-Identifier: MIT
// The node store behind every adapter: links, navigation, order, layout,
// data lookup and lazily made slices.
#include "platform/tree/TBaseVirtualTree.h"
#include "platform/tree/TNodeOrder.h"
#include "platform/tree/TSliceGeometry.h"
#include "platform/tree/TSlicesFactory.h"
#include "platform/tree/TStringSlice.h"

#include <QTest>

#include <stdexcept>

using namespace selectframe;

namespace {

/// A new node with `data` and `state`, linked to `parent` as `link` says.
TVirtualNode add(TBaseVirtualTree &tree, TVirtualNode parent, void *data = nullptr, uint32_t state = 0,
                 int link = ltLastChild)
{
    const TVirtualNode node = tree.New(data, state);
    tree.add(parent, node, link);
    return node;
}

/// `count` rows under the root; those in `hidden` hidden.
std::vector<TVirtualNode> addRows(TBaseVirtualTree &tree, int count, const QList<int> &hidden = {})
{
    std::vector<TVirtualNode> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(add(tree, tree.Root(), nullptr, hidden.contains(i) ? uint32_t(nsHidden) : 0u));
    return rows;
}

/// Node ids of nodes or of row keys.
QList<uint32_t> ids(const std::vector<TVirtualNode> &nodes)
{
    QList<uint32_t> r;
    for (TVirtualNode n : nodes)
        r.append(n.Id);
    return r;
}
QList<uint32_t> ids(const std::vector<uint32_t> &keys)
{
    QList<uint32_t> r;
    for (uint32_t key : keys)
        r.append(TChildList::nodeOfKey(key).Id);
    return r;
}

} // namespace

class TestNodeStore : public QObject
{
    Q_OBJECT

private slots:
    void rowsCellsAndNavigation()
    {
        TBaseVirtualTree tree;
        int data[6] = {};
        const TVirtualNode group = add(tree, tree.Root(), &data[0]);
        const TVirtualNode a = add(tree, group, &data[1]), b = add(tree, group, &data[2], nsHidden);
        const TVirtualNode a1 = add(tree, a, &data[3], 0, ltNextCell), a2 = add(tree, a, &data[4], 0, ltNextCell);
        const TNodeStore &s = tree.store();
        // Cells are not children.
        QCOMPARE((std::vector<TVirtualNode>{s.firstChild(tree.Root()), s.firstChild(group), s.nextSibling(a),
                                            s.nextSibling(b), s.parentOf(b), s.firstChild(a), s.cell(a, 0),
                                            s.cell(a, 2), s.cell(a, 3)}),
                 (std::vector<TVirtualNode>{group, a, b, {}, group, {}, a, a2, {}}));
        QCOMPARE((QList<int>{s.columnOf(a2), s.cellCount(a), int(s.state(b))}), (QList<int>{2, 2, nsHidden}));
        QCOMPARE(tree.getData(a1), &data[3]);
        QVERIFY(s.isAttached(a2) && !s.isAttached(tree.New(&data[5], 0)));

        // Header columns under the root count from 0.
        TBaseVirtualTree header;
        const TVirtualNode c0 = add(header, header.Root(), nullptr, 0, ltNextCell);
        const TVirtualNode c1 = add(header, header.Root(), nullptr, 0, ltNextCell);
        QCOMPARE(header.store().cell(header.Root(), 1), c1);
        QCOMPARE(header.store().columnOf(c0), 0);

        // Removing a cell renumbers the ones after it; cells appended after
        // removals and to rows in turn land at the end.
        tree.remove(a1);
        QCOMPARE(s.cell(a, 1), a2);
        QCOMPARE(s.columnOf(a2), 1);
        const TVirtualNode a3 = add(tree, a, nullptr, 0, ltNextCell);
        QCOMPARE(s.columnOf(a3), 2);
        const TVirtualNode b1 = add(tree, b, nullptr, 0, ltNextCell);
        tree.remove(a3);
        tree.add(a, a1, ltNextCell);
        QCOMPARE(s.cell(a, 2), a1);
        tree.add(a, a3, ltNextCell);
        QCOMPARE((std::vector<TVirtualNode>{s.cell(a, 3), s.cell(b, 1)}), (std::vector<TVirtualNode>{a3, b1}));
        QCOMPARE(s.cellCount(a), 3);
    }

    void deferredCellsAreMadeWhenReached()
    {
        // Cells whose data names their row and column.
        struct TLazy : TBaseVirtualTree
        {
            std::vector<std::pair<TVirtualNode, int>> Made;
            void *CellData(TVirtualNode row, TVirtualNode, int column) override
            {
                Made.emplace_back(row, column);
                return reinterpret_cast<void *>(quintptr(row.Id * 16 + column));
            }
        } tree;
        const TVirtualNode a = add(tree, tree.Root()), b = add(tree, tree.Root());
        tree.addCells(a, 2);
        tree.addCells(b, 1);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tree.addCells(a, 1));
        const TNodeStore &s = tree.store();
        QCOMPARE(s.cellCount(a), 2);
        QVERIFY(tree.Made.empty());
        const TVirtualNode a2 = s.cell(a, 2);
        QCOMPARE(tree.Made.size(), size_t(2));
        QCOMPARE(tree.getData(a2), reinterpret_cast<void *>(quintptr(a.Id * 16 + 2)));
        QVERIFY(s.columnOf(a2) == 2 && s.parentOf(a2) == a && s.isCell(a2) && !s.cell(a, 3) && !s.firstChild(a));
        // A cell added by hand goes after the deferred ones, which it makes.
        const TVirtualNode b2 = add(tree, b, nullptr, 0, ltNextCell);
        QCOMPARE(tree.Made.size(), size_t(3));
        QCOMPARE(s.cell(b, 2), b2);
        QCOMPARE(tree.getItem(tree.getData(s.cell(b, 1))), s.cell(b, 1));
    }

    void layoutKeepsHiddenRowsOut()
    {
        TBaseVirtualTree tree;
        const std::vector<TVirtualNode> rows = addRows(tree, 5, {1, 3});
        TNodeStore &s = tree.store();
        QVERIFY(s.needsLayout());
        s.layout();
        QCOMPARE(ids(s.children(tree.Root())->Visible), (QList<uint32_t>{rows[0].Id, rows[2].Id, rows[4].Id}));
        QCOMPARE(s.visibleIndex(rows[4]), 2u);
        QVERIFY(!s.isLaidOutVisible(rows[1]));
        // A change shows only after the next layout; flags other than
        // hidden do not touch it.
        s.setState(rows[1], 0);
        QVERIFY(s.needsLayout());
        QCOMPARE(s.children(tree.Root())->Visible.size(), size_t(3));
        s.layout();
        QCOMPARE(s.visibleIndex(rows[2]), 2u);
        QVERIFY(s.isLaidOutVisible(rows[1]));
        s.setState(rows[0], nsExpanded);
        QVERIFY(!s.needsLayout());
    }

    void badLinksThrow()
    {
        TBaseVirtualTree tree;
        const TVirtualNode a = add(tree, tree.Root()), b = add(tree, a);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tree.add(b, a, ltLastChild));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tree.add(a, b, 5));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tree.add(TVirtualNode{999}, b, ltLastChild));
        // A row that gets children is marked as a parent in its row key.
        tree.store().layout();
        QVERIFY(tree.store().children(tree.Root())->Visible[0] & TChildList::ParentBit);
        // Re-adding moves the node.
        tree.add(tree.Root(), b, ltLastChild);
        QCOMPARE(tree.store().nextSibling(a), b);
        QCOMPARE(tree.store().firstChild(a), TVirtualNode{});
    }

    // The node made last for a data pointer is found, also after moves,
    // removals and re-adds, and an older removed row never shadows a newer
    // one; the same before any lookup built the index.
    void getItemRemoveClear()
    {
        TBaseVirtualTree tree;
        int x = 0, y = 0;
        const TVirtualNode nx = add(tree, tree.Root(), &x);
        QCOMPARE(tree.getItem(&x), nx);
        QCOMPARE(tree.getItem(&y), TVirtualNode{});
        const TVirtualNode ny = add(tree, tree.Root(), &y);
        QCOMPARE(tree.getItem(&y), ny);
        tree.add(ny, nx, ltLastChild);
        QCOMPARE(tree.getItem(&x), nx);
        tree.add(tree.Root(), nx, ltLastChild);
        QCOMPARE(tree.getItem(&x), nx);

        tree.remove(nx);
        QCOMPARE(tree.getItem(&x), TVirtualNode{});
        QCOMPARE(tree.getData(nx), &x); // data stays with the removed node
        QCOMPARE(tree.store().firstChild(tree.Root()), ny);
        const TVirtualNode again = tree.New(&x, 0);
        QCOMPARE(tree.getItem(&x), again);
        tree.add(tree.Root(), again, ltLastChild);
        tree.remove(again);
        const QList<std::pair<TVirtualNode, TVirtualNode>> readds{{nx, nx}, {again, again}, {nx, again}};
        for (const auto &[readded, found] : readds) {
            tree.add(tree.Root(), readded, ltLastChild);
            QCOMPARE(tree.getItem(&x), found);
        }
        TBaseVirtualTree fresh;
        const TVirtualNode nf = add(fresh, fresh.Root(), &y);
        fresh.remove(nf);
        QCOMPARE(fresh.getItem(&y), TVirtualNode{});
        fresh.add(fresh.Root(), nf, ltLastChild);
        QCOMPARE(fresh.getItem(&y), nf);

        tree.clear();
        QCOMPARE(tree.getItem(&y), TVirtualNode{});
        QCOMPARE(tree.store().firstChild(tree.Root()), TVirtualNode{});
        QCOMPARE(tree.store().nodeCount(), 1u);
    }

    // Sorting is stable and goes into the children only when asked; a
    // throwing order leaves the list as it was.
    void sortChildren()
    {
        TBaseVirtualTree tree;
        const std::vector<TVirtualNode> top = addRows(tree, 5);
        const std::vector<TVirtualNode> inner{add(tree, top[0]), add(tree, top[0])};
        QHash<uint32_t, int> keys;
        for (const auto &[nodes, values] :
             {std::pair{top, QList<int>{2, 1, 2, 1, 0}}, std::pair{inner, QList<int>{3, 1}}})
            for (int i = 0; i < values.size(); ++i)
                keys[nodes[size_t(i)].Id] = values[i];
        TNodeStore &s = tree.store();
        TCompareOrder order([&keys](TVirtualNode a, TVirtualNode b) { return keys[a.Id] - keys[b.Id]; });
        s.sortChildren(tree.Root(), false, order);
        const QList<uint32_t> sorted{top[4].Id, top[1].Id, top[3].Id, top[0].Id, top[2].Id};
        QCOMPARE(ids(s.children(tree.Root())->All), sorted);
        QCOMPARE(s.nextSibling(top[1]), top[3]);
        QCOMPARE(s.firstChild(top[0]), inner[0]);
        s.sortChildren(tree.Root(), true, order);
        QCOMPARE(s.firstChild(top[0]), inner[1]);

        addRows(tree, 35);
        const QList<uint32_t> before = ids(s.children(tree.Root())->All);
        int calls = 0;
        TCompareOrder failing([&](TVirtualNode a, TVirtualNode b) {
            if (++calls == 30)
                throw std::runtime_error("compare failed");
            return int(b.Id) - int(a.Id);
        });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, s.sortChildren(tree.Root(), false, failing));
        QCOMPARE(ids(s.children(tree.Root())->All), before);
        QCOMPARE(s.nextSibling(top[1]), top[3]);
    }

    // Slices are made once, on first request, and kept with what was set
    // on them; a failed InitSlices is asked again.
    void slicesAreMadeOnceAndKept()
    {
        struct TFlaky : TBaseVirtualTree
        {
            int Calls = 0;
            void InitSlices(TVirtualNode, TSlices *slices) override
            {
                if (++Calls == 1)
                    throw std::runtime_error("not yet");
                slices->Add({SlicesFactory().create("check"), SlicesFactory().create("string")});
            }
            void FillSlices(TVirtualNode, TSlices *slices) override
            {
                sliceAs<TStringSlice>(slices->GetSlice(1))->Text = QStringLiteral("filled");
            }
        } tree;
        const TVirtualNode n = add(tree, tree.Root());
        QCOMPARE(tree.Calls, 0);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, tree.slicesOf(n));
        TSlices *slices = tree.slicesOf(n);
        QCOMPARE(slices->Count(), 2);
        slices->GetSlice(1)->Style = getStyle("red");
        QCOMPARE(tree.slicesOf(n), slices);
        QCOMPARE(tree.filledSlicesOf(n), slices);
        QCOMPARE(tree.Calls, 2);
        QCOMPARE(slices->GetSlice(1)->Style, getStyle("red"));
        QCOMPARE(sliceAs<TStringSlice>(slices->GetSlice(1))->Text, QStringLiteral("filled"));
        QVERIFY(!slices->GetSlice(2) && !slices->GetSlice(-1));
        // A point beyond every slice, or on one of no width, hits none.
        const TSliceGeometry::TRects rects{QRect(0, 0, 0, 9), QRect(0, 0, 10, 9)};
        QCOMPARE((QList<int>{TSliceGeometry::sliceAt(rects, 0), TSliceGeometry::sliceAt(rects, 10)}),
                 (QList<int>{1, -1}));
    }

    // An adapter draws check boxes as check boxes and leaves the text under
    // the mouse as the tip unless it says otherwise. Unknown style names
    // fall back rather than fail; the error red stays readable on dark and
    // light backgrounds.
    void defaultsStylesAndKinds()
    {
        TBaseVirtualTree tree;
        QByteArray skin;
        QString tip = QStringLiteral("under the mouse");
        tree.FillSkinName(tree.Root(), &skin);
        tree.FillToolTip(tree.Root(), &tip);
        QCOMPARE(skin + ' ' + tip.toUtf8(), QByteArray("default under the mouse"));
        QCOMPARE(getStyle("no such style"), getStyle("text"));
        QPalette dark, light;
        for (auto [palette, base, text] :
             {std::tuple{&dark, Qt::black, Qt::white}, std::tuple{&light, Qt::white, Qt::black}})
            palette->setColor(QPalette::Base, base), palette->setColor(QPalette::Text, text);
        QCOMPARE(getStyle("text")->color(dark, true, false), QColor(Qt::white));
        QVERIFY(getStyle("red")->color(dark, true, false).lightness() >
                getStyle("red")->color(light, true, false).lightness());
        QCOMPARE(SlicesFactory().create("button"), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestNodeStore)
#include "tst_nodestore.moc"
