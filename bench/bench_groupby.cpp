// SPDX-License-Identifier: MIT
// Regrouping a shown frame with every tenth item checked and a filter in
// force: from the group-by menu entry chosen to the tree painted, from the
// engines' categories into 26 groups and back. The host's handler, one
// SetValue per item, is timed apart from the control's own work. Beside it
// the two widgets a Qt developer would otherwise pick, doing the same: note
// the checked rows, build the tree anew under the new groups with those
// checks (groups showing whether all, some or none of their items are),
// and filter again. Every contender runs in a process of its own, several
// times, in turn.
//
// The library is linked rather than loaded: the filter's pause is the
// control's own timer, which the plug-in's boundary does not hand out. The
// frame is still made by the factory CreateManager returns, and the host's
// handler is registered under "events://change_group" as a host's is.
//
// Usage: bench_groupby [items [peer items]]   (default 1000000 for both;
// 0 is the bundled engine list); SF_BENCH_RUNS runs of each (default 5).

#include "BenchUtil.h"
#include "ChildRun.h"
#include "EngineRows.h"
#include "LinkedFrame.h"

#include "frame/uSelectFrame.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <array>
#include <cstdlib>

using namespace selectframe;
using namespace selectframe::bench;

namespace {

/// The regroups timed, in this order: the group-by menu's entry chosen and
/// the grouping it gives.
struct TRegroup
{
    const char *Key;
    const char *Label;
    int Entry;
};
const TRegroup kRegroups[] = {
    {"to26", "categories into 26 groups", 1},
    {"back", "26 groups back into categories", 0},
};
const QByteArray kGroupings = "category=Category,letter=Letter";

/// The 26-group grouping: the engines spread evenly over the letters.
const QString &letterOf(int engineIndex)
{
    static const std::array<QString, 26> letters = [] {
        std::array<QString, 26> result;
        for (int i = 0; i < 26; ++i)
            result[size_t(i)] = QChar(u'A' + i);
        return result;
    }();
    return letters[size_t(engineIndex % 26)];
}

/// The group of an engine under the grouping of a menu entry.
QString groupOf(const QList<demo::TEngine> &engines, int engineIndex, int entry)
{
    return entry == 1 ? letterOf(engineIndex) : engines[engineIndex].Category;
}

/// A filter that leaves a share of the rows: a domain prefix of the
/// synthetic list, a common pair of letters of the bundled one.
QString filterText(const QList<demo::TEngine> &engines)
{
    const bool synthetic = !engines.isEmpty() && engines.front().Name == u"Engine 0";
    return synthetic ? QStringLiteral("e1") : QStringLiteral("an");
}

// ---------------------------------------------------------------- ours

/// The host: gives every item the group of the chosen grouping, and times
/// itself.
struct TGroupingHost
{
    const QList<demo::TEngine> *Engines = nullptr;
    double Wall = 0;
    double Cpu = 0;

