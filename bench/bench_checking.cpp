// SPDX-License-Identifier: MIT
// Checking and sorting a shown frame of a million items in a thousand
// groups, through the control as a user drives it: its actions, a mouse
// click on a check mark, the check menu's entries for a value and for a
// favorite, a sort of the tree and the restore of a remembered sort. Every
// operation is timed until what it changed is painted.
// Beside it the two widgets a Qt developer would otherwise pick, doing the
// same through their models. Every contender runs in a process of its own.
//
// The library is linked rather than loaded: the operations reach the
// control's actions and tree, which the plug-in's boundary does not hand
// out. The frame is still made by the factory CreateManager returns.
//
// Usage: bench_checking [items [peer items]]   (default 1000000 for both)

#include "BenchUtil.h"
#include "ChildRun.h"
#include "EngineRows.h"
#include "LinkedFrame.h"
#include "platform/SlicePoint.h"

#include "frame/CheckMenuItems.h"
#include "frame/TreeLayout.h"
#include "frame/uSelectFrame.h"
#include "hub/FrameManager.h"
#include "platform/tree/TTree.h"

#include <QAction>
#include <QSet>
#include <QTest>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace selectframe;
using namespace selectframe::bench;

namespace {

/// Check by value: the category column, a value a thousand items have.
constexpr int kValueColumn = 2;
const QString kValues[2] = {QStringLiteral("category 7"), QStringLiteral("CATEGORY 8")};
/// Check by a favorite: every other item, the evens and the odds.
const QString kFavorites[2] = {QStringLiteral("Evens"), QStringLiteral("Odds")};
/// Sorting: by domain, then the remembered two keys subcategory, domain.
constexpr int kSortColumn = 1;
constexpr int kSecondSortColumn = 3;

/// The item IDs of every other item, the evens and the odds: checking by
/// one after the other flips every item.
std::array<QStringList, 2> halvesOf(const QList<demo::TEngine> &engines)
{
    std::array<QStringList, 2> halves;
    for (int i = 0; i < engines.size(); ++i)
        halves[size_t(i % 2)].append(engines[i].Trigger);
    return halves;
}

/// Times `work` once, followed by a paint of what it changed, after
/// `setup` and a paint of `widget`; reports the wall time under `key` and
/// the CPU time under `key` + "Cpu". Each run is a process of its own, so
/// the first run of an operation after the build is the one measured.
void measure(const char *key, QWidget *widget, const std::function<void()> &work,
             const std::function<void()> &setup = {})
{
    if (setup)
        setup();
    paintNow(widget);
    const double cpu = processCpuMs();
    report(key, timeMs([&] {
               work();
               paintPending();
           }));
    report(qPrintable(QString::fromLatin1(key) + QStringLiteral("Cpu")), processCpuMs() - cpu);
}

/// A host's compare handler that leaves the frame's own answer.
void keepResult(void *, ISelectFrame *, IFrameItem *, IFrameItem *, int32_t, int32_t, int32_t *)
{}

// ---------------------------------------------------------------- ours

int runOurs(const QList<demo::TEngine> &engines)
{
    // The check menu offers the two values of the category column and two
    // favorites of half the items each, loaded as a host loads them.
    const std::array<QStringList, 2> halves = halvesOf(engines);
    const TLinkedFrame shown = showLinkedFrame(engines, [&halves](TLinkedFrame &f) {
        f.Params->SetValue(keys::OptionShowFavorites, true);
        f.Params->SetValue(keys::OptionFavoriteColumns, QByteArray("Category"));
        // Comma text: values holding blanks are quoted.
        f.Params->SetValue("option://favorite.Category", QByteArray(R"("category 7","CATEGORY 8")"));
        IPtr<IDataStorage> favorites;
        f.Frame->GetFavorites(favorites.put());
        favorites->Load({kFavorites[0] + u'=' + halves[0].join(u','), kFavorites[1] + u'=' + halves[1].join(u',')});
    });
    ISelectFrame *frame = shown.Frame.get();
    TSelectFrameControl *control = shown.Control;
    TFrameManager *manager = control->GetManager();
    TTree *tree = control->findChild<TTree *>(QStringLiteral("SelectTree"));
    QAction *checkAll = control->findChild<QAction *>(QStringLiteral("acCheckAll"));
    QAction *uncheckAll = control->findChild<QAction *>(QStringLiteral("acUncheckAll"));
    QAction *byValue[2] = {};
    for (TCheckDataMenuItem *entry : control->findChildren<TCheckDataMenuItem *>())
        for (int v = 0; v < 2; ++v)
            if (entry->FValue == kValues[v])
                byValue[v] = entry;
    QAction *byFavorite[2] = {};
    for (TCheckFavoriteMenuItem *entry : control->findChildren<TCheckFavoriteMenuItem *>())
        for (int f = 0; f < 2; ++f)
            if (entry->text() == kFavorites[f])
                byFavorite[f] = entry;
    if (!tree || !checkAll || !uncheckAll || !byValue[0] || !byValue[1] || !byFavorite[0] || !byFavorite[1]) {
        std::fprintf(stderr, "the control's tree, check actions or check menu entries are missing\n");
        return 1;
    }
    report("items", engines.size());

    measure(
        "checkAll", control, [&] { checkAll->trigger(); }, [&] { uncheckAll->trigger(); });
    report("checkAllCount", manager->Model()->CheckedCount());
    measure(
        "uncheckAll", control, [&] { uncheckAll->trigger(); }, [&] { checkAll->trigger(); });

    // A click on the check mark of the first group, a thousand items below it.
    IVmManager *vm = tree->getVM();
    const TVirtualNode group = vm->getFirstChild(vm->getRoot());
    const QPoint check = test::slicePoint(*tree, group, 0, 0);
    measure(
        "click", control, [&] { QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, check); },
        [&] { uncheckAll->trigger(); });
    report("clickCount", manager->Model()->CheckedCount());

