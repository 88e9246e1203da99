// SPDX-License-Identifier: MIT
// The filter box over a shown frame: from the end of the typing pause to
// the tree painted, for a first keystroke that leaves most rows (the pause
// running first, while the user types, as the event loop turns), a
// narrowing one, a filter that matches nothing and clearing the filter;
// and the checked-only view switched on with every tenth item checked.
// Beside it the two widgets a Qt developer would otherwise pick: a
// QSortFilterProxyModel filtering recursively over every column with a
// case-blind fixed string, and a QTreeWidget hiding its items. Every
// contender runs in a process of its own, several times, in turn.
//
// The library is linked rather than loaded: the pause is the control's own
// timer, which the plug-in's boundary does not hand out. The frame is still
// made by the factory CreateManager returns.
//
// Usage: bench_filter [items [peer items]]   (default 1000000 for both;
// 0 is the bundled engine list).

#include "BenchUtil.h"
#include "ChildRun.h"
#include "EngineRows.h"
#include "LinkedFrame.h"

#include "frame/uSelectFrame.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstdlib>

using namespace selectframe;
using namespace selectframe::bench;

namespace {

/// The filters typed, in this order, each replacing the one before.
struct TFilterStep
{
    const char *Key;
    const char *Label;
};
const TFilterStep kSteps[] = {
    {"first", "first keystroke \"a\" (most rows stay)"},
    {"narrow", "narrowing (\"goog\" / \"e4242\")"},
    {"nothing", "a filter that matches nothing"},
    {"clear", "clearing the filter"},
};

/// The filter texts for the steps: the narrowing one is a name of the
/// bundled list or a domain of the synthetic one.
QStringList filterTexts(const QList<demo::TEngine> &engines)
{
    const bool synthetic = !engines.isEmpty() && engines.front().Name == u"Engine 0";
    return {QStringLiteral("a"), synthetic ? QStringLiteral("e4242") : QStringLiteral("goog"), QStringLiteral("zqxj#"),
            QString()};
}

/// Every tenth item, as the checked set of the checked-only view.
QStringList everyTenth(const QList<demo::TEngine> &engines)
{
    QStringList ids;
    for (int i = 0; i < engines.size(); i += 10)
        ids.append(engines[i].Trigger);
    return ids;
}

// ---------------------------------------------------------------- ours

int runOurs(const QList<demo::TEngine> &engines)
{
    const TLinkedFrame shown =
        showLinkedFrame(engines, [](TLinkedFrame &f) { f.Params->SetValue(keys::OptionFilterShow, true); });
    ISelectFrame *frame = shown.Frame.get();
    TSelectFrameControl *control = shown.Control;
    auto *box = control->findChild<QLineEdit *>(QStringLiteral("edFilter"));
    auto *pause = control->findChild<QTimer *>(QStringLiteral("tmFilter"));
    auto *textMaker = control->findChild<QTimer *>(QStringLiteral("tmFilterTexts"));
    if (!box || !pause || !textMaker) {
        std::fprintf(stderr, "the control's filter box or its timers are missing\n");
        return 1;
    }
    report("items", engines.size());
    // The user enters the box and types; the rows' texts are made while the
    // typing pause runs, as the event loop turns.
    QApplication::setActiveWindow(control);
    box->setFocus(Qt::TabFocusReason);
    QElapsedTimer sincePause;
    sincePause.start();
    while (textMaker->isActive())
        QTest::qWait(5);
    report("textsMade", sincePause.nsecsElapsed() / 1e6);
    QTest::qWait(std::max(0, pause->interval() - int(sincePause.elapsed())));
    // What a keystroke leaves behind: the text in the box and the pause
    // running. The pause's end is what is timed.
    const QStringList texts = filterTexts(engines);
    for (size_t step = 0; step < std::size(kSteps); ++step) {
        box->setText(texts[int(step)]);
        pause->start();
        report(kSteps[step].Key, paintedMs([&] { QMetaObject::invokeMethod(pause, "timeout", Qt::DirectConnection); }));
    }
    IPtr<IDataStorage> state;
    frame->GetState(state.put());
    state->Load(everyTenth(engines));
    paintPending();
    IPtr<ISelectFrameSettings> settings;
    frame->GetSettings(settings.put());
    report("onlyChecked", paintedMs([&] { settings->SetShowOnlyChecked(true); }));
    std::_Exit(0);
}

// ---------------------------------------------------------------- peers

/// The peer's filter and checked-only view over a shown tree.
int runPeer(const QList<demo::TEngine> &engines, QTreeView *view, const std::function<void(const QString &)> &filter,
            const std::function<void()> &onlyChecked)
{
    view->show();
    paintNow(view);
    report("items", engines.size());
    const QStringList texts = filterTexts(engines);
    for (size_t step = 0; step < std::size(kSteps); ++step)
        report(kSteps[step].Key, paintedMs([&] { filter(texts[int(step)]); }));
    report("onlyChecked", paintedMs(onlyChecked));
    std::_Exit(0);
}

/// The engines' rows with every tenth item checked, as the peers show them.
class TCheckedRows : public TEngineRows
{
public:
    using TEngineRows::TEngineRows;
    bool checked(int group, int item) const override { return engineIndex(group, item) % 10 == 0; }
};

int runWidget(const QList<demo::TEngine> &engines)
{
    TWidgetPeerTree peer;
    peer.build(TCheckedRows(engines));
    const auto filter = [&](const QString &text) { peer.filter(text); };
    const auto onlyChecked = [&] {
        for (QTreeWidgetItem *group : peer.Groups) {
            for (int i = 0; i < group->childCount(); ++i)
                group->child(i)->setHidden(group->child(i)->checkState(0) == Qt::Unchecked);
            group->setHidden(group->checkState(0) == Qt::Unchecked);
        }
    };
    return runPeer(engines, peer.Tree.get(), filter, onlyChecked);
}

/// Accepts the rows that the filter string finds in any column, recursively;
/// with the checked-only view, only rows not unchecked.
class TCheckedOnlyProxy : public QSortFilterProxyModel
{
public:
    bool OnlyChecked = false;

