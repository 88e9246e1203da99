// SPDX-License-Identifier: MIT
#include "EngineList.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace selectframe::demo {

QList<TEngine> loadEngines(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return {};
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isArray()) {
        if (error)
            *error = QStringLiteral("%1 is not a JSON array: %2").arg(path, parseError.errorString());
        return {};
    }
    const QJsonArray array = doc.array();
    QList<TEngine> engines;
    engines.reserve(array.size());
    for (const QJsonValue &value : array) {
        const QJsonObject o = value.toObject();
        engines.append({o.value(u"s").toString(), o.value(u"d").toString(), o.value(u"t").toString(),
                        o.value(u"u").toString(), o.value(u"c").toString(), o.value(u"sc").toString()});
    }
    return engines;
}

QList<TEngine> syntheticEngines(int count, int groups)
{
    QList<TEngine> engines;
    engines.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        const int g = groups > 0 ? i % groups : 0;
        engines.append({QStringLiteral("Engine ") + n, QStringLiteral("e%1.example").arg(i), QStringLiteral("t") + n,
                        QStringLiteral("https://e%1.example/?q={{{s}}}").arg(i), QStringLiteral("Category %1").arg(g),
                        QStringLiteral("Sub %1").arg(i % 7)});
    }
    return engines;
}

} // namespace selectframe::demo