    // The menu entries: the frame manager's pass, the item-query pass (the
    // facade's forwarder, no host handler) and the refresh.
    int flip = 0;
    measure("byValue", control, [&] { byValue[++flip % 2]->trigger(); });
    report("byValueCount", manager->Model()->CheckedCount());
    measure("byFavorite", control, [&] { byFavorite[++flip % 2]->trigger(); });
    report("byFavoriteCount", manager->Model()->CheckedCount());

    measure("sort", control, [&] { tree->Sort(vm->getRoot(), kSortColumn, stNatural, true); });
    TTreeLayout layout(manager->Params(), tree);
    const QString twoKeys = QStringLiteral("%1=%2,%3=%2").arg(kSecondSortColumn).arg(int(stNatural)).arg(kSortColumn);
    measure("sortTwoKeys", control, [&] { layout.ApplySortText(twoKeys); });
    // With a host compare handler every pair goes through it, as the host
    // may change any result.
    {
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        methods->SetMethod(keys::EventItemCompare, makeMethod(&keepResult));
    }
    measure("sortHandler", control, [&] { tree->Sort(vm->getRoot(), kSecondSortColumn, stNatural, true); });
    std::_Exit(0);
}

// ---------------------------------------------------------------- peers

/// The operations as a Qt developer writes them over either peer: check
/// states set per row, a group's state computed from its items.
class TPeerChecks
{
public:
    virtual ~TPeerChecks() = default;
    virtual QTreeView *view() = 0;
    /// Where a click toggles the first group's check box.
    virtual QPoint firstGroupCheck() const = 0;
    virtual int groupCount() const = 0;
    virtual void setGroup(int group, Qt::CheckState state) = 0;
    virtual void setItem(size_t item, Qt::CheckState state) = 0;
    virtual Qt::CheckState itemState(size_t item) const = 0;
    virtual QString itemText(size_t item, int column) const = 0;
    /// A stable sort of every group's items by `column`.
    virtual void sortBy(int column) = 0;

    /// Item rows of each group, group by group.
    std::vector<int> Sizes;
    /// The host's IDs of the item rows, in the peer's item order.
    QStringList IDs;

    void setAll(Qt::CheckState state)
    {
        size_t item = 0;
        for (int g = 0; g < groupCount(); ++g) {
            setGroup(g, state);
            for (int i = 0; i < Sizes[size_t(g)]; ++i)
                setItem(item++, state);
        }
    }
    /// What the view's handler of a changed group row does while a user
    /// clicks, as a Qt developer would write it: the group's items follow.
    bool Cascade = false;
    void cascade(int group, Qt::CheckState state)
    {
        if (!Cascade)
            return;
        size_t item = 0;
        for (int g = 0; g < group; ++g)
            item += size_t(Sizes[size_t(g)]);
        for (int i = 0; i < Sizes[size_t(group)]; ++i)
            setItem(item++, state);
    }
    /// Checks exactly the items `wanted` accepts; groups follow.
    template <class Wanted>
    void checkExactly(Wanted wanted)
    {
        size_t item = 0;
        for (int g = 0; g < groupCount(); ++g) {
            int checked = 0;
            for (int i = 0; i < Sizes[size_t(g)]; ++i, ++item) {
                const bool on = wanted(item);
                checked += on;
                setItem(item, on ? Qt::Checked : Qt::Unchecked);
            }
            setGroup(g, checked == 0                  ? Qt::Unchecked
                        : checked == Sizes[size_t(g)] ? Qt::Checked
                                                      : Qt::PartiallyChecked);
        }
    }
};

