// SPDX-License-Identifier: MIT
// The Favorites Manager over a shown frame, as a user works it: opening the
// dialog until its first paint (the inner frame built over the same item
// objects), switching between two large favorites (storing the checks of
// the one left, checking the one focused, painting), and OK with a hundred
// favorites (taken back, the check menu rebuilt, the rows refreshed).
// No widget set offers such a dialog to compare with; the peer is our own
// check by list over the same items, which a switch runs once and should
// cost little more than. Each run opens the dialog once, in a process of
// its own.
//
// Usage: bench_favorites [items...]   (default: the bundled 10,892 engines,
// then a million synthetic ones; 0 stands for the bundled list)

#include "BenchUtil.h"
#include "ChildRun.h"
#include "EngineRows.h"
#include "LinkedFrame.h"

#include "favorites/uFavoritesForm.h"
#include "hub/FrameManager.h"
#include "platform/tree/TTree.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <string>

using namespace selectframe;
using namespace selectframe::bench;

namespace {

constexpr int kFavorites = 100;

/// Wall-clock and CPU milliseconds of one operation, reported under its
/// key and its key + "Cpu".
class TTiming
{
public:
    explicit TTiming(const char *key) : m_key(key) {}
    void start()
    {
        m_clock.start();
        m_cpu = processCpuMs();
    }
    void stop()
    {
        report(m_key.c_str(), m_clock.nsecsElapsed() / 1e6);
        report((m_key + "Cpu").c_str(), processCpuMs() - m_cpu);
    }
    /// Times `work` and the painting of what it changed.
    void time(const std::function<void()> &work)
    {
        start();
        work();
        paintPending();
        stop();
    }

private:
    std::string m_key;
    QElapsedTimer m_clock;
    double m_cpu = 0;
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

/// The IDs of the favorite at `place` in the inner frame's favorites.
QStringList favoriteIds(TFrameManager *manager, int place)
{
    IPtr<IFavoritesEnumerator> favorites;
    manager->Favorites()->GetEnumerator(favorites.put());
    for (int skip = 0; skip <= place; ++skip)
        favorites->MoveNext();
    IPtr<ISelectFavorite> favorite;
    favorites->GetCurrent(favorite.put());
    return *favorite->GetItems();
}

int runOurs(const QList<demo::TEngine> &engines)
{
    const TLinkedFrame shown = showLinkedFrame(engines, [&engines](TLinkedFrame &f) {
        f.Params->SetValue(keys::OptionShowFavorites, true);
        IPtr<IDataStorage> favorites;
        f.Frame->GetFavorites(favorites.put());
        favorites->Load(favoriteLines(engines));
    });
    TSelectFrameControl *control = shown.Control;
    QAction *organize = control->findChild<QAction *>(QStringLiteral("acOrganizeFavorites"));
    report("items", engines.size());

    TTiming open("open"), ok("ok");
    bool sameItems = true;
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
        // Evens is focused at first: every step flips every checked row.
        TTiming("switch").time([&] { list->SetNodeFocused(rows[1]); });
        const QStringList evens = favoriteIds(manager, 0);
        TTiming("byList").time([&] { manager->CheckByList(evens); });
        TTiming("switchBack").time([&] { list->SetNodeFocused(rows[0]); });
        ok.start();
        dialog->accept();
    });
    open.start();
    organize->trigger();
    paintPending();
    ok.stop();
    report("sameItems", sameItems);
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
    const auto runContender = [](const QString &, int count) {
        const QList<demo::TEngine> engines = loadEngineRows(count);
        return engines.isEmpty() ? 1 : runOurs(engines);
    };
    return benchMain(argc, argv, runContender, [](int, int) {
        QList<int> sizes;
        const QStringList args = QCoreApplication::arguments();
        for (int i = 1; i < args.size(); ++i)
            sizes.append(args[i].toInt());
        if (sizes.isEmpty())
            sizes = {0, 1000000};
        std::printf("the Favorites Manager over a shown frame, one opening a run, %d runs: median (range) in ms,\n"
                    "CPU below; the switches against a check by list of one of the favorites in the same run\n",
                    kRounds);
        const TFigure figures[] = {
            {"open to first paint", "open"},
            {"switch between the two large favorites", "switch"},
            {"switch back", "switchBack"},
            {"check by list of one of them (peer)", "byList"},
            {"OK with 100 favorites, rows refreshed", "ok"},
        };
        for (int size : sizes) {
            const std::vector<TRunResult> runs = runRounds({{"ours", QString::number(size)}}, 1800000)[0];
            const bool complete = std::all_of(runs.begin(), runs.end(), [](const TRunResult &r) { return r.Complete; });
            std::printf("\n%d items%s, peak %.0f MB, inner frame on the same item objects: %s\n",
                        runs.empty() ? 0 : runs.front().Items, complete ? "" : " (some runs did not complete)",
                        spreadOf(runs, "peakMB").Median, spreadOf(runs, "sameItems").Min > 0 ? "yes" : "NO");
            const TSpread peer = spreadOf(runs, "byList");
            for (const TFigure &f : figures) {
                const TSpread wall = spreadOf(runs, f.Key);
                const QByteArray cpuKey = QByteArray(f.Key) + "Cpu";
                const bool isSwitch = QByteArray(f.Key).startsWith("switch");
                std::printf("  %-42s %-26s %s\n", f.Label, qPrintable(wall.text()),
                            isSwitch ? qPrintable(QStringLiteral("check by list / switch: ") + verdict(wall, peer))
                                     : "");
                std::printf("  %-42s %s\n", "  CPU", qPrintable(spreadOf(runs, cpuKey.constData()).text()));
            }
        }
        return 0;
    });
}
