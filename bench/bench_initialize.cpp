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

/// Our figures, each peer's and the ratio peer / ours for one item count.
void printTable(const char *title, int count, int peerCount, int timeoutMs)
{
    const TRunResult ours = runChild({"ours", QString::number(count)}, timeoutMs);
    const TRunResult widget = runChild({"widget", QString::number(peerCount)}, timeoutMs);
    const TRunResult proxy = runChild({"proxy", QString::number(peerCount)}, timeoutMs);
    std::printf("\n%s: %d items", title, ours.Items);
    if (peerCount != count)
        std::printf(" (peers at %d, times scaled linearly)", widget.Items);
    std::printf("\n");
    if (!ours.Complete)
        std::printf("  our run did not complete\n");
    const double mine = ours.Figures.value("total");
    std::printf("  ours: %.1f ms = create %.1f + Initialize %.1f + first paint %.1f; %.0f B/item (items alone %.0f)\n",
                mine, ours.Figures.value("create"), ours.Figures.value("initialize"), ours.Figures.value("paint"),
                ours.Figures.value("memory"), ours.Figures.value("itemBytes"));
    std::printf("        CPU time %.1f ms, of it creating the items %.1f ms\n", ours.Figures.value("cpu"),
                ours.Figures.value("createCpu"));
    std::printf("        then check all %.1f ms, uncheck all %.1f ms, check all again %.1f ms, each until painted\n",
                ours.Figures.value("checkAll"), ours.Figures.value("uncheckAll"),
                ours.Figures.value("checkAllAgain"));
    double best = 0;
    for (const auto &[name, peer] : {std::pair{"QTreeWidget", &widget}, std::pair{"model+proxy+view", &proxy}}) {
        if (!peer->Complete || !peer->Items) {
            std::printf("  %-18s did not finish\n", name);
            continue;
        }
        const double scale = double(ours.Items) / peer->Items;
        const double total = peer->Figures.value("total") * scale;
        best = best > 0 ? std::min(best, total) : total;
        std::printf("  %-18s %10.1f ms = fill %.1f + first paint %.1f; %.0f B/item   %.1fx ours (CPU %.1f ms)\n",
                    name, total, peer->Figures.value("create") * scale, peer->Figures.value("paint") * scale,
                    peer->Figures.value("memory"), mine > 0 ? total / mine : 0.0, peer->Figures.value("cpu") * scale);
    }
    if (best > 0)
        std::printf("  the better peer takes %.1fx our time (target 5x)\n", mine > 0 ? best / mine : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
    return engineBenchMain(argc, argv, {runOurs, runWidget, runProxy}, [](int count, int peerCount) {
        std::printf("create, fill, Initialize and paint a frame through the plug-in's public boundary\n");
        printTable("bundled engine list", 0, 0, 120000);
        printTable("synthetic engines", count, peerCount, 300000);
        std::printf("  target: a million created + initialised + painted under 1000 ms\n");
        return 0;
    });
}
