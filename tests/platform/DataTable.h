// SPDX-License-Identifier: MIT
// A Qt Test data table's columns and rows, each in one statement.
#pragma once

#include <QTest>

#include <initializer_list>

namespace selectframe::test {

/// One column of type T per name, in order: addColumns<QString, int>("text", "count").
template <class... T, class... Name>
void addColumns(const Name &...names)
{
    static_assert(sizeof...(T) == sizeof...(Name), "a type per column name");
    (QTest::addColumn<T>(names), ...);
}

/// Text columns only: addColumns({"script", "seen"}).
inline void addColumns(std::initializer_list<const char *> names)
{
    for (const char *name : names)
        QTest::addColumn<QString>(name);
}

/// A row named `name` holding `values` in column order.
template <class... Value>
void addRow(const char *name, const Value &...values)
{
    (QTest::newRow(name) << ... << values);
}

} // namespace selectframe::test
