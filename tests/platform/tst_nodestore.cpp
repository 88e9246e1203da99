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
        QVERIFY(header.store().cell(header.Root(), 1) == c1 && header.store().columnOf(c0) == 0);

        // Removing a cell renumbers the ones after it; cells appended after
        // removals and to rows in turn land at the end.
        tree.remove(a1);
        QVERIFY(s.cell(a, 1) == a2 && s.columnOf(a2) == 1);
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
        QVERIFY(tree.store().nextSibling(a) == b && !tree.store().firstChild(a));
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
        // Data stays with the removed node.
        QVERIFY(!tree.getItem(&x) && tree.getData(nx) == &x && tree.store().firstChild(tree.Root()) == ny);
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
        QVERIFY(!tree.getItem(&y) && !tree.store().firstChild(tree.Root()) && tree.store().nodeCount() == 1u);
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
        QVERIFY(tree.slicesOf(n) == slices && tree.filledSlicesOf(n) == slices && tree.Calls == 2);
        QCOMPARE(slices->GetSlice(1)->Style, getStyle("red"));
        QCOMPARE(sliceAs<TStringSlice>(slices->GetSlice(1))->Text, QStringLiteral("filled"));
        QVERIFY(!slices->GetSlice(2) && !slices->GetSlice(-1));
        // A point beyond every slice, or on one of no width, hits none.
        const TSliceGeometry::TRects rects{QRect(0, 0, 0, 9), QRect(0, 0, 10, 9)};
        QCOMPARE((QList<int>{TSliceGeometry::sliceAt(rects, 0), TSliceGeometry::sliceAt(rects, 10)}),
                 (QList<int>{1, -1}));
    }

    // Unknown kinds and style names fall back rather than fail; the error
    // red stays readable on dark and light backgrounds.
    void stylesAndKinds()
    {
        QCOMPARE(SlicesFactory().create("button"), nullptr);
        QCOMPARE(getStyle("no such style"), getStyle("text"));
        QPalette dark, light;
        dark.setColor(QPalette::Base, Qt::black);
        light.setColor(QPalette::Base, Qt::white);
        QVERIFY(getStyle("red")->color(dark, true, false).lightness() >
                getStyle("red")->color(light, true, false).lightness());
    }
};

QTEST_GUILESS_MAIN(TestNodeStore)
#include "tst_nodestore.moc"