    static void onChangeGroup(void *data, ISelectFrame *, const QString &groupID, IFrameItemEnumerator *items)
    {
        auto *host = static_cast<TGroupingHost *>(data);
        const double cpu = processCpuMs();
        QElapsedTimer wall;
        wall.start();
        const QString key = QStringLiteral("group");
        const int entry = groupID == u"letter" ? 1 : 0;
        for (int i = 0; items->MoveNext(); ++i) {
            IPtr<IFrameItem> item;
            items->GetCurrent(item.put());
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->SetValue(key, groupOf(*host->Engines, i, entry));
        }
        host->Wall = wall.nsecsElapsed() / 1e6;
        host->Cpu = processCpuMs() - cpu;
    }
};

int runOurs(const QList<demo::TEngine> &engines)
{
    TGroupingHost host{&engines};
    const TLinkedFrame shown = showLinkedFrame(engines, [&host](TLinkedFrame &f) {
        f.Params->SetValue(keys::OptionFilterShow, true);
        f.Params->SetValue(keys::OptionGroupByColumns, kGroupings);
        IPtr<INamedMethods> methods;
        f.Frame->GetMethods(methods.put());
        methods->SetMethod(keys::EventChangeGroup, makeMethod(&TGroupingHost::onChangeGroup, &host));
    });
    ISelectFrame *frame = shown.Frame.get();
    TSelectFrameControl *control = shown.Control;
    auto *box = control->findChild<QLineEdit *>(QStringLiteral("edFilter"));
    auto *pause = control->findChild<QTimer *>(QStringLiteral("tmFilter"));
    auto *menu = control->findChild<QMenu *>(QStringLiteral("pmGroupBy"));
    if (!box || !pause || !menu || menu->actions().size() != 2) {
        std::fprintf(stderr, "the control's filter box, its pause or the group-by menu is missing\n");
        return 1;
    }
    QStringList tenth;
    for (int i = 0; i < engines.size(); i += 10)
        tenth.append(engines[i].Trigger);
    IPtr<IDataStorage> state;
    frame->GetState(state.put());
    state->Load(tenth);
    // The filter as a user leaves it: typed, and in force after the pause.
    const QString filter = filterText(engines);
    box->setText(filter);
    pause->start();
    QMetaObject::invokeMethod(pause, "timeout", Qt::DirectConnection);
    paintPending();
    report("items", engines.size());

    for (const TRegroup &regroup : kRegroups) {
        const double cpu = processCpuMs();
        const double wall = paintedMs([&] { menu->actions()[regroup.Entry]->trigger(); });
        const QByteArray key(regroup.Key);
        report(key, wall - host.Wall);
        report(key + "Cpu", processCpuMs() - cpu - host.Cpu);
        report(key + "Host", host.Wall);
    }
    QStringList checked;
    state->Save(&checked);
    if (checked.size() != tenth.size() || control->Settings()->Filter() != filter || box->text() != filter)
        std::fprintf(stderr, "the checked set or the filter did not survive the regroups\n");
    std::_Exit(0);
}

// ---------------------------------------------------------------- peers

/// The engines under one grouping, with the checks noted before.
class TCheckedRows : public TEngineRows
{
public:
    TCheckedRows(const QList<demo::TEngine> &engines, const std::vector<bool> &checks, int entry)
        : TEngineRows(engines, [&engines, entry](int i) { return groupOf(engines, i, entry); }), Checks(checks)
    {}
    bool checked(int group, int item) const override { return Checks[size_t(engineIndex(group, item))]; }

