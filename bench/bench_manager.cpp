// SPDX-License-Identifier: MIT
// The frame manager at scale: rebuild, bulk check passes and single
// unchecks over a million items, beside the same work done the way a Qt
// developer would without us (a QStandardItemModel of checkable rows).

#include "BenchUtil.h"

#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"

#include <QCoreApplication>
#include <QSet>
#include <QStandardItemModel>

#include <vector>

using namespace selectframe;
using namespace selectframe::bench;

namespace {

constexpr int kColumns = 5;

struct TData
{
    QString id, caption, group;
    QString columns[kColumns - 1];
};

std::vector<TData> makeData(int count, int groups)
{
    std::vector<TData> data(count);
    for (int i = 0; i < count; ++i) {
        TData &d = data[i];
        d.id = QStringLiteral("id%1").arg(i);
        d.caption = QStringLiteral("Engine %1").arg(i);
        d.group = QStringLiteral("Group %1").arg(i % groups);
        d.columns[0] = QStringLiteral("e%1.example").arg(i);
        d.columns[1] = QStringLiteral("Value %1").arg(i % 10);
        d.columns[2] = QStringLiteral("Sub %1").arg(i % 7);
        d.columns[3] = QStringLiteral("%1").arg(i * 7 % 1000);
    }
    return data;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString(argv[1]).toInt() : 1000000;
    const int groups = 1000;
    std::printf("frame manager, %d items, %d columns, %d groups\n", count, kColumns, groups);

    const std::vector<TData> data = makeData(count, groups);
    // Each timed pass flips every item: the evens, then the odds.
    QStringList halves[2];
    for (int i = 0; i < count; ++i)
        halves[i % 2].append(data[i].id);
    const QSet<QString> halfSets[2] = {QSet<QString>(halves[0].begin(), halves[0].end()),
                                       QSet<QString>(halves[1].begin(), halves[1].end())};
    const QString values[2] = {QStringLiteral("Value 3"), QStringLiteral("Value 4")};
    int flip = 0;

    // --- ours
    const qint64 rssStart = residentBytes();
    TFrameManager manager;
    WriteOptionDefaults(manager.Params());
    manager.Params()->SetValue(keys::OptionColumnNames, QByteArray("Name,Domain,Value,Sub,Number"));
    const double oursCreate = timeMs([&] {
        const QString groupKey = QStringLiteral("group");
        const QString columnKeys[] = {"column1_data", "column2_data", "column3_data", "column4_data"};
        for (const TData &d : data) {
            IPtr<IFrameItem> item;
            manager.NewItem(item.put());
            item->SetID(d.id);
            item->SetCaption(d.caption);
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->SetValue(groupKey, d.group);
            for (int c = 0; c < kColumns - 1; ++c)
                values->SetValue(columnKeys[c], d.columns[c]);
            manager.AddItem(item.get());
        }
    });
    const qint64 rssItems = residentBytes();
    const double oursRebuild = timeMs([&] { manager.Rebuild(); });
    const qint64 rssModel = residentBytes();
    const double oursByList = timeMs([&] { manager.CheckByList(halves[++flip % 2]); }, 3);
    const double oursByValue = timeMs([&] { manager.CheckByValue(2, values[++flip % 2]); }, 3);
    const double oursUncheck = timeMs(
        [&] {
            for (TFrameItemObject *object : manager.Model()->Items())
                object->SetState(fcsUnchecked);
        },
        3,
        [&] {
            for (TFrameItemObject *object : manager.Model()->Items())
                object->SetState(fcsChecked);
        });

    // --- peer: checkable rows in a standard item model
    QStandardItemModel peer;
    std::vector<QStandardItem *> peerItems;
    const double peerRebuild = timeMs([&] {
        peer.setColumnCount(kColumns);
        QHash<QString, QStandardItem *> groupRows;
        peerItems.reserve(data.size());
        for (const TData &d : data) {
            QStandardItem *&groupRow = groupRows[d.group];
            if (!groupRow) {
                groupRow = new QStandardItem(d.group);
                groupRow->setCheckable(true);
                peer.appendRow(groupRow);
            }
            QList<QStandardItem *> row;
            auto *first = new QStandardItem(d.caption);
            first->setCheckable(true);
            first->setData(d.id, Qt::UserRole);
            row.append(first);
            for (const QString &text : d.columns)
                row.append(new QStandardItem(text));
            groupRow->appendRow(row);
            peerItems.push_back(first);
        }
    });
    const double peerByList = timeMs(
        [&] {
            const QSet<QString> &wanted = halfSets[++flip % 2];
            for (QStandardItem *item : peerItems)
                item->setCheckState(wanted.contains(item->data(Qt::UserRole).toString()) ? Qt::Checked : Qt::Unchecked);
        },
        3);
    const double peerByValue = timeMs(
        [&] {
            const QString &value = values[++flip % 2];
            for (QStandardItem *item : peerItems) {
                const QString text = item->parent()->child(item->row(), 2)->text();
                item->setCheckState(text.compare(value, Qt::CaseInsensitive) == 0 ? Qt::Checked : Qt::Unchecked);
            }
        },
        3);
    const double peerUncheck = timeMs(
        [&] {
            for (QStandardItem *item : peerItems)
                item->setCheckState(Qt::Unchecked);
        },
        1,
        [&] {
            for (QStandardItem *item : peerItems)
                item->setCheckState(Qt::Checked);
        });

    std::printf("  %-44s %13s %13s   %7s\n", "", "ours", "peer", "ratio");
    printRow("rebuild (model from item list)", oursRebuild, peerRebuild);
    printRow("check by list (500,000 IDs, all states flip)", oursByList, peerByList);
    printRow("check by value (100,000 match)", oursByValue, peerByValue);
    printRow("uncheck every item one by one", oursUncheck, peerUncheck);
    std::printf("  (creating the host items through NewItem: %.0f ms, not compared)\n", oursCreate);
    std::printf("  host items: %.0f bytes/item; model: %.0f bytes/item; peak RSS %.0f MiB\n",
                double(rssItems - rssStart) / count, double(rssModel - rssItems) / count,
                peakResidentBytes() / 1048576.0);
    return 0;
}
