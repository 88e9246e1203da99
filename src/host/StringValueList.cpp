#include "StringValueList.h"

#include <QSet>

namespace selectframe {

namespace {

/// Every item of a frame carries the same few value names; handing out one
/// shared copy of each spares an allocation per line on large item sets.
/// The pool is bounded so that hosts inventing names per item cannot grow
/// it without end.
QString sharedName(const QString &name)
{
    constexpr qsizetype maxSharedNames = 256;
    thread_local QSet<QString> pool;
    const auto it = pool.constFind(name);
    if (it != pool.cend())
        return *it;
    if (pool.size() < maxSharedNames) {
        // A deep copy: the caller's string may wrap data it owns.
        const QString owned(name.constData(), name.size());
        pool.insert(owned);
        return owned;
    }
    return name;
}

} // namespace

TStringValueList::TLines::iterator TStringValueList::find(QStringView Name)
{
    // The case-blind comparison folds unit by unit and never matches texts
    // of different lengths, so the size check skips most lines cheaply.
    for (auto it = Strings.begin(); it != Strings.end(); ++it)
        if (it->Name.size() == Name.size() && QStringView(it->Name).compare(Name, Qt::CaseInsensitive) == 0)
            return it;
    return Strings.end();
}

void TStringValueList::GetValue(const QString &Name, QString *Value)
{
    const auto it = find(Name);
    *Value = it == Strings.end() ? QString() : it->Value;
}

void TStringValueList::SetValue(const QString &Name, const QString &Value)
{
    const auto it = find(Name);
    if (Value.isEmpty()) {
        if (it != Strings.end())
            Strings.erase(it);
        return;
    }
    if (it != Strings.end()) {
        it->Value = Value;
        return;
    }
    // Items carry a handful of values; starting at four spares the first
    // reallocations on every one of a million items.
    if (Strings.empty())
        Strings.reserve(4);
    const qsizetype separator = Name.indexOf(u'=');
    if (separator < 0)
        Strings.push_back({sharedName(Name), Value});
    else
        Strings.push_back({Name.left(separator), Name.mid(separator + 1) + u'=' + Value});
}

} // namespace selectframe