    const std::vector<bool> &Checks;
};

/// A peer's regroup, the same for both: `checkedAt` reads an item row's
/// check, `rebuild` fills the tree anew from the rows and filters it again,
/// `setGroup` shows a group's state.
struct TPeerRegroup
{
    std::function<bool(size_t item)> CheckedAt;
    std::function<void(const TEngineRows &)> Rebuild;
    std::function<void(int group, Qt::CheckState)> SetGroup;
};

int runPeer(const QList<demo::TEngine> &engines, QTreeView *view, std::unique_ptr<TEngineRows> rows,
            std::vector<bool> &checks, const TPeerRegroup &peer)
{
    view->show();
    paintNow(view);
    report("items", engines.size());
    for (const TRegroup &regroup : kRegroups) {
        const double cpu = processCpuMs();
        report(regroup.Key, paintedMs([&] {
                   // The rows are listed group by group, as the peer's items.
                   size_t item = 0;
                   for (int g = 0; g < rows->groupCount(); ++g)
                       for (int i = 0; i < rows->itemCount(g); ++i)
                           checks[size_t(rows->engineIndex(g, i))] = peer.CheckedAt(item++);
                   rows = std::make_unique<TCheckedRows>(engines, checks, regroup.Entry);
                   peer.Rebuild(*rows);
                   for (int g = 0; g < rows->groupCount(); ++g) {
                       int on = 0;
                       for (int i = 0; i < rows->itemCount(g); ++i)
                           on += checks[size_t(rows->engineIndex(g, i))];
                       peer.SetGroup(g, on == 0                    ? Qt::Unchecked
                                        : on == rows->itemCount(g) ? Qt::Checked
                                                                   : Qt::PartiallyChecked);
                   }
               }));
        report((QByteArray(regroup.Key) + "Cpu").constData(), processCpuMs() - cpu);
    }
    std::_Exit(0);
}

std::vector<bool> everyTenth(const QList<demo::TEngine> &engines)
{
    std::vector<bool> checks(size_t(engines.size()));
    for (size_t i = 0; i < checks.size(); i += 10)
        checks[i] = true;
    return checks;
}

int runWidget(const QList<demo::TEngine> &engines)
{
    std::vector<bool> checks = everyTenth(engines);
    auto rows = std::make_unique<TCheckedRows>(engines, checks, 0);
    TWidgetPeerTree peer;
    peer.build(*rows);
    const QString filter = filterText(engines);
    peer.filter(filter);
    return runPeer(engines, peer.Tree.get(), std::move(rows), checks,
                   {[&](size_t item) { return peer.Items[item]->checkState(0) == Qt::Checked; },
                    [&](const TEngineRows &next) {
                        peer.fill(next);
                        peer.filter(filter);
                    },
                    [&](int group, Qt::CheckState state) { peer.Groups[size_t(group)]->setCheckState(0, state); }});
}

int runProxy(const QList<demo::TEngine> &engines)
{
    std::vector<bool> checks = everyTenth(engines);
    auto rows = std::make_unique<TCheckedRows>(engines, checks, 0);
    TModelPeerTree peer;
    auto proxy = std::make_unique<QSortFilterProxyModel>();
    proxy->setFilterKeyColumn(-1);
    proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy->setFilterFixedString(filterText(engines));
    peer.build(*rows, std::move(proxy));
    return runPeer(engines, peer.Tree.get(), std::move(rows), checks,
                   {[&](size_t item) { return peer.Items[item]->checkState() == Qt::Checked; },
                    [&](const TEngineRows &next) {
                        // The proxy filters the new model as it takes it up;
                        // the old one goes once it is off the proxy.
                        std::unique_ptr<QStandardItemModel> old = std::move(peer.Model);
                        peer.fill(next);
                        peer.Proxy->setSourceModel(peer.Model.get());
                    },
                    [&](int group, Qt::CheckState state) { peer.Groups[size_t(group)]->setCheckState(state); }});
}

// ---------------------------------------------------------------- driver

void printTable(const char *title, int count, int peerCount, double targetMs, int timeoutMs)
{
    const auto runs = runEngineContenders(title, count, peerCount, timeoutMs);
    std::printf("  the control's own work, wall time:\n");
    for (const TRegroup &regroup : kRegroups)
        printEngineRow(regroup.Label, regroup.Key, runs, targetMs);
    std::printf("  the same, CPU time:\n");
    for (const TRegroup &regroup : kRegroups)
        printEngineRow(regroup.Label, (QByteArray(regroup.Key) + "Cpu").constData(), runs);
    for (const TRegroup &regroup : kRegroups)
        std::printf("  the host's handler (%s): %s ms\n", regroup.Label,
                    qPrintable(spreadOf(runs[0], (QByteArray(regroup.Key) + "Host").constData()).text(2)));
}

} // namespace

int main(int argc, char **argv)
{
    return engineBenchMain(argc, argv, {runOurs, runWidget, runProxy}, [](int count, int peerCount) {
        std::printf("regrouping with every tenth item checked and a filter in force, from the menu entry chosen to "
                    "the tree painted\n");
        std::fflush(stdout);
        printTable("bundled engine list", 0, 0, 30, 120000);
        printTable("synthetic engines in 1000 categories", count, peerCount, 1000, 900000);
        return 0;
    });
}
