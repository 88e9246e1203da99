// SPDX-License-Identifier: MIT
// The tree control over the item tree: states, updates, sorting, focus,
// header, mouse and keyboard, clipping. What the item tree's rows show is
// tst_selectvirtualtree's.
#include "platform/DataTable.h"
#include "platform/SlicePoint.h"
#include "trees/SelectTreeFixture.h"

#include "platform/tree/TCustomHeader.h"
#include "platform/tree/TSlicesFactory.h"
#include "platform/tree/TStringSlice.h"
#include "platform/tree/TTextPainter.h"
#include "platform/tree/TTreeModel.h"
#include "platform/tree/TTreeUpdate.h"

#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTimer>

#include <stdexcept>

using namespace selectframe;
using namespace selectframe::test;

class TestCustomTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TShownTree> t;
    TTree *tree = nullptr;
    /// The tree's events in order: "focus Group 0", "lost -", "click Item
    /// 0.1 2.0" (row, column.slice), "active Item 0.1".
    QStringList log;

    TVirtualNode top(int i) const { return t->child(i); }
    TVirtualNode item(int row, int i) const { return t->child(i, top(row)); }
    void setHidden(TVirtualNode n, bool hidden)
    {
        tree->SetNodeState(n, hidden ? tree->GetNodeState(n) | nsHidden : tree->GetNodeState(n) & ~uint32_t(nsHidden));
    }
    /// What the cell of `n` in `column` shows.
    QString text(TVirtualNode n, int column) const
    {
        return sliceAs<TStringSlice>(t->rows().filledSlicesOf(t->store().cell(n, column))->GetSlice(column ? 0 : 2))
            ->Text;
    }
    /// Runs one sort step: "sort 1x2n0r+" (columns with none, natural or
    /// reversed; + into the groups), "click C" on a header column, or "menu E"
    /// (the header menu's entry E).
    void sortStep(const QString &step)
    {
        TCustomHeader *h = tree->Header();
        const QStringList words = step.split(u' ');
        if (words[0] == u"sort") {
            QList<int> columns;
            QList<TSortType> types;
            for (int i = 0; i + 1 < words[1].size(); i += 2) {
                columns << words[1][i].digitValue();
                types << (words[1][i + 1] == u'n' ? stNatural : words[1][i + 1] == u'r' ? stReversed : stNone);
            }
            tree->Sort(t->vm()->getRoot(), columns, types, words[1].endsWith(u'+'));
        } else if (words[0] == u"click") {
            const int id = words[1].toInt();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(id) + h->sectionSize(id) / 2, h->height() / 2));
        } else {
            h->setSortMenu(true);
            QTimer::singleShot(0, h, [entry = words[1].toInt()] {
                if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
                    menu->actions().at(entry)->trigger(), menu->close();
            });
            const QPoint at(h->sectionViewportPosition(1) + 5, 5);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, h->viewport()->mapToGlobal(at));
            QApplication::sendEvent(h->viewport(), &event);
        }
    }
    /// Top-level rows | the rows of Group 0 | sort keys | the indicator's
    /// section and order.
    QString sortProbe() const
    {
        TCustomHeader *h = tree->Header();
        const QStringList shown = t->shown();
        QStringList keys;
        for (int i = 0; i < h->getSortIndexs().size(); ++i)
            keys << QString::number(h->getSortIndexs()[i]) + "xrn"[int(h->getSortTypes()[i])];
        const QString indicator = h->isSortIndicatorShown()
                                      ? QString::number(h->sortIndicatorSection()) +
                                            (h->sortIndicatorOrder() == Qt::AscendingOrder ? "^" : "v")
                                      : QStringLiteral("-");
        QString probe = QStringList{shown.join(u','), t->shown(int(shown.indexOf("Group 0"))).join(u','),
                                    keys.join(u','), indicator}
                            .join(u'|');
        return probe.remove(QStringLiteral("Item ")).remove(QStringLiteral("Group "));
    }

