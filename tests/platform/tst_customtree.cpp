// The tree control over a small test manager: states, updates, sorting,
// focus, header, mouse and keyboard, clipping. A whole tree of every slice
// kind and check state is drawn in tst_selectvirtualtree.
#include "ShownCaptions.h"
#include "SlicePoint.h"
#include "TreeTestAdapters.h"

#include "platform/tree/TCustomHeader.h"
#include "platform/tree/TTextPainter.h"
#include "platform/tree/TTree.h"
#include "platform/tree/TTreeModel.h"
#include "platform/tree/TTreeUpdate.h"

#include <QAbstractItemModelTester>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// Compares like the row comparisons built on the tree: text results are
/// cmp(second, first).
int compareCaptions(TCustomTree *tree, TVirtualNode a, TVirtualNode b, int column, TSortType)
{
    auto *rows = static_cast<TTestTree *>(tree->getVM()->Items());
    const TTestRow *ra = rows->rowOf(a);
    const TTestRow *rb = rows->rowOf(b);
    const auto text = [column](const TTestRow *r) { return column == 0 ? r->Caption : column == 1 ? r->Col1 : r->Col2; };
    return text(rb).compare(text(ra));
}

/// The bounding box of the pixels of `image` that `isInk` accepts.
template <class Predicate>
QRect inkBounds(const QImage &image, Predicate isInk)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QIcon swatch(QColor color)
{
    QPixmap p(16, 16);
    p.fill(color);
    return QIcon(p);
}

} // namespace

class TestCustomTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTree> tree;
    TTestManager *manager = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester;
    TImageList images;

    TTestManager *install(QList<TTestRow> rows)
    {
        auto vm = std::make_unique<TTestManager>(std::move(rows));
        manager = vm.get();
        manager->Tree->Images = &images;
        tree->setVM(std::move(vm));
        return manager;
    }
    /// Child `i` of `parent`.
    TVirtualNode child(TVirtualNode parent, int i) const
    {
        TVirtualNode n = manager->getFirstChild(parent);
        while (i-- > 0)
            n = manager->getNextSibling(n);
        return n;
    }
    TVirtualNode top(int i) const { return child(manager->getRoot(), i); }

