// SPDX-License-Identifier: MIT
// The bundled search-engine list, as a host reads it.
#pragma once

#include <QList>
#include <QString>

namespace selectframe::demo {

/// One search engine of the bundled list.
struct TEngine
{
    QString Name;        // "s"
    QString Domain;      // "d"
    QString Trigger;     // "t": unique, used as the item ID
    QString Url;         // "u": search URL with {{{s}}} for the query
    QString Category;    // "c"
    QString Subcategory; // "sc"
};

/// Reads a list in the bundled JSON format; `error` receives a message and
/// the result is empty when the file cannot be read or parsed.
QList<TEngine> loadEngines(const QString &path, QString *error = nullptr);

/// `count` synthetic engines spread over `groups` categories, for measuring.
QList<TEngine> syntheticEngines(int count, int groups);

} // namespace selectframe::demo
