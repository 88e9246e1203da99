// SPDX-License-Identifier: MIT
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
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// Compares like the row comparisons built on the tree: text results are
/// cmp(second, first).
int compareCaptions(TCustomTree *tree, TVirtualNode a, TVirtualNode b, int column, TSortType)
{
    auto *rows = static_cast<TTestTree *>(tree->getVM()->Items());
    const auto text = [&](TVirtualNode n) {
        const TTestRow *r = rows->rowOf(n);
        return column == 0 ? r->Caption : column == 1 ? r->Col1 : r->Col2;
    };
    return text(b).compare(text(a));
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
    /// The tree's events in order: "focus Group 0", "lost -", "click Item 0.1
    /// 2.0" (row, column.slice), "active Item 0.1".
    QStringList log;

    void install(QList<TTestRow> rows, bool expandGroups = false)
    {
        auto vm = std::make_unique<TTestManager>(std::move(rows));
        manager = vm.get();
        manager->Tree->Images = &images;
        manager->Tree->ExpandGroups = expandGroups;
        tree->setVM(std::move(vm));
    }
    TVirtualNode child(TVirtualNode parent, int i) const
    {
        TVirtualNode n = manager->getFirstChild(parent);
        while (i-- > 0)
            n = manager->getNextSibling(n);
        return n;
    }
    TVirtualNode top(int i) const { return child(manager->getRoot(), i); }
    QString name(TVirtualNode n) const { return n ? manager->Tree->rowOf(n)->Caption : QStringLiteral("-"); }
    QStringList shown(int group = -1) const
    {
        return shownCaptions(tree->model(), group < 0 ? QModelIndex() : tree->model()->index(group, 0));
    }
    void setHidden(TVirtualNode n, bool hidden)
    {
        tree->SetNodeState(n, hidden ? tree->GetNodeState(n) | nsHidden : tree->GetNodeState(n) & ~uint32_t(nsHidden));
    }
    void clickHeader(int id)
    {
        TCustomHeader *h = tree->Header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(id) + h->sectionSize(id) / 2, h->height() / 2));
    }