private slots:
    void init()
    {
        images.Icons = {swatch(Qt::red), swatch(Qt::darkGreen)};
        tree = std::make_unique<TTree>();
        tree->resize(520, 400);
        tester = std::make_unique<QAbstractItemModelTester>(tree->model(),
                                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        install(makeRows(3, 4, 1));
        tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.get()));
    }
    void cleanup()
    {
        tester.reset();
        tree.reset();
    }

    void showsTheManagersRows()
    {
        QAbstractItemModel *m = tree->model();
        QCOMPARE(shownCaptions(m), (QStringList{"Loose 0", "Group 0", "Group 1", "Group 2"}));
        QCOMPARE(m->columnCount(), 3);
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Address"));
        const QModelIndex group = m->index(1, 0);
        QCOMPARE(m->rowCount(group), 4);
        QCOMPARE(m->index(1, 1, group).data().toString(), QStringLiteral("e1.example"));
        QCOMPARE(m->index(1, 0, group).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
        QVERIFY(m->flags(m->index(0, 0)) & Qt::ItemNeverHasChildren);
        QVERIFY(!(m->flags(group) & Qt::ItemNeverHasChildren));
        QCOMPARE(manager->getParent(child(top(1), 2)), top(1));
        QCOMPARE(manager->getData(top(0)), manager->Tree->getData(top(0)));
        // Collapsed groups: only the shown rows' cells got slices.
        QVERIFY(manager->Tree->InitCount <= 4 * 3 + 3);
    }

    void nodeStatesHideAndExpand()
    {
        QAbstractItemModel *m = tree->model();
        tree->SetNodeState(top(2), tree->GetNodeState(top(2)) | nsHidden);
        QCOMPARE(shownCaptions(m), (QStringList{"Loose 0", "Group 0", "Group 2"}));
        QCOMPARE(manager->getFirstVisible(), top(0));
        tree->SetNodeState(top(0), nsHidden);
        QCOMPARE(manager->getFirstVisible(), top(1));
        // Hidden rows stay reachable through the manager.
        QCOMPARE(manager->getNextSibling(top(1)), top(2));

        tree->SetNodeState(top(1), nsExpanded);
        QVERIFY(tree->isExpanded(m->index(0, 0)));
        tree->collapse(m->index(0, 0));
        QCOMPARE(tree->GetNodeState(top(1)) & nsExpanded, 0u);
        tree->expand(m->index(0, 0));
        QVERIFY(tree->GetNodeState(top(1)) & nsExpanded);

        // An expanded group hidden and shown again comes back expanded.
        tree->SetNodeState(top(1), tree->GetNodeState(top(1)) | nsHidden);
        tree->SetNodeState(top(1), tree->GetNodeState(top(1)) & ~uint32_t(nsHidden));
        QVERIFY(tree->isExpanded(m->index(0, 0)));
        QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("Group 0"));
    }

    void expandedFromStateInfo()
    {
        auto rows = makeRows(2, 2);
        auto vm = std::make_unique<TTestManager>(rows);
        vm->Tree->ExpandGroups = true;
        tree->setVM(std::move(vm));
        QVERIFY(tree->isExpanded(tree->model()->index(0, 0)));
        QVERIFY(tree->isExpanded(tree->model()->index(1, 0)));
        manager = static_cast<TTestManager *>(tree->getVM());
        tree->Expand(top(0), TCustomTree::emCollapse, 0);
        QVERIFY(!tree->isExpanded(tree->model()->index(0, 0)));
    }

    void nestedUpdatesShowOnce()
    {
        QSignalSpy layouts(tree->model(), &QAbstractItemModel::layoutChanged);
        QSignalSpy resets(tree->model(), &QAbstractItemModel::modelReset);
        tree->BeginUpdate();
        {
            TTreeUpdate inner(*tree);
            tree->SetNodeState(top(1), nsHidden);
            tree->SetNodeState(child(top(2), 0), nsHidden);
            tree->Sort(manager->getRoot(), 0, stReversed, true);
        }
        QCOMPARE(layouts.count(), 0);
        QCOMPARE(tree->model()->rowCount(), 4); // nothing shown before the end
        tree->SetNodeState(top(0), nsHidden);
        tree->EndUpdate();
        QCOMPARE(layouts.count(), 1);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(tree->model()->rowCount(), 2);
        tree->EndUpdate(); // unbalanced: ignored
        QCOMPARE(tree->updateCount(), 0);

        // The guard ends its update when the block throws.
        try {
            TTreeUpdate guard(*tree);
            tree->SetNodeState(top(0), 0);
            throw std::runtime_error("failed inside an update");
        } catch (const std::runtime_error &) {
        }
        QCOMPARE(tree->updateCount(), 0);
        QCOMPARE(layouts.count(), 2);
    }

    void sortIsStableSingleAndMultiKey()
    {
        QList<TTestRow> rows;
        const char *data[][2] = {{"b", "2"}, {"a", "2"}, {"c", "1"}, {"a", "1"}, {"b", "1"}};
        for (int i = 0; i < 5; ++i)
            rows.append(TTestRow{QString::number(i), data[i][0], data[i][1], 0, -1, {}, {}});
        install(rows);
        tree->OnNodeCompare = compareCaptions;
        QAbstractItemModel *m = tree->model();

        tree->Sort(manager->getRoot(), 1, stNatural, false);
        QCOMPARE(shownCaptions(m), (QStringList{"1", "3", "0", "4", "2"})); // a, a, b, b, c; ties in order
        tree->Sort(manager->getRoot(), 1, stReversed, false);
        QCOMPARE(shownCaptions(m), (QStringList{"2", "0", "4", "1", "3"}));
        QCOMPARE(tree->Header()->getSortIndexs(), QList<int>{1});
        QCOMPARE(tree->Header()->getSortTypes(), QList<TSortType>{stReversed});

        // Column 2 first, then column 1 backwards; a key of type 0 is skipped.
        tree->Sort(manager->getRoot(), QList<int>{0, 2, 1}, QList<TSortType>{stNone, stNatural, stReversed}, false);
        QCOMPARE(shownCaptions(m), (QStringList{"2", "4", "3", "0", "1"}));
        QCOMPARE(tree->Header()->getSortIndexs(), (QList<int>{0, 2, 1}));
        QCOMPARE(tree->Header()->sortIndicatorSection(), 2);
    }

    void sortRecursesIntoGroups()
    {
        tree->OnNodeCompare = compareCaptions;
        tree->Sort(manager->getRoot(), 0, stReversed, false);
        QCOMPARE(shownCaptions(tree->model()), (QStringList{"Loose 0", "Group 2", "Group 1", "Group 0"}));
        QCOMPARE(shownCaptions(tree->model(), tree->model()->index(3, 0)).first(), QStringLiteral("Item 0.0"));
        tree->Sort(manager->getRoot(), 0, stReversed, true);
        QCOMPARE(shownCaptions(tree->model(), tree->model()->index(3, 0)).first(), QStringLiteral("Item 0.3"));
        // Without a handler the adapter's compare (0 here) keeps the order.
        tree->OnNodeCompare = nullptr;
        tree->Sort(manager->getRoot(), 0, stNatural, true);
        QCOMPARE(shownCaptions(tree->model()).at(1), QStringLiteral("Group 2"));
    }

    void hideAndShowKeepFocus()
    {
        tree->SetNodeState(top(1), nsExpanded);
        const TVirtualNode item = child(top(1), 2);
        tree->SetNodeFocused({});
        QList<TVirtualNode> focused, lost;
        tree->OnNodeFocus = [&](TCustomTree *, TVirtualNode n) { focused.append(n); };
        tree->OnNodeLostFocus = [&](TCustomTree *, TVirtualNode n) { lost.append(n); };
        tree->SetNodeFocused(item);
        QCOMPARE(focused, QList<TVirtualNode>{item});
        QCOMPARE(TTreeModel::nodeOf(tree->currentIndex()), item);

        tree->BeginUpdate();
        for (int i = 0; i < 4; ++i)
            tree->SetNodeState(child(top(1), i), nsHidden);
        tree->EndUpdate();
        QCOMPARE(tree->GetNodeFocused(), item);
        tree->BeginUpdate();
        for (int i = 0; i < 4; ++i)
            tree->SetNodeState(child(top(1), i), 0);
        tree->EndUpdate();
        QCOMPARE(tree->GetNodeFocused(), item);
        QCOMPARE(TTreeModel::nodeOf(tree->currentIndex()), item);
        QCOMPARE(focused.size(), 1); // hiding and showing raised nothing

        tree->SetNodeFocused({});
        QCOMPARE(lost, QList<TVirtualNode>{item});
        QCOMPARE(focused.last(), TVirtualNode{});
        QVERIFY(!tree->currentIndex().isValid());

        // Keyboard moves raise the events too.
        tree->SetNodeFocused(top(0));
        QTest::keyClick(tree->viewport(), Qt::Key_Down);
        QCOMPARE(tree->GetNodeFocused(), top(1));
        QCOMPARE(lost.last(), top(0));
    }

    void focusDelayRaisesTheEventsOnceTheFocusRests()
    {
        tree->SetNodeFocused(top(0));
        QList<TVirtualNode> focused, lost;
        tree->OnNodeFocus = [&](TCustomTree *, TVirtualNode n) { focused.append(n); };
        tree->OnNodeLostFocus = [&](TCustomTree *, TVirtualNode n) { lost.append(n); };
        tree->setFocusDelay(40);
        tree->setFocus();
        QTest::keyClick(tree->viewport(), Qt::Key_Down);
        QTest::keyClick(tree->viewport(), Qt::Key_Down);
        QCOMPARE(tree->GetNodeFocused(), top(2)); // the focus itself moves at once
        QVERIFY(focused.isEmpty());
        QTRY_COMPARE(focused, QList<TVirtualNode>{top(2)});
        QCOMPARE(lost, QList<TVirtualNode>{top(0)}); // the row passed over is never named

        // Setting the focus in code does not wait, and takes over a move
        // still waiting.
        QTest::keyClick(tree->viewport(), Qt::Key_Up);
        tree->SetNodeFocused(top(3));
        QCOMPARE(lost.last(), top(2));
        QCOMPARE(focused.last(), top(3));
        QTest::qWait(80);
        QCOMPARE(focused.size(), 2);

        // A move waiting when its rows go away raises nothing.
        QTest::keyClick(tree->viewport(), Qt::Key_Up);
        manager->Tree->clear();
        QTest::qWait(80);
        QCOMPARE(focused.size(), 2);
        QCOMPARE(tree->GetNodeFocused(), TVirtualNode{});
    }

    void rightClickSelectsOnlyWhenAsked()
    {
        tree->SetNodeFocused(top(0));
        const QPoint onRow2 = tree->nodeRect(top(2), 0).center();
        tree->setRightClickSelect(false);
        QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, onRow2);
        QCOMPARE(tree->GetNodeFocused(), top(0));
        tree->setRightClickSelect(true);
        QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, onRow2);
        QCOMPARE(tree->GetNodeFocused(), top(2));
        QVERIFY(tree->selectionModel()->isSelected(tree->currentIndex()));
    }

    void removeAndClearOnALiveTree()
    {
        TTestTree &rows = *manager->Tree;
        const TVirtualNode g0 = top(1);
        void *data = rows.getData(g0);
        QCOMPARE(rows.getItem(data), g0);
        tree->SetNodeFocused(g0);
        rows.remove(g0);
        QCOMPARE(shownCaptions(tree->model()), (QStringList{"Loose 0", "Group 1", "Group 2"}));
        QVERIFY(tree->isVirtualNode(g0));
        QCOMPARE(tree->GetNodeFocused(), TVirtualNode{});
        QCOMPARE(rows.getItem(data), TVirtualNode{});

        // Adding inside an update shows at its end.
        tree->BeginUpdate();
        const TVirtualNode n = rows.addRow(rows.Root(), manager->Rows[1]);
        QCOMPARE(tree->model()->rowCount(), 3);
        tree->EndUpdate();
        QCOMPARE(shownCaptions(tree->model()).last(), QStringLiteral("Group 0"));
        QVERIFY(!tree->isVirtualNode(n));

        rows.clear();
        QCOMPARE(tree->model()->rowCount(), 0);
        QCOMPARE(manager->getFirstChild(manager->getRoot()), TVirtualNode{});
        // Rebuilding through the manager shows the rows again.
        manager->Initialize();
        QCOMPARE(tree->model()->rowCount(), 4);
    }

    void replacingTheManager()
    {
        tree->SetNodeFocused(top(1));
        install(makeRows(1, 1));
        QCOMPARE(shownCaptions(tree->model()), QStringList{"Group 0"});
        QCOMPARE(tree->GetNodeFocused(), TVirtualNode{});
        tree->setVM(nullptr);
        QCOMPARE(tree->getVM(), nullptr);
        QCOMPARE(tree->model()->rowCount(), 0);
        tree->SetNodeState(TVirtualNode{2}, nsHidden); // no manager: ignored
    }

    void headerApi()
    {
        TCustomHeader *h = tree->Header();
        QCOMPARE(h->count(), 3);
        QCOMPARE(h->getWidth(h->ItemByOrder(1)), 150);
        QVERIFY(h->getWidth(h->ItemByOrder(0)) > 150); // takes the room left
        h->moveSection(2, 0);
        QCOMPARE((QList<int>{h->IDByOrder(0), h->IDByOrder(1), h->IDByOrder(3), h->OrderByID(0), h->OrderByID(7)}),
                 (QList<int>{2, 0, -1, 1, -1}));
        QCOMPARE(manager->Header->getData(h->ItemByOrder(0)), reinterpret_cast<void *>(quintptr(2)));

        // Display positions map to columns when sorting and back when asked.
        tree->OnNodeCompare = compareCaptions;
        tree->Sort(manager->getRoot(), QList<int>{0, 1}, QList<TSortType>{stNatural, stReversed}, true);
        QCOMPARE(h->getSortIndexs(), (QList<int>{0, 1}));
        QCOMPARE(h->getSortTypes(), (QList<TSortType>{stNatural, stReversed}));
        QCOMPARE(h->sortIndicatorSection(), 2);
        QCOMPARE(h->sortIndicatorOrder(), Qt::AscendingOrder);
        h->moveSection(0, 2);
        QCOMPARE(h->getSortIndexs(), (QList<int>{2, 0}));
    }

    void headerWidthsFromTheAdapter_data()
    {
        // Adapter widths (-1: none, so the column stretches) and what the
        // header shows (-1: some room).
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("zero between stretching columns") << QList<int>{-1, 0, -1} << QList<int>{-1, 0, -1};
        QTest::newRow("zero last of fixed columns") << QList<int>{100, 150, 0} << QList<int>{100, -1, 0};
        QTest::newRow("zero first") << QList<int>{0, 150, -1} << QList<int>{0, 150, -1};
    }
    void headerWidthsFromTheAdapter()
    {
        QFETCH(QList<int>, widths);
        QFETCH(QList<int>, shown);
        TCustomHeader *h = tree->Header();
        const auto shownWidths = [&] {
            QList<int> r;
            for (int id = 0; id < h->count(); ++id) {
                const int w = h->getWidth(h->ItemByOrder(id));
                r.append(shown[id] < 0 && w > 0 ? -1 : w);
            }
            return r;
        };
        manager->Header->Widths = widths;
        tree->takeUp(upHeader);
        QTRY_COMPARE(shownWidths(), shown);
        // A width given again shows the column again.
        manager->Header->Widths = {-1, 150, -1};
        tree->takeUp(upHeader);
        QTRY_COMPARE(h->getWidth(h->ItemByOrder(1)), 150);
        QVERIFY(h->getWidth(h->ItemByOrder(0)) > 0);
    }

    void headerClickSorts()
    {
        tree->OnNodeCompare = compareCaptions;
        TCustomHeader *h = tree->Header();
        const auto clickHeader = [&](int id) {
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(id) + h->sectionSize(id) / 2, h->height() / 2));
        };
        clickHeader(0);
        QCOMPARE(h->getSortTypes(), QList<TSortType>{stNatural});
        QCOMPARE(shownCaptions(tree->model()), (QStringList{"Group 0", "Group 1", "Group 2", "Loose 0"}));
        QVERIFY(h->isSortIndicatorShown());
        QCOMPARE(h->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeader(0);
        QCOMPARE(h->getSortTypes(), QList<TSortType>{stReversed});
        QCOMPARE(shownCaptions(tree->model()).first(), QStringLiteral("Loose 0"));
        QCOMPARE(h->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeader(2);
        QCOMPARE(h->getSortIndexs(), QList<int>{2});
        QCOMPARE(h->getSortTypes(), QList<TSortType>{stNatural});

        // A throwing compare handler is reported and leaves no update open.
        tree->OnNodeCompare = [](TCustomTree *, TVirtualNode, TVirtualNode, int, TSortType) -> int {
            throw std::runtime_error("compare failed");
        };
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("compare failed"));
        clickHeader(1);
        QCOMPARE(tree->updateCount(), 0);
    }

    void clicksOnSlices()
    {
        tree->SetNodeState(top(1), nsExpanded);
        const TVirtualNode item = child(top(1), 1);
        QList<std::pair<TVirtualNode, TSlice *>> active;
        QList<THitInfo> clicks;
        tree->OnNodeActive = [&](TCustomTree *, TVirtualNode n, TSlice *s) { active.append({n, s}); };
        tree->OnNodeClick = [&](TCustomTree *, const THitInfo &hit) { clicks.append(hit); };

        const QPoint check = slicePoint(*tree, item, 0, 0);
        QVERIFY(!check.isNull());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, check);
        QCOMPARE(active.size(), 1);
        QCOMPARE(active[0].first, item);
        QVERIFY(SlicesFactory().isKind(active[0].second, "check"));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks[0].SliceIndex, 0);

        const QPoint link = slicePoint(*tree, item, 0, 3);
        QVERIFY(!link.isNull());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, link);
        QCOMPARE(active.size(), 1);
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(clicks[1].Node, item);
        QCOMPARE(clicks[1].SliceIndex, 3);

        // A column cell reports its own node.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, item, 2, 0));
        QCOMPARE(clicks[2].Row, item);
        QCOMPARE(clicks[2].Column, 2);
        QCOMPARE(manager->Tree->store().columnOf(clicks[2].Node), 2);

        // Space activates the focused row's check box.
        tree->setFocus();
        tree->SetNodeFocused(item);
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(active.size(), 2);
        QCOMPARE(active[1].first, item);
        // Hidden, the row keeps the focus but Space leaves it alone until it
        // is shown again.
        tree->SetNodeState(item, tree->GetNodeState(item) | nsHidden);
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(active.size(), 2);
        QCOMPARE(tree->GetNodeFocused(), item);
        tree->SetNodeState(item, tree->GetNodeState(item) & ~uint32_t(nsHidden));
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(active.size(), 3);
        QCOMPARE(active[2].first, item);

        // A throwing handler never reaches the event loop and leaves no update
        // open.
        tree->OnNodeActive = [&](TCustomTree *t, TVirtualNode, TSlice *) {
            t->BeginUpdate();
            throw std::runtime_error("handler failed");
        };
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("handler failed"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, check);
        QCOMPARE(tree->updateCount(), 0);
    }

    void doubleClicks()
    {
        const TVirtualNode loose = top(0);
        const TVirtualNode group = top(1);
        QList<TVirtualNode> active;
        int clicks = 0;
        tree->OnNodeActive = [&](TCustomTree *, TVirtualNode n, TSlice *) { active.append(n); };
        tree->OnNodeClick = [&](TCustomTree *, const THitInfo &) { ++clicks; };
        // A double click arrives as press, release, double click, release.
        const auto doubleClick = [&](QPoint p) {
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, p);
        };

        // On a check box each of its clicks toggles.
        doubleClick(slicePoint(*tree, loose, 0, 0));
        QCOMPARE(active, (QList<TVirtualNode>{loose, loose}));
        QCOMPARE(clicks, 2);

        // Elsewhere the double click expands a group and is no second click.
        doubleClick(slicePoint(*tree, group, 0, 2));
        QVERIFY(tree->GetNodeState(group) & nsExpanded);
        QCOMPARE(active.size(), 2);
        QCOMPARE(clicks, 3);
    }

    void handCursorOverLinks()
    {
        tree->SetNodeState(top(1), nsExpanded);
        const TVirtualNode item = child(top(1), 1);
        TSlice *link = manager->Tree->slicesOf(item)->GetSlice(3);
        SlicesFactory().setCursor(link, "hand cursor");
        QTest::mouseMove(tree->viewport(), slicePoint(*tree, item, 0, 3));
        QCOMPARE(tree->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(tree->viewport(), slicePoint(*tree, item, 0, 2));
        QCOMPARE(tree->viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    void contentTooBigForItsCellIsClippedToIt()
    {
        install({TTestRow{QStringLiteral("Only"), {}, {}, 0, 0, {}, {}}});
        tree->setRowHeight(10); // the 16 pixel image does not fit
        QApplication::processEvents();
        const QRect cell = tree->nodeRect(top(0), 0);
        QCOMPARE(cell.height(), 10);
        const QRect red = inkBounds(tree->viewport()->grab().toImage(), [](QRgb p) { return p == QColor(Qt::red).rgb(); });
        QVERIFY(!red.isEmpty());
        QVERIFY2(cell.contains(red), qPrintable(QStringLiteral("image ink in %1,%2 %3x%4").arg(red.x()).arg(red.y()).arg(red.width()).arg(red.height())));
    }

    void longTextsAreCutInsideTheirRoom()
    {
        TTextPainter text;
        const QFont font;
        const QString plain = QStringLiteral("A rather long caption of a search engine");
        const QString shaped = QString::fromUtf8("\u0645\u062d\u0631\u0643 \u0628\u062d\u062b \u0637\u0648\u064a\u0644 \u062c\u062f\u0627");
        QVERIFY(text.advance(font, plain) > text.advance(font, QStringLiteral("A rather")));
        for (const QString &s : {plain, shaped}) {
            QImage image(200, 22, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter p(&image);
            p.setPen(Qt::black);
            text.draw(&p, QRect(10, 0, 80, 22), Qt::AlignLeft, font, s);
            p.end();
            const QRect ink = inkBounds(image, [](QRgb p) { return p != qRgb(255, 255, 255); });
            QVERIFY(!ink.isEmpty());
            QVERIFY2(ink.left() >= 10 && ink.right() < 90, qPrintable(QStringLiteral("ink from x=%1 to %2").arg(ink.left()).arg(ink.right())));
        }
    }
};

QTEST_MAIN(TestCustomTree)
#include "tst_customtree.moc"
