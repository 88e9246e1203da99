// SPDX-License-Identifier: MIT
// The Favorites Manager over a shown frame, as a user works it: opening the
// dialog until its first paint (the inner frame built over the same item
// objects), switching between two large favorites (storing the checks of
// the one left, checking the one focused, painting), and OK with a hundred
// favorites (taken back, the check menu rebuilt, the rows refreshed).
// No widget set offers such a dialog to compare with; the peer is our own
// check by list over the same items, which a switch runs once and should
// cost little more than.
//
// Usage: bench_favorites [items...]   (default: the bundled 10,892 engines,
// then a million synthetic ones; 0 stands for the bundled list)

#include "BenchUtil.h"
#include "ChildRun.h"
#include "EngineRows.h"

#include "favorites/uFavoritesForm.h"
#include "frame/uSelectFrame.h"
#include "host/SelectFrameFactory.h"
#include "hub/FrameManager.h"
#include "platform/tree/TTree.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace selectframe;
using namespace selectframe::bench;

namespace {

/// Dialog openings; each gives one opening, one first switch, two more
/// switches and four check-by-list passes, alternating, and one OK.
/// SF_RUNS asks for another number (one, to profile an opening).
const int kRuns = qEnvironmentVariableIsSet("SF_RUNS") ? qEnvironmentVariableIntValue("SF_RUNS") : 5;
constexpr int kFavorites = 100;

/// Wall-clock and CPU milliseconds of one operation, run after run. The
/// CPU time does not grow while other processes hold the cores.
struct TSamples
{
    std::vector<double> Ms, CpuMs;
    double cpuStart = 0;
    QElapsedTimer clock;

    void start()
    {
        clock.start();
        cpuStart = processCpuMs();
    }
    void stop()
    {
        Ms.push_back(clock.nsecsElapsed() / 1e6);
        CpuMs.push_back(processCpuMs() - cpuStart);
    }
    void time(const std::function<void()> &work)
    {
        start();
        work();
        paintPending();
        stop();
    }
    void report(const char *key)
    {
        std::sort(Ms.begin(), Ms.end());
        std::sort(CpuMs.begin(), CpuMs.end());
        const std::string k(key);
        bench::report((k + "_med").c_str(), Ms[Ms.size() / 2]);
        bench::report((k + "_lo").c_str(), Ms.front());
        bench::report((k + "_hi").c_str(), Ms.back());
        bench::report((k + "_cpu").c_str(), CpuMs[CpuMs.size() / 2]);
    }
};

/// Two favorites of half the items (up to 5,000 each among the bundled
/// engines), then small ones up to a hundred in all.
QStringList favoriteLines(const QList<demo::TEngine> &engines)
{
    const int big = engines.size() > 100000 ? engines.size() / 2 : std::min(5000, int(engines.size() / 2));
    QStringList halves[2];
    for (int i = 0; i < 2 * big; ++i)
        halves[i % 2].append(engines[i].Trigger);
    QStringList lines{QStringLiteral("Evens=") + halves[0].join(u','), QStringLiteral("Odds=") + halves[1].join(u',')};
    for (int f = 2; f < kFavorites; ++f) {
        QStringList ids;
        for (int i = f; i < engines.size() && ids.size() < 100; i += kFavorites)
            ids.append(engines[i].Trigger);
        lines.append(QStringLiteral("Small %1=").arg(f) + ids.join(u','));
    }
    return lines;
}

int runOurs(const QList<demo::TEngine> &engines)
{
    IPtr<ISelectFrame> frame;
    {
        IPtr<ISelectFrameFactory> factory(new TSelectFrameFactory);
        factory->CreateFrame(frame.put());
    }
    fillFrame(frame.get(), engines);
    {
        IPtr<INamedParams> params;
        frame->GetParams(params.put());
        params->SetValue(keys::OptionShowFavorites, true);
        IPtr<IDataStorage> favorites;
        frame->GetFavorites(favorites.put());
        favorites->Load(favoriteLines(engines));
    }
    frame->Initialize();
    auto *control = static_cast<TSelectFrameControl *>(frame->GetControl());
    control->resize(900, 700);
    control->show();
    paintNow(control);
    QAction *organize = control->findChild<QAction *>(QStringLiteral("acOrganizeFavorites"));
    report("items", engines.size());

    TSamples open, ok, firstSwitch, switches, byList;
    bool sameItems = true;
    QStringList favoriteIds[2];
    for (int run = 0; run < kRuns; ++run) {
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<TfmOrganizeFavorites *>(QApplication::activeModalWidget());
            // Settled: what the showing posted (layouts, updates) is done too.
            dialog->repaint();
            paintPending();
            open.stop();
            auto *inner = dialog->findChild<TSelectFrameControl *>();
            TFrameManager *manager = inner->GetManager();
            auto *list = dialog->findChild<TTree *>(QStringLiteral("FavoriteTree"));
            const TVirtualNode first = list->getVM()->getFirstChild(list->getVM()->getRoot());
            const TVirtualNode rows[2] = {first, list->getVM()->getNextSibling(first)};
            // The inner frame holds this frame's item objects, not copies.
            IPtr<IFrameItemEnumerator> mine, theirs;
            control->GetManager()->ItemEnumerator(mine.put());
            manager->ItemEnumerator(theirs.put());
            IPtr<IFrameItem> a, b;
            while (mine->MoveNext() && theirs->MoveNext()) {
                mine->GetCurrent(a.put());
                theirs->GetCurrent(b.put());
                sameItems = sameItems && a == b;
            }
            sameItems = sameItems && manager->ItemCount() == control->GetManager()->ItemCount();
            for (int f = 0; f < 2; ++f) {
                IPtr<IFavoritesEnumerator> favorites;
                manager->Favorites()->GetEnumerator(favorites.put());
                IPtr<ISelectFavorite> favorite;
                for (int skip = 0; skip <= f; ++skip)
                    favorites->MoveNext();
                favorites->GetCurrent(favorite.put());
                favoriteIds[f] = *favorite->GetItems();
            }
            // Every step flips every checked row: Evens is focused at first.
            const auto timeSwitch = [&](int to) { switches.time([&] { list->SetNodeFocused(rows[to]); }); };
            const auto timeByList = [&](int to) { byList.time([&] { manager->CheckByList(favoriteIds[to]); }); };
            // The first switch creates the checked list's entries for the
            // other favorite's IDs; it is reported on its own.
            firstSwitch.time([&] { list->SetNodeFocused(rows[1]); });
            for (int to : {0, 1}) {
                timeByList(to);
                timeByList(1 - to);
                timeSwitch(to);
            }
            ok.start();
            dialog->accept();
        });
        open.start();
        organize->trigger();
        paintPending();
        ok.stop();
    }
    report("sameItems", sameItems);
    open.report("open");
    firstSwitch.report("first");
    switches.report("switch");
    byList.report("byList");
    ok.report("ok");
    report("peakMB", peakResidentBytes() / 1048576.0);
    std::_Exit(0);
}

