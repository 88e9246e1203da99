// SPDX-License-Identifier: MIT
// The node store behind every adapter: links, navigation, order, layout,
// data lookup and lazily made slices.
#include "TreeTestAdapters.h"

#include "platform/tree/TNodeOrder.h"

#include <QTest>

#include <stdexcept>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// Sorts by a key kept per node id, counting comparisons.
TCompareOrder orderBy(const QHash<uint32_t, int> &keys)
{
    return TCompareOrder([&keys](TVirtualNode a, TVirtualNode b) { return keys[a.Id] - keys[b.Id]; });
}

QList<uint32_t> ids(const std::vector<TVirtualNode> &nodes)
{
    QList<uint32_t> r;
    for (TVirtualNode n : nodes)
        r.append(n.Id);
    return r;
}

/// Node ids of row keys.
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
        const TVirtualNode group = tree.New(&data[0], 0);
        tree.add(tree.Root(), group, ltLastChild);
        const TVirtualNode a = tree.New(&data[1], 0);
        const TVirtualNode b = tree.New(&data[2], nsHidden);
        tree.add(group, a, ltLastChild);
        tree.add(group, b, ltLastChild);
        const TVirtualNode a1 = tree.New(&data[3], 0);
        const TVirtualNode a2 = tree.New(&data[4], 0);
        tree.add(a, a1, ltNextCell);
        tree.add(a, a2, ltNextCell);
        const TNodeStore &s = tree.store();

        QCOMPARE(s.firstChild(tree.Root()), group);
        QCOMPARE(s.firstChild(group), a);
        QCOMPARE(s.nextSibling(a), b);
        QCOMPARE(s.nextSibling(b), TVirtualNode{});
        QCOMPARE(s.parentOf(b), group);
        QCOMPARE(s.firstChild(a), TVirtualNode{}); // cells are not children
        QCOMPARE(s.cell(a, 0), a);
        QCOMPARE(s.cell(a, 2), a2);
        QCOMPARE(s.cell(a, 3), TVirtualNode{});
        QCOMPARE(s.columnOf(a2), 2);
        QCOMPARE(s.cellCount(a), 2);
        QCOMPARE(tree.getData(a1), &data[3]);
        QCOMPARE(s.state(b), uint32_t(nsHidden));
        QVERIFY(s.isAttached(a2));
        QVERIFY(!s.isAttached(tree.New(&data[5], 0)));

        // Header columns under the root count from 0.
        TBaseVirtualTree header;
        const TVirtualNode c0 = header.New(nullptr, 0);
        const TVirtualNode c1 = header.New(nullptr, 0);
        header.add(header.Root(), c0, ltNextCell);
        header.add(header.Root(), c1, ltNextCell);
        QCOMPARE(header.store().cell(header.Root(), 1), c1);
        QCOMPARE(header.store().columnOf(c0), 0);

        // Removing a cell renumbers the ones after it.
        tree.remove(a1);
        QCOMPARE(s.cell(a, 1), a2);
        QCOMPARE(s.columnOf(a2), 1);

        // Cells appended after removals and to rows in turn land at the end.
        const TVirtualNode a3 = tree.New(nullptr, 0);
        tree.add(a, a3, ltNextCell);
        QCOMPARE(s.columnOf(a3), 2);
        const TVirtualNode b1 = tree.New(nullptr, 0);
        tree.add(b, b1, ltNextCell);
        tree.remove(a3);
        tree.add(a, a1, ltNextCell);
        QCOMPARE(s.cell(a, 2), a1);
        tree.add(a, a3, ltNextCell);
        QCOMPARE(s.cell(a, 3), a3);
        QCOMPARE(s.cell(b, 1), b1);
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
        const TVirtualNode a = tree.New(nullptr, 0);
        const TVirtualNode b = tree.New(nullptr, 0);
        tree.add(tree.Root(), a, ltLastChild);
        tree.add(tree.Root(), b, ltLastChild);
        tree.addCells(a, 2);
        tree.addCells(b, 1);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tree.addCells(a, 1));
        QCOMPARE(tree.store().cellCount(a), 2);
        QVERIFY(tree.Made.empty());
        const TVirtualNode a2 = tree.store().cell(a, 2);
        QCOMPARE(tree.Made.size(), size_t(2));
        QCOMPARE(tree.getData(a2), reinterpret_cast<void *>(quintptr(a.Id * 16 + 2)));
        QCOMPARE(tree.store().columnOf(a2), 2);
        QCOMPARE(tree.store().parentOf(a2), a);
        QVERIFY(tree.store().isCell(a2));
        QCOMPARE(tree.store().cell(a, 3), TVirtualNode{});
        // A cell added by hand goes after the deferred ones, which it makes.
        const TVirtualNode b2 = tree.New(nullptr, 0);
        tree.add(b, b2, ltNextCell);
        QCOMPARE(tree.Made.size(), size_t(3));
        QCOMPARE(tree.store().cell(b, 2), b2);
        QCOMPARE(tree.getItem(tree.getData(tree.store().cell(b, 1))), tree.store().cell(b, 1));
        QCOMPARE(tree.store().firstChild(a), TVirtualNode{});
    }

    void layoutKeepsHiddenRowsOut()
    {
        TBaseVirtualTree tree;
        std::vector<TVirtualNode> rows;
        for (int i = 0; i < 5; ++i) {
            rows.push_back(tree.New(nullptr, i == 1 || i == 3 ? uint32_t(nsHidden) : 0u));
            tree.add(tree.Root(), rows.back(), ltLastChild);
        }
        TNodeStore &s = tree.store();
        QVERIFY(s.needsLayout());
        s.layout();
        QCOMPARE(ids(s.children(tree.Root())->Visible), (QList<uint32_t>{rows[0].Id, rows[2].Id, rows[4].Id}));
        QCOMPARE(s.visibleIndex(rows[4]), 2u);
        QVERIFY(!s.isLaidOutVisible(rows[1]));

        // A change shows only after the next layout.
        s.setState(rows[1], 0);
        QVERIFY(s.needsLayout());
        QCOMPARE(s.children(tree.Root())->Visible.size(), size_t(3));
        s.layout();
        QCOMPARE(s.visibleIndex(rows[2]), 2u);
        QVERIFY(s.isLaidOutVisible(rows[1]));
        // Flags other than hidden do not touch the layout.
        s.setState(rows[0], nsExpanded);
        QVERIFY(!s.needsLayout());
    }

    void badLinksThrow()
    {
        TBaseVirtualTree tree;
        const TVirtualNode a = tree.New(nullptr, 0);
        const TVirtualNode b = tree.New(nullptr, 0);
        tree.add(tree.Root(), a, ltLastChild);
        tree.add(a, b, ltLastChild);
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

    void getItemRemoveClear()
    {
        TBaseVirtualTree tree;
        int x = 0, y = 0;
        const TVirtualNode nx = tree.New(&x, 0);
        tree.add(tree.Root(), nx, ltLastChild);
        QCOMPARE(tree.getItem(&x), nx);
        QCOMPARE(tree.getItem(&y), TVirtualNode{});
        // Nodes made after the first lookup are found too; the latest wins.
        const TVirtualNode ny = tree.New(&y, 0);
        tree.add(tree.Root(), ny, ltLastChild);
        QCOMPARE(tree.getItem(&y), ny);
        // A moved row is still found.
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
        // A removed row added again is found again, and the older removed
        // row never shadows a newer one.
        tree.add(tree.Root(), again, ltLastChild);
        tree.remove(again);
        tree.add(tree.Root(), nx, ltLastChild);
        QCOMPARE(tree.getItem(&x), nx);
        tree.add(tree.Root(), again, ltLastChild);
        QCOMPARE(tree.getItem(&x), again);
        tree.add(tree.Root(), nx, ltLastChild);
        QCOMPARE(tree.getItem(&x), again);
        // The same before any lookup built the index.
        TBaseVirtualTree fresh;
        const TVirtualNode nf = fresh.New(&y, 0);
        fresh.add(fresh.Root(), nf, ltLastChild);
        fresh.remove(nf);
        QCOMPARE(fresh.getItem(&y), TVirtualNode{});
        fresh.add(fresh.Root(), nf, ltLastChild);
        QCOMPARE(fresh.getItem(&y), nf);

        tree.clear();
        QCOMPARE(tree.getItem(&y), TVirtualNode{});
        QCOMPARE(tree.store().firstChild(tree.Root()), TVirtualNode{});
        QCOMPARE(tree.store().nodeCount(), 1u);
    }

    void sortIsStableAndRecursive()
    {
        TBaseVirtualTree tree;
        QHash<uint32_t, int> keys;
        std::vector<TVirtualNode> top;
        for (int key : {2, 1, 2, 1, 0}) {
            top.push_back(tree.New(nullptr, 0));
            keys[top.back().Id] = key;
            tree.add(tree.Root(), top.back(), ltLastChild);
        }
        std::vector<TVirtualNode> inner;
        for (int key : {3, 1}) {
            inner.push_back(tree.New(nullptr, 0));
            keys[inner.back().Id] = key;
            tree.add(top[0], inner.back(), ltLastChild);
        }
        TNodeStore &s = tree.store();
        TCompareOrder order = orderBy(keys);

        s.sortChildren(tree.Root(), false, order);
        QCOMPARE(ids(s.children(tree.Root())->All),
                 (QList<uint32_t>{top[4].Id, top[1].Id, top[3].Id, top[0].Id, top[2].Id}));
        QCOMPARE(s.nextSibling(top[1]), top[3]);
        QCOMPARE(s.firstChild(top[0]), inner[0]); // not recursive

        s.sortChildren(tree.Root(), true, order);
        QCOMPARE(s.firstChild(top[0]), inner[1]);
    }

    void throwingOrderLeavesListAlone()
    {
        TBaseVirtualTree tree;
        std::vector<TVirtualNode> rows;
        for (int i = 0; i < 40; ++i) {
            rows.push_back(tree.New(nullptr, 0));
            tree.add(tree.Root(), rows.back(), ltLastChild);
        }
        const QList<uint32_t> before = ids(tree.store().children(tree.Root())->All);
        int calls = 0;
        TCompareOrder order([&](TVirtualNode a, TVirtualNode b) {
            if (++calls == 30)
                throw std::runtime_error("compare failed");
            return int(b.Id) - int(a.Id);
        });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, tree.store().sortChildren(tree.Root(), false, order));
        QCOMPARE(ids(tree.store().children(tree.Root())->All), before);
        QCOMPARE(tree.store().nextSibling(rows[5]), rows[6]);
    }

    void slicesAreMadeOnceAndKept()
    {
        TTestManager manager(makeRows(1, 2));
        TTestTree &tree = *manager.Tree;
        tree.build(manager.Rows);
        QCOMPARE(tree.InitCount, 0);
        const TVirtualNode item = tree.store().firstChild(tree.store().firstChild(tree.Root()));
        TSlices *slices = tree.slicesOf(item);
        QCOMPARE(slices->Count(), 4);
        QCOMPARE(tree.InitCount, 1);
        slices->GetSlice(3)->Style = getStyle("red");
        QCOMPARE(tree.slicesOf(item), slices);
        tree.filledSlicesOf(item);
        QCOMPARE(tree.InitCount, 1);
        QCOMPARE(slices->GetSlice(3)->Style, getStyle("red"));
        QCOMPARE(sliceAs<TStringSlice>(slices->GetSlice(2))->Text, QStringLiteral("Item 0.0"));
        QCOMPARE(slices->GetSlice(4), nullptr);
    }

    void failedInitSlicesIsAskedAgain()
    {
        struct TFlaky : TBaseVirtualTree
        {
            int Calls = 0;
            void InitSlices(TVirtualNode, TSlices *slices) override
            {
                if (++Calls == 1)
                    throw std::runtime_error("not yet");
                slices->Add({SlicesFactory().create("string")});
            }
        } tree;
        const TVirtualNode n = tree.New(nullptr, 0);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, tree.slicesOf(n));
        QCOMPARE(tree.slicesOf(n)->Count(), 1);
        QCOMPARE(tree.Calls, 2);
    }

    // Unknown names fall back rather than fail; the error red stays readable
    // on dark and light backgrounds.
    void stylesAndKinds()
    {
        QCOMPARE(getStyle("no such style"), getStyle("text"));
        QPalette dark;
        dark.setColor(QPalette::Base, Qt::black);
        dark.setColor(QPalette::Text, Qt::white);
        QPalette light;
        light.setColor(QPalette::Base, Qt::white);
        light.setColor(QPalette::Text, Qt::black);
        QCOMPARE(getStyle("text")->color(dark, true, false), QColor(Qt::white));
        QVERIFY(getStyle("red")->color(dark, true, false).lightness() >
                getStyle("red")->color(light, true, false).lightness());
        QCOMPARE(SlicesFactory().create("button"), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestNodeStore)
#include "tst_nodestore.moc"