class TWidgetChecks : public TPeerChecks
{
public:
    TWidgetPeerTree Peer;

    QTreeView *view() override { return Peer.Tree.get(); }
    QPoint firstGroupCheck() const override { return Peer.Tree->checkPoint(Peer.Tree->model()->index(0, 0)); }
    int groupCount() const override { return int(Peer.Groups.size()); }
    void setGroup(int group, Qt::CheckState state) override { Peer.Groups[size_t(group)]->setCheckState(0, state); }
    void setItem(size_t item, Qt::CheckState state) override { Peer.Items[item]->setCheckState(0, state); }
    Qt::CheckState itemState(size_t item) const override { return Peer.Items[item]->checkState(0); }
    QString itemText(size_t item, int column) const override { return Peer.Items[item]->text(column); }
    void sortBy(int column) override { Peer.Tree->sortItems(column, Qt::AscendingOrder); }
};

class TModelChecks : public TPeerChecks
{
public:
    TModelPeerTree Peer;

    QTreeView *view() override { return Peer.Tree.get(); }
    QPoint firstGroupCheck() const override { return Peer.Tree->checkPoint(Peer.Tree->model()->index(0, 0)); }
    int groupCount() const override { return int(Peer.Groups.size()); }
    void setGroup(int group, Qt::CheckState state) override { Peer.Groups[size_t(group)]->setCheckState(state); }
    void setItem(size_t item, Qt::CheckState state) override { Peer.Items[item]->setCheckState(state); }
    Qt::CheckState itemState(size_t item) const override { return Peer.Items[item]->checkState(); }
    QString itemText(size_t item, int column) const override
    {
        const QStandardItem *first = Peer.Items[item];
        return first->parent()->child(first->row(), column)->text();
    }
    void sortBy(int column) override { Peer.Proxy->sort(column, Qt::AscendingOrder); }
};

int runPeer(const QList<demo::TEngine> &engines, TPeerChecks &peer, const std::function<void(const TPeerRows &)> &build)
{
    {
        const TEngineRows rows(engines);
        build(rows);
        for (int g = 0; g < rows.groupCount(); ++g) {
            peer.Sizes.push_back(rows.itemCount(g));
            for (int i = 0; i < rows.itemCount(g); ++i)
                peer.IDs.append(rows.engine(g, i).Trigger);
        }
    }
    QTreeView *view = peer.view();
    view->show();
    paintNow(view);
    report("items", engines.size());

    measure(
        "checkAll", view, [&] { peer.setAll(Qt::Checked); }, [&] { peer.setAll(Qt::Unchecked); });
    measure(
        "uncheckAll", view, [&] { peer.setAll(Qt::Unchecked); }, [&] { peer.setAll(Qt::Checked); });
    const QPoint check = peer.firstGroupCheck();
    measure(
        "click", view,
        [&] {
            peer.Cascade = true;
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, check);
            peer.Cascade = false;
        },
        [&] { peer.setAll(Qt::Unchecked); });
    if (peer.itemState(0) != Qt::Checked)
        std::fprintf(stderr, "the peer's click missed the group's check box\n");
    int flip = 0;
    measure("byValue", view, [&] {
        const QString &value = kValues[++flip % 2];
        peer.checkExactly(
            [&](size_t item) { return peer.itemText(item, kValueColumn).compare(value, Qt::CaseInsensitive) == 0; });
    });
    const std::array<QStringList, 2> halves = halvesOf(engines);
    measure("byFavorite", view, [&] {
        // The list's lookup ignores letter case, as ours does.
        QSet<QString> wanted;
        for (const QString &id : halves[size_t(++flip % 2)])
            wanted.insert(id.toCaseFolded());
        peer.checkExactly([&](size_t item) { return wanted.contains(peer.IDs[qsizetype(item)].toCaseFolded()); });
    });
    measure("sort", view, [&] { peer.sortBy(kSortColumn); });
    // Two keys: the second key first, then the first; both sorts are stable.
    measure("sortTwoKeys", view, [&] {
        peer.sortBy(kSortColumn);
        peer.sortBy(kSecondSortColumn);
    });
    std::_Exit(0);
}

