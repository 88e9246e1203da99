// SPDX-License-Identifier: MIT
// The rows the host-side benchmarks work on: engines, the bundled list or
// synthetic ones, given to a frame through the public boundary as any host
// gives them, and read by the peers grouped by category.
#pragma once

#include "ChildRun.h"
#include "EngineList.h"
#include "PeerTrees.h"

#include <selectframe/SelectFrame.h>

#include <QHash>

#include <cstdio>
#include <functional>
#include <vector>

namespace selectframe::bench {

constexpr int kEngineGroups = 1000;
/// The caption and the four values "column1_data".."column4_data".
constexpr int kEngineColumns = 5;

/// The bundled engine list for a count of 0, else that many synthetic
/// engines in kEngineGroups categories.
inline QList<demo::TEngine> loadEngineRows(int count)
{
    if (count > 0)
        return demo::syntheticEngines(count, kEngineGroups);
    QString error;
    QList<demo::TEngine> engines = demo::loadEngines(QStringLiteral(SF_DATA_DIR "/bangs.json"), &error);
    if (engines.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return engines;
}

/// Column `column` of an engine's row: its name, domain, category,
/// subcategory and search URL.
inline const QString &engineCell(const demo::TEngine &e, int column)
{
    switch (column) {
    case 0:
        return e.Name;
    case 1:
        return e.Domain;
    case 2:
        return e.Category;
    case 3:
        return e.Subcategory;
    default:
        return e.Url;
    }
}

/// What a host does before Initialize: sets the column options and creates
/// one item per engine through NewItem, with the trigger as ID, the name as
/// caption, the category as group and the other cells as column values.
inline void fillFrame(ISelectFrame *frame, const QList<demo::TEngine> &engines)
{
    IPtr<INamedParams> params;
    frame->GetParams(params.put());
    params->SetValue(keys::OptionColumnNames, QByteArray("Name,Domain,Category,Subcategory,Search URL"));
    params->SetValue(keys::OptionColumnsWidth, QByteArray("240,160,140,120"));
    // The names a host keeps as constants.
    const QString groupKey = QStringLiteral("group");
    const QString columnKeys[] = {QStringLiteral("column1_data"), QStringLiteral("column2_data"),
                                  QStringLiteral("column3_data"), QStringLiteral("column4_data")};
    for (const demo::TEngine &e : engines) {
        IPtr<IFrameItem> item;
        frame->NewItem(item.put());
        item->SetID(e.Trigger);
        item->SetCaption(e.Name);
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        values->SetValue(groupKey, e.Category);
        for (int c = 1; c < kEngineColumns; ++c)
            values->SetValue(columnKeys[c - 1], engineCell(e, c));
    }
}

/// The engines grouped, by category unless told otherwise, in order of
/// first appearance, as a peer has to group them itself.
class TEngineRows : public TPeerRows
{
public:
    /// The group of the engine at a place of the host's list.
    using TGroupOf = std::function<QString(int engineIndex)>;

    explicit TEngineRows(const QList<demo::TEngine> &engines, const TGroupOf &groupOf = {}) : Engines(engines)
    {
        QHash<QString, int> groups;
        for (int i = 0; i < engines.size(); ++i) {
            const QString name = groupOf ? groupOf(i) : engines[i].Category;
            const auto found = groups.constFind(name);
            int group = 0;
            if (found == groups.cend()) {
                group = int(Members.size());
                groups.insert(name, group);
                Captions.push_back(name);
                Members.emplace_back();
            } else {
                group = *found;
            }
            Members[size_t(group)].push_back(i);
        }
    }
    int columnCount() const override { return kEngineColumns; }
    int groupCount() const override { return int(Members.size()); }
    QString groupCaption(int group) const override { return Captions[size_t(group)]; }
    int itemCount(int group) const override { return int(Members[size_t(group)].size()); }
    QString text(int group, int item, int column) const override { return engineCell(engine(group, item), column); }
    const demo::TEngine &engine(int group, int item) const { return Engines[engineIndex(group, item)]; }
    /// The place of a row's engine in the host's list.
    int engineIndex(int group, int item) const { return Members[size_t(group)][size_t(item)]; }

private:
    const QList<demo::TEngine> &Engines;
    std::vector<QString> Captions;
    std::vector<std::vector<int>> Members;
};

/// The contenders of a benchmark over engine rows, by the name a child
/// runs them under: "ours", "widget" and "proxy".
struct TEngineContenders
{
    using TRun = std::function<int(const QList<demo::TEngine> &)>;
    TRun Ours, Widget, Proxy;
};

/// Runs "ours" over `count` items and the two peers over `peerCount`, each
/// kRounds times in turn (see runRounds), and prints the heading of their
/// table: its title and the items. The runs come as ours, QTreeWidget,
/// model+proxy.
inline std::vector<std::vector<TRunResult>> runEngineContenders(const char *title, int count, int peerCount,
                                                                int timeoutMs)
{
    const QString n = QString::number(count), peerN = QString::number(peerCount);
    auto runs = runRounds({{"ours", n}, {"widget", peerN}, {"proxy", peerN}}, timeoutMs);
    std::printf("\n%s: %d items, %d runs each, median (range) in ms; peers scaled to our item count\n", title,
                runs[0].empty() ? 0 : runs[0].front().Items, kRounds);
    std::printf("  %-40s %-26s %-34s %-34s\n", "", "ours", "QTreeWidget", "model+proxy");
    return runs;
}

/// One row of such a table: our figure `key` against `targetMs` (none when
/// 0), and each peer's, scaled to our item count, with how ours stands.
inline void printEngineRow(const char *label, const char *key, const std::vector<std::vector<TRunResult>> &runs,
                           double targetMs = 0)
{
    const int items = runs[0].empty() ? 0 : runs[0].front().Items;
    const TSpread mine = spreadOf(runs[0], key);
    std::printf("  %-40s %-20s %-5s", label, qPrintable(mine.text(2)),
                targetMs <= 0             ? ""
                : mine.Median <= targetMs ? "ok"
                                          : "slow");
    for (size_t p = 1; p < runs.size(); ++p) {
        const int theirs = runs[p].empty() ? 0 : runs[p].front().Items;
        const TSpread spread = spreadOf(runs[p], key, theirs ? double(items) / theirs : 0);
        std::printf(" %-34s", qPrintable(spread.text(2) + QStringLiteral(" ") + verdict(mine, spread)));
    }
    std::printf("\n");
}

/// benchMain for contenders over engine rows: a child loads the rows of its
/// count (see loadEngineRows) and runs its contender over them.
inline int engineBenchMain(int argc, char **argv, const TEngineContenders &contenders,
                           const std::function<int(int, int)> &drive)
{
    const auto runContender = [&contenders](const QString &which, int count) {
        const QList<demo::TEngine> engines = loadEngineRows(count);
        if (engines.isEmpty())
            return 1;
        return (which == u"ours"     ? contenders.Ours
                : which == u"widget" ? contenders.Widget
                                     : contenders.Proxy)(engines);
    };
    return benchMain(argc, argv, runContender, drive);
}

} // namespace selectframe::bench