private slots:
    void init()
    {
        images.Icons = {swatch(Qt::red), swatch(Qt::darkGreen)};
        tree = std::make_unique<TTree>();
        tree->resize(520, 400);
        tester = std::make_unique<QAbstractItemModelTester>(tree->model(),
                                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        install(makeRows(3, 4, 1));
        log.clear();
        tree->OnNodeFocus = [this](TCustomTree *, TVirtualNode n) { log << "focus " + name(n); };
        tree->OnNodeLostFocus = [this](TCustomTree *, TVirtualNode n) { log << "lost " + name(n); };
        tree->OnNodeActive = [this](TCustomTree *, TVirtualNode n, TSlice *s) {
            log << "active " + name(n) + (SlicesFactory().isKind(s, "check") ? "" : " not by its check box");
        };
        tree->OnNodeClick = [this](TCustomTree *, const THitInfo &hit) {
            // A cell's click names the cell's own node.
            const bool node =
                hit.Column == 0 ? hit.Node == hit.Row : manager->Tree->store().columnOf(hit.Node) == hit.Column;
            log << QStringLiteral("click %1 %2.%3%4")
                       .arg(name(hit.Row))
                       .arg(hit.Column)
                       .arg(hit.SliceIndex)
                       .arg(node ? "" : " wrong node");
        };
        tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.get()));
    }
    void cleanup()
    {
        tester.reset();
        tree.reset();
    }

    // Rows, cells, header texts and check states through the model; with
    // the groups collapsed only the shown rows' cells got slices.
    void showsTheManagersRows()
    {
        QAbstractItemModel *m = tree->model();
        const QModelIndex group = m->index(1, 0);
        QVERIFY(manager->Tree->InitCount <= 4 * 3 + 3);
        QCOMPARE(shown() + shown(1), (QStringList{"Loose 0", "Group 0", "Group 1", "Group 2", "Item 0.0", "Item 0.1",
                                                  "Item 0.2", "Item 0.3"}));
        QCOMPARE((QVariantList{m->columnCount(), m->headerData(1, Qt::Horizontal), m->index(1, 1, group).data(),
                               m->index(1, 0, group).data(Qt::CheckStateRole).toInt()}),
                 (QVariantList{3, "Address", "e1.example", int(Qt::Checked)}));
        QVERIFY((m->flags(m->index(0, 0)) & Qt::ItemNeverHasChildren) && !(m->flags(group) & Qt::ItemNeverHasChildren));
        QCOMPARE(manager->getParent(child(top(1), 2)), top(1));
    }

    void nodeStatesHideAndExpand()
    {
        QAbstractItemModel *m = tree->model();
        setHidden(top(2), true);
        QCOMPARE(shown(), (QStringList{"Loose 0", "Group 0", "Group 2"}));
        tree->SetNodeState(top(0), nsHidden);
        QCOMPARE(manager->getFirstVisible(), top(1));
        QCOMPARE(manager->getNextSibling(top(1)), top(2)); // hidden rows stay reachable

        tree->SetNodeState(top(1), nsExpanded);
        QVERIFY(tree->isExpanded(m->index(0, 0)));
        tree->collapse(m->index(0, 0));
        QCOMPARE(tree->GetNodeState(top(1)) & nsExpanded, 0u);
        tree->expand(m->index(0, 0));
        // An expanded group hidden and shown again comes back expanded.
        setHidden(top(1), true);
        setHidden(top(1), false);
        QVERIFY(tree->GetNodeState(top(1)) & nsExpanded);
        QVERIFY(tree->isExpanded(m->index(0, 0)));

        // Expanded as the adapter's state says, until collapsed.
        install(makeRows(2, 2), true);
        m = tree->model();
        QVERIFY(tree->isExpanded(m->index(0, 0)) && tree->isExpanded(m->index(1, 0)));
        tree->Expand(top(0), TCustomTree::emCollapse, 0);
        QVERIFY(!tree->isExpanded(m->index(0, 0)));
    }

    // Nested updates show once at the outer end; an unbalanced end is
    // ignored; the guard ends its update when its block throws. The sort
    // inside has no handler: the adapter's compare (0 here) keeps the order.
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
        QCOMPARE(tree->model()->rowCount(), 4);
        tree->SetNodeState(top(0), nsHidden);
        tree->EndUpdate();
        tree->EndUpdate();
        QCOMPARE((QList<qsizetype>{layouts.count(), resets.count(), tree->updateCount()}), (QList<qsizetype>{1, 0, 0}));
        QCOMPARE(shown(), (QStringList{"Group 1", "Group 2"})); // without a handler the sort keeps the order
        try {
            TTreeUpdate guard(*tree);
            tree->SetNodeState(top(0), 0);
            throw std::runtime_error("failed inside an update");
        } catch (const std::runtime_error &) {
        }
        QCOMPARE(tree->updateCount(), 0);
        QCOMPARE(layouts.count(), 2);
    }

    // Ties keep their order; later keys decide ties of earlier ones; a key
    // of type none is skipped.
    void sortIsStableSingleAndMultiKey()
    {
        QList<TTestRow> rows;
        const char *data[][2] = {{"b", "2"}, {"a", "2"}, {"c", "1"}, {"a", "1"}, {"b", "1"}};
        for (int i = 0; i < 5; ++i)
            rows.append(TTestRow{QString::number(i), data[i][0], data[i][1], 0, -1, {}, {}});
        install(rows);
        tree->OnNodeCompare = compareCaptions;
        TCustomHeader *h = tree->Header();
        tree->Sort(manager->getRoot(), 1, stNatural, false);
        QCOMPARE(shown(), (QStringList{"1", "3", "0", "4", "2"}));
        tree->Sort(manager->getRoot(), 1, stReversed, false);
        QCOMPARE(shown(), (QStringList{"2", "0", "4", "1", "3"}));
        QCOMPARE(h->getSortIndexs(), QList<int>{1});
        QCOMPARE(h->getSortTypes(), QList<TSortType>{stReversed});
        tree->Sort(manager->getRoot(), QList<int>{0, 2, 1}, QList<TSortType>{stNone, stNatural, stReversed}, false);
        QCOMPARE(shown(), (QStringList{"2", "4", "3", "0", "1"}));
        QCOMPARE(h->getSortIndexs(), (QList<int>{0, 2, 1}));
        QCOMPARE(h->sortIndicatorSection(), 2);
    }

    // Hiding and showing the focused row keeps its focus and raises
    // nothing; clearing the focus and keyboard moves raise the events. With
    // a delay the events wait until the focus rests and never name a row
    // passed over; focus set in code does not wait and takes over a move
    // still waiting; a move waiting when its rows go away raises nothing.
    void focusEvents()
    {
        tree->SetNodeState(top(1), nsExpanded);
        const TVirtualNode item = child(top(1), 2);
        log.clear(); // the first row took the focus when shown
        tree->SetNodeFocused(item);
        for (const bool hidden : {true, false}) {
            tree->BeginUpdate();
            for (int i = 0; i < 4; ++i)
                setHidden(child(top(1), i), hidden);
            tree->EndUpdate();
            QCOMPARE(tree->GetNodeFocused(), item);
        }
        QCOMPARE(TTreeModel::nodeOf(tree->currentIndex()), item);
        tree->SetNodeFocused({});
        QVERIFY(!tree->currentIndex().isValid());
        tree->SetNodeFocused(top(0));
        tree->setFocus();
        QTest::keyClick(tree->viewport(), Qt::Key_Down);
        QCOMPARE(log, (QStringList{"lost Loose 0", "focus Item 0.2", "lost Item 0.2", "focus -", "focus Loose 0",
                                   "lost Loose 0", "focus Group 0"}));

        log.clear();
        tree->SetNodeState(top(1), 0);
        tree->setFocusDelay(40);
        QTest::keyClick(tree->viewport(), Qt::Key_Down);
        QTest::keyClick(tree->viewport(), Qt::Key_Down);
        QCOMPARE(tree->GetNodeFocused(), top(3));
        QVERIFY(log.isEmpty());
        QTRY_COMPARE(log, (QStringList{"lost Group 0", "focus Group 2"}));
        QTest::keyClick(tree->viewport(), Qt::Key_Up);
        tree->SetNodeFocused(top(0));
        QTest::keyClick(tree->viewport(), Qt::Key_Down);
        manager->Tree->clear();
        QTest::qWait(80);
        QCOMPARE(log, (QStringList{"lost Group 0", "focus Group 2", "lost Group 2", "focus Loose 0"}));
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

    // Rows removed, added inside an update, cleared and rebuilt on a shown
    // tree; then another manager, and none.
    void rowsAndManagersChangeOnALiveTree()
    {
        TTestTree &rows = *manager->Tree;
        const TVirtualNode g0 = top(1);
        void *data = rows.getData(g0);
        QCOMPARE(rows.getItem(data), g0);
        tree->SetNodeFocused(g0);
        rows.remove(g0);
        QCOMPARE(shown(), (QStringList{"Loose 0", "Group 1", "Group 2"}));
        QVERIFY(tree->isVirtualNode(g0));
        QCOMPARE(tree->GetNodeFocused(), TVirtualNode{});
        QCOMPARE(rows.getItem(data), TVirtualNode{});

        tree->BeginUpdate();
        const TVirtualNode n = rows.addRow(rows.Root(), manager->Rows[1]);
        QCOMPARE(tree->model()->rowCount(), 3);
        tree->EndUpdate();
        QCOMPARE(shown().last(), QStringLiteral("Group 0"));
        QVERIFY(!tree->isVirtualNode(n));

        rows.clear();
        QCOMPARE(tree->model()->rowCount(), 0);
        QCOMPARE(manager->getFirstChild(manager->getRoot()), TVirtualNode{});
        manager->Initialize();
        QCOMPARE(tree->model()->rowCount(), 4);

        tree->SetNodeFocused(top(1));
        install(makeRows(1, 1));
        QCOMPARE(shown(), QStringList{"Group 0"});
        QCOMPARE(tree->GetNodeFocused(), TVirtualNode{});
        tree->setVM(nullptr);
        QCOMPARE(tree->getVM(), nullptr);
        QCOMPARE(tree->model()->rowCount(), 0);
        tree->SetNodeState(TVirtualNode{2}, nsHidden); // no manager: ignored
    }

    // Orders and IDs map both ways; sorting maps display positions to
    // columns and back.
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

    // A click sorts by its column, a second one backwards; a throwing
    // compare handler is reported and leaves no update open.
    void headerClickSorts()
    {
        tree->OnNodeCompare = compareCaptions;
        TCustomHeader *h = tree->Header();
        clickHeader(0);
        QCOMPARE(h->getSortTypes(), QList<TSortType>{stNatural});
        QCOMPARE(shown(), (QStringList{"Group 0", "Group 1", "Group 2", "Loose 0"}));
        QVERIFY(h->isSortIndicatorShown());
        QCOMPARE(h->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeader(0);
        QCOMPARE(h->getSortTypes(), QList<TSortType>{stReversed});
        QCOMPARE(shown(), (QStringList{"Loose 0", "Group 2", "Group 1", "Group 0"}));
        QCOMPARE(shown(3).first(), QStringLiteral("Item 0.3")); // into the groups
        QCOMPARE(h->sortIndicatorOrder(), Qt::DescendingOrder);
        tree->Sort(manager->getRoot(), 0, stNatural, false);
        QCOMPARE(shown(0).first(), QStringLiteral("Item 0.3")); // top level only
        clickHeader(2);
        QCOMPARE(h->getSortIndexs(), QList<int>{2});
        QCOMPARE(h->getSortTypes(), QList<TSortType>{stNatural});

        // The header's menu, when it has one, sorts as chosen or not at all.
        h->setSortMenu(true);
        for (const int entry : {1, 2}) {
            QTimer::singleShot(0, h, [entry] {
                if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
                    menu->actions().at(entry)->trigger(), menu->close();
            });
            const QPoint at(h->sectionViewportPosition(1) + 5, 5);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, h->viewport()->mapToGlobal(at));
            QApplication::sendEvent(h->viewport(), &event);
            QCOMPARE(h->getSortIndexs(), entry == 1 ? QList<int>{1} : QList<int>());
        }

        tree->OnNodeCompare = [](TCustomTree *, TVirtualNode, TVirtualNode, int, TSortType) -> int {
            throw std::runtime_error("compare failed");
        };
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("compare failed"));
        clickHeader(1);
        QCOMPARE(tree->updateCount(), 0);
    }

    // The check box activates its row, with its own slice; every click is
    // reported with the slice and the cell's node; Space activates the
    // focused row unless it is hidden; a throwing handler never reaches the
    // event loop and leaves no update open.
    void clicksOnSlices()
    {
        tree->SetNodeState(top(1), nsExpanded);
        const TVirtualNode item = child(top(1), 1);
        const QPoint check = slicePoint(*tree, item, 0, 0);
        tree->setFocus();
        tree->SetNodeFocused(item);
        log.clear();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, check);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, item, 0, 3));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, item, 2, 0));
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        setHidden(item, true);
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(tree->GetNodeFocused(), item);
        setHidden(item, false);
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(log, (QStringList{"click Item 0.1 0.0", "active Item 0.1", "click Item 0.1 0.3", "click Item 0.1 2.0",
                                   "active Item 0.1", "active Item 0.1"}));

        tree->OnNodeActive = [&](TCustomTree *t, TVirtualNode, TSlice *) {
            t->BeginUpdate();
            throw std::runtime_error("handler failed");
        };
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("handler failed"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, check);
        QCOMPARE(tree->updateCount(), 0);
    }

    // A double click (press, release, double click, release) on a check box
    // toggles twice; elsewhere it expands a group and is no second click.
    void doubleClicks()
    {
        const auto doubleClick = [&](QPoint p) {
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, p);
        };
        log.clear();
        doubleClick(slicePoint(*tree, top(0), 0, 0));
        doubleClick(slicePoint(*tree, top(1), 0, 2));
        QVERIFY(tree->GetNodeState(top(1)) & nsExpanded);
        QCOMPARE(log, (QStringList{"click Loose 0 0.0", "active Loose 0", "click Loose 0 0.0", "active Loose 0",
                                   "lost Loose 0", "focus Group 0", "click Group 0 0.2"}));
    }

    void handCursorOverLinks()
    {
        tree->SetNodeState(top(1), nsExpanded);
        const TVirtualNode item = child(top(1), 1);
        SlicesFactory().setCursor(manager->Tree->slicesOf(item)->GetSlice(3), "hand cursor");
        QTest::mouseMove(tree->viewport(), slicePoint(*tree, item, 0, 3));
        QCOMPARE(tree->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(tree->viewport(), slicePoint(*tree, item, 0, 2));
        QCOMPARE(tree->viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    // An image taller than its row, and texts longer than their room, stay
    // inside it.
    void contentIsClippedToItsRoom()
    {
        install({TTestRow{QStringLiteral("Only"), {}, {}, 0, 0, {}, {}}});
        tree->setRowHeight(10);
        QApplication::processEvents();
        const QRect cell = tree->nodeRect(top(0), 0);
        QCOMPARE(cell.height(), 10);
        const QRect red =
            inkBounds(tree->viewport()->grab().toImage(), [](QRgb p) { return p == QColor(Qt::red).rgb(); });
        QVERIFY(!red.isEmpty() && cell.contains(red));

        TTextPainter text;
        const QFont font;
        const QString plain = QStringLiteral("A rather long caption of a search engine");
        QVERIFY(text.advance(font, plain) > text.advance(font, QStringLiteral("A rather")));
        for (const QString &s :
             {plain, QString::fromUtf8(
                         "\u0645\u062d\u0631\u0643 \u0628\u062d\u062b \u0637\u0648\u064a\u0644 \u062c\u062f\u0627")}) {
            QImage image(200, 22, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter p(&image);
            p.setPen(Qt::black);
            text.draw(&p, QRect(10, 0, 80, 22), Qt::AlignLeft, font, s);
            p.end();
            const QRect ink = inkBounds(image, [](QRgb p) { return p != qRgb(255, 255, 255); });
            QVERIFY2(!ink.isEmpty() && ink.left() >= 10 && ink.right() < 90,
                     qPrintable(QStringLiteral("ink from x=%1 to %2").arg(ink.left()).arg(ink.right())));
        }
    }
};

QTEST_MAIN(TestCustomTree)
#include "tst_customtree.moc"