struct TFigure
{
    const char *Label;
    const char *Key;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == u"--run") {
        const QList<demo::TEngine> engines = loadEngineRows(args[3].toInt());
        return engines.isEmpty() ? 1 : runOurs(engines);
    }
    QList<int> sizes;
    for (int i = 1; i < args.size(); ++i)
        sizes.append(args[i].toInt());
    if (sizes.isEmpty())
        sizes = {0, 1000000};
    std::printf("the Favorites Manager over a shown frame, %d openings each: median [range] in ms, median CPU ms\n",
                kRuns);
    const TFigure figures[] = {
        {"open to first paint", "open"},
        {"first switch after opening", "first"},
        {"switch between the two large favorites", "switch"},
        {"check by list of one of them (peer)", "byList"},
        {"OK with 100 favorites, rows refreshed", "ok"},
    };
    for (int size : sizes) {
        const TRunResult r = runChild({"ours", QString::number(size)}, 1800000);
        std::printf("\n%d items%s, peak %.0f MB, inner frame on the same item objects: %s\n", r.Items,
                    r.Complete ? "" : " (did not complete)", r.Figures.value("peakMB"),
                    r.Figures.value("sameItems") > 0 ? "yes" : "NO");
        for (const TFigure &f : figures) {
            const QString k = QString::fromLatin1(f.Key);
            std::printf("  %-42s %9.1f [%.1f .. %.1f]  cpu %.1f\n", f.Label, r.Figures.value(k + "_med"),
                        r.Figures.value(k + "_lo"), r.Figures.value(k + "_hi"), r.Figures.value(k + "_cpu"));
        }
        const double peer = r.Figures.value("byList_med"), peerCpu = r.Figures.value("byList_cpu");
        std::printf("  switch / check by list: %.2fx (cpu %.2fx)\n",
                    peer > 0 ? r.Figures.value("switch_med") / peer : 0.0,
                    peerCpu > 0 ? r.Figures.value("switch_cpu") / peerCpu : 0.0);
    }
    return 0;
}