int runWidget(const QList<demo::TEngine> &engines)
{
    TWidgetChecks peer;
    return runPeer(engines, peer, [&peer](const TPeerRows &rows) {
        peer.Peer.build(rows);
        QObject::connect(peer.Peer.Tree.get(), &QTreeWidget::itemChanged, [&peer](QTreeWidgetItem *item, int) {
            if (!item->parent())
                peer.cascade(peer.Peer.Tree->indexOfTopLevelItem(item), item->checkState(0));
        });
    });
}

int runProxy(const QList<demo::TEngine> &engines)
{
    TModelChecks peer;
    return runPeer(engines, peer, [&peer](const TPeerRows &rows) {
        peer.Peer.build(rows, std::make_unique<QSortFilterProxyModel>());
        QObject::connect(peer.Peer.Model.get(), &QStandardItemModel::itemChanged, [&peer](QStandardItem *item) {
            if (!item->parent())
                peer.cascade(item->row(), item->checkState());
        });
    });
}

// ---------------------------------------------------------------- driver

struct TFigure
{
    const char *Label;
    const char *Key;
    double TargetMs;
};

/// Items in the first complete run of `runs`; 0 when none completed.
int itemsOf(const std::vector<TRunResult> &runs)
{
    for (const TRunResult &run : runs)
        if (run.Complete && run.Items)
            return run.Items;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    return engineBenchMain(argc, argv, {runOurs, runWidget, runProxy}, [](int count, int peerCount) {
        std::printf("checking and sorting a shown frame: %d items in %d groups; peers at %d items%s\n", count,
                    kEngineGroups, peerCount, peerCount != count ? ", times scaled linearly" : "");
        std::printf("each operation once per run, with the painting of what it changed; each contender %d times,\n"
                    "taking turns; median (range) in ms, then the peer's median over ours or \"tie\" where the\n"
                    "ranges overlap; CPU time below each\n",
                    kRounds);
        std::fflush(stdout);
        const auto runs = runRounds({{"ours", QString::number(count)},
                                     {"widget", QString::number(peerCount)},
                                     {"proxy", QString::number(peerCount)}},
                                    600000);
        const std::vector<TRunResult> &ours = runs[0];
        const int items = itemsOf(ours);
        const TFigure figures[] = {
            {"check all (acCheckAll)", "checkAll", 100},
            {"uncheck all (acUncheckAll)", "uncheckAll", 100},
            {"click a group's check mark", "click", 16},
            {"check by value (menu entry)", "byValue", 10},
            {"check by a favorite of half the items", "byFavorite", 100},
            {"sort by a text column", "sort", 100},
            {"restore a two-key remembered sort", "sortTwoKeys", 200},
            {"sort with a host compare handler (ours only)", "sortHandler", 0},
        };
        std::printf("\n%-40s %-24s %6s  %-30s %-30s %s\n", "", "ours", "target", "QTreeWidget", "model+proxy",
                    "vs best");
        for (const TFigure &f : figures) {
            const TSpread mine = spreadOf(ours, f.Key);
            const QByteArray cpuKey = QByteArray(f.Key) + "Cpu";
            std::printf("%-40s %-24s %6.0f ", f.Label, qPrintable(mine.text()), f.TargetMs);
            TSpread best;
            QString cpus;
            for (size_t p = 1; p < runs.size(); ++p) {
                const int peerItems = itemsOf(runs[p]);
                if (!peerItems || !items) {
                    std::printf(" %-30s", "did not finish");
                    continue;
                }
                const double scale = double(items) / peerItems;
                const TSpread theirs = spreadOf(runs[p], f.Key, scale);
                // A peer has no host handler to ask per pair.
                if (!theirs.Count) {
                    std::printf(" %-30s", "-");
                    continue;
                }
                std::printf(" %-30s", qPrintable(theirs.text() + QStringLiteral(" ") + verdict(mine, theirs)));
                cpus += QStringLiteral(" %1").arg(spreadOf(runs[p], cpuKey.constData(), scale).text(), -30);
                if (!best.Count || theirs.Median < best.Median)
                    best = theirs;
            }
            std::printf(" %s\n", qPrintable(verdict(mine, best)));
            std::printf("%-40s %-24s %6s %s\n", "  CPU", qPrintable(spreadOf(ours, cpuKey.constData()).text()), "",
                        qPrintable(cpus));
        }
        std::printf("checked after check all %.0f, after the group click %.0f, by value %.0f, by favorite %.0f\n",
                    spreadOf(ours, "checkAllCount").Median, spreadOf(ours, "clickCount").Median,
                    spreadOf(ours, "byValueCount").Median, spreadOf(ours, "byFavoriteCount").Median);
        if (!items)
            std::printf("our runs did not complete\n");
        return 0;
    });
}
