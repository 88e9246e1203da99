// SPDX-License-Identifier: MIT
// The whole job of a host, through the plug-in's public boundary only:
// create a frame, create the items through NewItem and fill them, set the
// options, Initialize, show the control and paint its first screen. Beside
// it the two widgets a Qt developer would otherwise pick, filling and
// showing a checkable grouped tree of the same rows. Every contender runs in
// a process of its own.
//
// The plug-in is loaded with QLibrary from its build location, as the demo
// host loads it: so the figure is that of the shipped module, its one
// export and its hidden internals, and nothing here can reach past the
// public headers.
//
// Usage: bench_initialize [synthetic items [peer items]]
//   (default 1000000 for both; the bundled engine list is always measured)
// SELECTFRAME_PLUGIN names another build of the plug-in to measure.

#include "BenchUtil.h"
#include "ChildRun.h"
#include "EngineRows.h"

#include <selectframe/SelectFrame.h>

#include <QAction>
#include <QLibrary>

#include <cstdlib>
#include <memory>
#include <vector>

using namespace selectframe;
using namespace selectframe::bench;

namespace {

// ---------------------------------------------------------------- ours

int runOurs(const QList<demo::TEngine> &engines)
{
    const QString path = qEnvironmentVariable("SELECTFRAME_PLUGIN", QStringLiteral(SF_PLUGIN_PATH));
    QLibrary library(path);
    const auto create = reinterpret_cast<TCreateManager>(library.resolve(CreateManagerSymbol));
    if (!create) {
        std::fprintf(stderr, "cannot load the plug-in: %s\n", qPrintable(library.errorString()));
        return 1;
    }
    const qint64 rssStart = residentBytes();
    const double cpuStart = processCpuMs();
    IPtr<ISelectFrame> frame;
    const double creation = timeMs([&] {
        IPtr<ISelectFrameFactory> factory;
        create(factory.put());
        factory->CreateFrame(frame.put());
        fillFrame(frame.get(), engines);
    });
    const qint64 rssItems = residentBytes();
    const double cpuItems = processCpuMs();
    const double initialize = timeMs([&] { frame->Initialize(); });
    QWidget *control = frame->GetControl();
    const double paint = timeMs([&] {
        control->resize(900, 700);
        control->show();
        paintNow(control);
    });
    const double cpuBuilt = processCpuMs();
    // Check all and uncheck all as the check menu runs them, timed until
    // painted: the bulk passes as a host's user sees them through the
    // facade's forwarders.
    auto *checkAll = control->findChild<QAction *>(QStringLiteral("acCheckAll"));
    auto *uncheckAll = control->findChild<QAction *>(QStringLiteral("acUncheckAll"));
    const auto bulk = [&](QAction *action) {
        return timeMs([&] {
            action->trigger();
            paintPending();
        });
    };
    report("checkAll", checkAll ? bulk(checkAll) : 0);
    report("uncheckAll", uncheckAll ? bulk(uncheckAll) : 0);
    report("checkAllAgain", checkAll ? bulk(checkAll) : 0);
    report("items", engines.size());
    report("create", creation);
    report("initialize", initialize);
    report("paint", paint);
    report("total", creation + initialize + paint);
    report("buildCpu", cpuBuilt - cpuStart);
    report("createCpu", cpuItems - cpuStart);
    report("cpu", processCpuMs() - cpuStart);
    report("itemBytes", double(rssItems - rssStart) / engines.size());
    report("memory", double(residentBytes() - rssStart) / engines.size());
    // Tearing a million items down is not part of the job measured.
    std::_Exit(0);
}

// ---------------------------------------------------------------- peers

template <class Peer>
int runPeer(const QList<demo::TEngine> &engines, Peer build)
{
    const qint64 rssStart = residentBytes();
    const double cpuStart = processCpuMs();
    QTreeView *view = nullptr;
    const double creation = timeMs([&] { view = build(TEngineRows(engines)); });
    const double paint = timeMs([&] {
        view->show();
        paintNow(view->viewport());
    });
    report("items", engines.size());
    report("create", creation);
    report("paint", paint);
    report("total", creation + paint);
    report("cpu", processCpuMs() - cpuStart);
    report("memory", double(residentBytes() - rssStart) / engines.size());
    std::_Exit(0);
}

int runWidget(const QList<demo::TEngine> &engines)
{
    TWidgetPeerTree peer;
    return runPeer(engines, [&peer](const TPeerRows &rows) -> QTreeView * {
        peer.build(rows);
        return peer.Tree.get();
    });
}

int runProxy(const QList<demo::TEngine> &engines)
{
    TModelPeerTree peer;
    return runPeer(engines, [&peer](const TPeerRows &rows) -> QTreeView * {
        peer.build(rows, std::make_unique<QSortFilterProxyModel>());
        return peer.Tree.get();
    });
}

// ---------------------------------------------------------------- driver

/// Items in the first complete run of `runs`; 0 when none completed.
int itemsOf(const std::vector<TRunResult> &runs)
{
    for (const TRunResult &run : runs)
        if (run.Complete && run.Items)
            return run.Items;
    return 0;
}

/// Our figures and each peer's over kRounds runs each, taking turns, as
/// median (range), with each peer's total against ours.
void printTable(const char *title, int count, int peerCount, int timeoutMs)
{
    const auto runs = runRounds({{"ours", QString::number(count)},
                                 {"widget", QString::number(peerCount)},
                                 {"proxy", QString::number(peerCount)}},
                                timeoutMs);
    const std::vector<TRunResult> &ours = runs[0];
    const int items = itemsOf(ours);
    std::printf("\n%s: %d items; each contender %d times, taking turns; median (range), ms\n", title, items, kRounds);
    if (!items) {
        std::printf("  our runs did not complete\n");
        return;
    }
    // The texts live until the end of each printf.
    const auto ms = [&](const char *key) { return spreadOf(ours, key).text().toLocal8Bit(); };
    const TSpread mine = spreadOf(ours, "total");
    const TSpread mineCpu = spreadOf(ours, "buildCpu");
    std::printf("  ours: %s = create %s + Initialize %s + first paint %s\n", ms("total").constData(),
                ms("create").constData(), ms("initialize").constData(), ms("paint").constData());
    std::printf("        CPU %s, of it creating the items %s; %s B/item (items alone %s)\n", ms("buildCpu").constData(),
                ms("createCpu").constData(), qPrintable(spreadOf(ours, "memory").text(0)),
                qPrintable(spreadOf(ours, "itemBytes").text(0)));
    std::printf("        then check all %s, uncheck all %s, check all again %s, each until painted\n",
                ms("checkAll").constData(), ms("uncheckAll").constData(), ms("checkAllAgain").constData());
    const char *names[] = {"QTreeWidget", "model+proxy+view"};
    TSpread best;
    TSpread bestCpu;
    const char *bestName = nullptr;
    for (int p = 0; p < 2; ++p) {
        const std::vector<TRunResult> &peer = runs[size_t(p) + 1];
        const int peerItems = itemsOf(peer);
        if (!peerItems) {
            std::printf("  %-18s did not finish\n", names[p]);
            continue;
        }
        // A peer at another count is scaled linearly to ours.
        const double scale = double(items) / peerItems;
        const TSpread total = spreadOf(peer, "total", scale);
        const TSpread cpu = spreadOf(peer, "cpu", scale);
        std::printf("  %-18s %s = fill %s + first paint %s; CPU %s; %s B/item; ours against it: %s, CPU %s\n", names[p],
                    qPrintable(total.text()), qPrintable(spreadOf(peer, "create", scale).text()),
                    qPrintable(spreadOf(peer, "paint", scale).text()), qPrintable(cpu.text()),
                    qPrintable(spreadOf(peer, "memory").text(0)), qPrintable(verdict(mine, total)),
                    qPrintable(verdict(mineCpu, cpu)));
        if (!bestName || total.Median < best.Median) {
            best = total;
            bestCpu = cpu;
            bestName = names[p];
        }
    }
    if (peerCount != count)
        std::printf("  (peers at %d items, times scaled linearly)\n", peerCount);
    if (bestName)
        std::printf("  against the better peer (%s): %s, CPU %s (target 2x)\n", bestName,
                    qPrintable(verdict(mine, best)), qPrintable(verdict(mineCpu, bestCpu)));
}

} // namespace

int main(int argc, char **argv)
{
    return engineBenchMain(argc, argv, {runOurs, runWidget, runProxy}, [](int count, int peerCount) {
        std::printf("create, fill, Initialize and paint a frame through the plug-in's public boundary\n");
        printTable("bundled engine list", 0, 0, 120000);
        printTable("synthetic engines", count, peerCount, 300000);
        std::printf("  target: a million created + initialised + painted in 500 ms\n");
        return 0;
    });
}
