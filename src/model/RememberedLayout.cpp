// SPDX-License-Identifier: MIT
#include "RememberedLayout.h"

#include "platform/CommaText.h"
#include "platform/UserSettingsStore.h"

#include <selectframe/FrameKeys.h>

#include <cstdlib>

namespace selectframe {

namespace {

constexpr int kMaxRememberedWidth = 800;
// The stored value is outside our control: an index like 2000000000 would
// otherwise make us allocate gigabytes. No frame has this many columns.
constexpr int kMaxColumnIndex = 10000;

} // namespace

QString RememberedLayoutKey(INamedParams *Options)
{
    if (!Options)
        return QString();
    QVariant ui;
    Options->GetValue(QByteArray(keys::OptionUi), &ui);
    return ui.toString();
}

QList<int> ReadColumnWidths(INamedParams *Options)
{
    const QString key = RememberedLayoutKey(Options);
    if (key.isEmpty())
        return {};
    TUserSettingsStore store;
    if (!store.openKey(key, false))
        return {};
    return parseColumnWidths(store.readString(QString::fromLatin1(LayoutWidthValue)));
}

QList<std::pair<int, int>> parseLayoutPairs(const QStringList &entries)
{
    QList<std::pair<int, int>> pairs;
    for (const QString &entry : entries) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        bool firstOk = false;
        bool secondOk = false;
        const int first = QStringView(entry).left(equals).toInt(&firstOk);
        const int second = QStringView(entry).mid(equals + 1).toInt(&secondOk);
        if (firstOk && secondOk)
            pairs.append({first, second});
    }
    return pairs;
}

QList<int> parseColumnWidths(QStringView text)
{
    const QStringList entries = splitCommaText(text);
    QList<int> widths(entries.size(), 0);
    for (const auto &[index, width] : parseLayoutPairs(entries)) {
        if (index < 0 || index > kMaxColumnIndex)
            continue;
        if (index >= widths.size())
            widths.resize(index + 1, 0);
        // Widened first: the magnitude of INT_MIN does not fit an int.
        widths[index] = int(std::min<qint64>(std::llabs(qint64(width)), kMaxRememberedWidth));
    }
    return widths;
}

} // namespace selectframe