private slots:
    void init()
    {
        t = std::make_unique<TShownTree>();
        tree = &t->Tree;
        tree->resize(520, 400);
        // "Item l", then "Group 0" to "Group 2" with "Item g.0" to "Item g.3":
        // column 2 "Kind i%3" (ties), images i%3-1, odd items checked and
        // with an action link.
        t->add("l");
        for (int g = 0; g < 3; ++g)
            for (int i = 0; i < 4; ++i)
                t->add(QStringLiteral("%1.%2").arg(g).arg(i), QStringLiteral("Group %1").arg(g),
                       {{"column2_data", QStringLiteral("Kind %1").arg(i % 3)},
                        {"image", QString::number(i % 3 - 1)},
                        {"c_action_link", i % 2 ? "Action" : ""}});
        t->build();
        for (int g = 1; g <= 3; ++g)
            for (int i : {1, 3})
                t->rows().recordOf(item(g, i))->FrameObject->SetState(fcsChecked);
        log.clear();
        tree->OnNodeFocus = [this](TCustomTree *, TVirtualNode n) { log << "focus " + t->name(n); };
        tree->OnNodeLostFocus = [this](TCustomTree *, TVirtualNode n) { log << "lost " + t->name(n); };
        tree->OnNodeActive = [this](TCustomTree *, TVirtualNode n, TSlice *s) {
            log << "active " + t->name(n) + (SlicesFactory().isKind(s, "check") ? "" : " not by its check box");
        };
        tree->OnNodeClick = [this](TCustomTree *, const THitInfo &hit) {
            // A cell's click names the cell's own node.
            const bool node = hit.Column == 0 ? hit.Node == hit.Row : t->store().columnOf(hit.Node) == hit.Column;
            log << QStringLiteral("click %1 %2.%3%4")
                       .arg(t->name(hit.Row))
                       .arg(hit.Column)
                       .arg(hit.SliceIndex)
                       .arg(node ? "" : " wrong node");
        };
        tree->OnNodeCompare = [this](TCustomTree *, TVirtualNode a, TVirtualNode b, int column, TSortType) {
            return text(b, column).compare(text(a, column));
        };
        t->showWindow();
    }
    void cleanup() { t.reset(); }

    // With the groups collapsed only the shown rows' cells are made. Hidden
    // rows leave the view but stay reachable; a group hidden and shown again
    // comes back expanded; groups expand as the adapter says at each build.
    void nodeStatesHideAndExpand()
    {
        QAbstractItemModel *m = tree->model();
        QCOMPARE(t->rows().NodeRecords.Count(), size_t(16 + 4 * 2));
        QVERIFY((m->flags(m->index(0, 0)) & Qt::ItemNeverHasChildren) &&
                !(m->flags(m->index(1, 0)) & Qt::ItemNeverHasChildren));
        setHidden(top(2), true);
        QCOMPARE(t->shown(), (QStringList{"Item l", "Group 0", "Group 2"}));
        tree->SetNodeState(top(0), nsHidden);
        QCOMPARE(t->vm()->getFirstVisible(), top(1));
        QCOMPARE(t->vm()->getNextSibling(top(1)), top(2));

        tree->SetNodeState(top(1), nsExpanded);
        tree->collapse(m->index(0, 0));
        QCOMPARE(tree->GetNodeState(top(1)) & nsExpanded, 0u);
        tree->expand(m->index(0, 0));
        setHidden(top(1), true);
        setHidden(top(1), false);
        QVERIFY((tree->GetNodeState(top(1)) & nsExpanded) && tree->isExpanded(m->index(0, 0)));
        for (const bool expanded : {false, true}) {
            t->set(keys::OptionGroupsExpanded, expanded);
            t->build();
            QCOMPARE(tree->isExpanded(m->index(1, 0)) && tree->isExpanded(m->index(3, 0)), expanded);
        }
        tree->Expand(top(1), TCustomTree::emCollapse, 0);
        QVERIFY(!tree->isExpanded(m->index(1, 0)) && tree->isExpanded(m->index(2, 0)));
    }

    // Nested updates show once at the outer end; an unbalanced end is
    // ignored; the guard ends its update when its block throws. The sort
    // inside has no handler: the adapter's compare (0) keeps the order.
    void nestedUpdatesShowOnce()
    {
        tree->OnNodeCompare = nullptr;
        QSignalSpy layouts(tree->model(), &QAbstractItemModel::layoutChanged);
        QSignalSpy resets(tree->model(), &QAbstractItemModel::modelReset);
        tree->BeginUpdate();
        {
            TTreeUpdate inner(*tree);
            tree->SetNodeState(top(1), nsHidden);
            tree->SetNodeState(item(2, 0), nsHidden);
            tree->Sort(t->vm()->getRoot(), 0, stReversed, true);
        }
        QCOMPARE(layouts.count(), 0);
        QCOMPARE(tree->model()->rowCount(), 4);
        tree->SetNodeState(top(0), nsHidden);
        tree->EndUpdate();
        tree->EndUpdate();
        QCOMPARE((QList<qsizetype>{layouts.count(), resets.count(), tree->updateCount()}), (QList<qsizetype>{1, 0, 0}));
        QCOMPARE(t->shown(), (QStringList{"Group 1", "Group 2"}));
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
    // of type none is skipped; a header click sorts by its column, a second
    // one backwards, into the groups; the header's menu sorts as chosen or
    // not at all.
    void sorting()
    {
        QStringList probes;
        for (const char *step : {"sort 1x2n0r+", "click 0", "click 0", "sort 0n", "click 2", "menu 1", "menu 2"})
            sortStep(QString::fromLatin1(step)), probes << sortProbe();
        QCOMPARE(probes, (QStringList{"2,1,0,l|0.3,0.0,0.1,0.2|1x,2n,0r|2^", "0,1,2,l|0.0,0.1,0.2,0.3|0n|0^",
                                      "l,2,1,0|0.3,0.2,0.1,0.0|0r|0v", "0,1,2,l|0.3,0.2,0.1,0.0|0n|0^",
                                      "0,1,2,l|0.3,0.0,0.1,0.2|2n|2^", "l,0,1,2|0.3,0.2,0.1,0.0|1r|1v",
                                      "l,0,1,2|0.3,0.2,0.1,0.0||-"}));
    }

    // A focused row removed loses the focus and is added again inside an
    // update; without a manager states are ignored.
    void rowsChangeOnALiveTree()
    {
        TSelectVirtualTree &rows = t->rows();
        const TVirtualNode g0 = top(1);
        tree->SetNodeFocused(g0);
        rows.remove(g0);
        QVERIFY(tree->isVirtualNode(g0) && !tree->GetNodeFocused());
        tree->BeginUpdate();
        rows.add(rows.Root(), g0, ltLastChild);
        tree->EndUpdate();
        QCOMPARE(t->shown().last(), QStringLiteral("Group 0"));
        QVERIFY(!tree->isVirtualNode(g0));
        tree->setVM(nullptr);
        QCOMPARE(tree->model()->rowCount(), 0);
        tree->SetNodeState(TVirtualNode{2}, nsHidden);
    }

    // Column widths from the adapter (-1: none, so the column stretches)
    // and what the header shows (-1: some room); a width given again shows
    // its column again.
    void headerWidthsFromTheAdapter()
    {
        TCustomHeader *h = tree->Header();
        const QList<std::pair<QList<int>, QList<int>>> steps{
            {{-1, 0, -1}, {-1, 0, -1}}, {{100, 150, 0}, {100, -1, 0}}, {{-1, 150, -1}, {-1, 150, -1}}};
        for (const auto &[widths, shown] : steps) {
            for (int i = 0; i < widths.size(); ++i)
                t->Manager.Model()->ColumnByIndex(i)->Width = widths[i];
            tree->takeUp(upHeader);
            const auto shownWidths = [&] {
                QList<int> r;
                for (int id = 0; id < h->count(); ++id) {
                    const int w = h->getWidth(h->ItemByOrder(id));
                    r.append(shown[id] < 0 && w > 0 ? -1 : w);
                }
                return r;
            };
            QTRY_COMPARE(shownWidths(), shown);
        }
    }

    // Hiding and showing the focused row keeps its focus and raises
    // nothing; clearing the focus and keyboard moves raise the events. With
    // a delay the events wait until the focus rests and never name a row
    // passed over; focus set in code does not wait and takes over a move
    // still waiting; a move waiting when its rows go away raises nothing.
    void focusEvents()
    {
        tree->SetNodeState(top(1), nsExpanded);
        log.clear(); // the first row took the focus when shown
        tree->SetNodeFocused(item(1, 2));
        for (const bool hidden : {true, false}) {
            tree->BeginUpdate();
            for (int i = 0; i < 4; ++i)
                setHidden(item(1, i), hidden);
            tree->EndUpdate();
            QCOMPARE(tree->GetNodeFocused(), item(1, 2));
        }
        QCOMPARE(TTreeModel::nodeOf(tree->currentIndex()), item(1, 2));
        tree->SetNodeFocused({});
        QVERIFY(!tree->currentIndex().isValid());
        tree->SetNodeFocused(top(0));
        tree->setFocus();
        QTest::keyClick(tree->viewport(), Qt::Key_Down);
        QCOMPARE(log, (QStringList{"lost Item l", "focus Item 0.2", "lost Item 0.2", "focus -", "focus Item l",
                                   "lost Item l", "focus Group 0"}));

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
        t->rows().clear();
        QTest::qWait(80);
        QCOMPARE(log, (QStringList{"lost Group 0", "focus Group 2", "lost Group 2", "focus Item l"}));
        QCOMPARE(tree->GetNodeFocused(), TVirtualNode{});
    }

    // The check box activates its row, with its own slice; every click is
    // reported with the slice and the cell's node; Space activates the
    // focused row unless it is hidden; a right click selects only when
    // asked to; the mouse takes the cursor of the slice it is over. A double
    // click (press, release, double click, release) on a
    // check box toggles twice; elsewhere it expands a group and is no second
    // click.
    void clicksAndKeys()
    {
        tree->SetNodeState(top(1), nsExpanded);
        const TVirtualNode row = item(1, 1);
        tree->setFocus();
        tree->SetNodeFocused(row);
        log.clear();
        for (const auto &[column, slice] : {std::pair{0, 0}, {0, 3}, {2, 0}})
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, row, column, slice));
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        setHidden(row, true);
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(tree->GetNodeFocused(), row);
        setHidden(row, false);
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(log, (QStringList{"click Item 0.1 0.0", "active Item 0.1", "click Item 0.1 0.3", "click Item 0.1 2.0",
                                   "active Item 0.1", "active Item 0.1"}));

        // The cursor over a slice is the slice's own.
        SlicesFactory().setCursor(t->rows().slicesOf(row)->GetSlice(3), "hand cursor");
        QTest::mouseMove(tree->viewport(), slicePoint(*tree, row, 0, 3));
        QCOMPARE(tree->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(tree->viewport(), slicePoint(*tree, row, 0, 2));
        QCOMPARE(tree->viewport()->cursor().shape(), Qt::ArrowCursor);
        const QPoint onRow2 = tree->nodeRect(top(2), 0).center();
        for (const bool select : {false, true}) {
            tree->setRightClickSelect(select);
            QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, onRow2);
            QCOMPARE(tree->GetNodeFocused(), select ? top(2) : row);
        }
        QVERIFY(tree->selectionModel()->isSelected(tree->currentIndex()));

        tree->SetNodeState(top(1), 0);
        tree->SetNodeFocused(top(0));
        log.clear();
        for (const auto &[at, slice] : {std::pair{top(0), 0}, {top(1), 2}}) {
            const QPoint p = slicePoint(*tree, at, 0, slice);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, p);
        }
        QVERIFY(tree->GetNodeState(top(1)) & nsExpanded);
        QCOMPARE(log, (QStringList{"click Item l 0.0", "active Item l", "click Item l 0.0", "active Item l",
                                   "lost Item l", "focus Group 0", "click Group 0 0.2"}));

        // A throwing activation handler is reported, never reaches the event
        // loop, and leaves no update open.
        tree->OnNodeActive = [&](TCustomTree *t, TVirtualNode, TSlice *) {
            t->BeginUpdate();
            throw std::runtime_error("handler failed");
        };
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("handler failed"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, slicePoint(*tree, top(0), 0, 0));
        QCOMPARE(tree->updateCount(), 0);
    }

    // Texts longer than their room, left to right or right to left, stay
    // inside it.
    void textIsClippedToItsRoom()
    {
        for (const QString &s :
             {QStringLiteral("A rather long caption of a search engine"), QStringLiteral("محرك بحث طويل جدا")}) {
            QImage image(200, 22, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter p(&image);
            p.setPen(Qt::black);
            TTextPainter().draw(&p, QRect(10, 0, 80, 22), Qt::AlignLeft, QFont(), s);
            p.end();
            int inside = 0, outside = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    (x >= 10 && x < 90 ? inside : outside) += image.pixel(x, y) != qRgb(255, 255, 255);
            QVERIFY2(inside > 0 && outside == 0, qPrintable(QStringLiteral("%1 dots of ink outside").arg(outside)));
        }
    }
};

QTEST_MAIN(TestCustomTree)
#include "tst_customtree.moc"