    void setOnlyChecked(bool on)
    {
        OnlyChecked = on;
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        if (OnlyChecked) {
            const QModelIndex index = sourceModel()->index(row, 0, parent);
            return index.data(Qt::CheckStateRole).toInt() != Qt::Unchecked;
        }
        return QSortFilterProxyModel::filterAcceptsRow(row, parent);
    }
};

int runProxy(const QList<demo::TEngine> &engines)
{
    TModelPeerTree peer;
    auto proxy = std::make_unique<TCheckedOnlyProxy>();
    TCheckedOnlyProxy *filterModel = proxy.get();
    filterModel->setRecursiveFilteringEnabled(true);
    filterModel->setFilterKeyColumn(-1);
    filterModel->setFilterCaseSensitivity(Qt::CaseInsensitive);
    peer.build(TCheckedRows(engines), std::move(proxy));
    // Groups hold the mixed state of their items, as the frame's do.
    for (QStandardItem *group : peer.Groups)
        group->setCheckState(Qt::PartiallyChecked);
    return runPeer(
        engines, peer.Tree.get(), [&](const QString &text) { filterModel->setFilterFixedString(text); },
        [&] {
            filterModel->setFilterFixedString(QString());
            filterModel->setOnlyChecked(true);
        });
}

// ---------------------------------------------------------------- driver

void printTable(const char *title, int count, int peerCount, double targetMs, int timeoutMs)
{
    const auto runs = runEngineContenders(title, count, peerCount, timeoutMs);
    for (const TFilterStep &step : kSteps)
        printEngineRow(step.Label, step.Key, runs, targetMs);
    printEngineRow("checked-only view, 10% checked", "onlyChecked", runs, targetMs);
    std::printf("  ours made the rows' texts within the typing pause in %s ms\n",
                qPrintable(spreadOf(runs[0], "textsMade").text()));
}

} // namespace

int main(int argc, char **argv)
{
    return engineBenchMain(argc, argv, {runOurs, runWidget, runProxy}, [](int count, int peerCount) {
        std::printf("filter changes from the end of the typing pause to the tree painted\n");
        std::fflush(stdout);
        printTable("bundled engine list", 0, 0, 5, 120000);
        printTable("synthetic engines in 1000 groups", count, peerCount, 100, 600000);
        return 0;
    });
}
