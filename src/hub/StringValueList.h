// SPDX-License-Identifier: MIT
// An item's free-form name=value pairs.
#pragma once

#include "platform/InterfacedObject.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace selectframe {

/// The lines of a name=value list of wide strings. Names compare without
/// regard to letter case and the first matching line wins; an empty value
/// removes the line. A new line is the text Name=Value, so a name holding
/// '=' is cut there and the rest joins the value, as in any name=value list.
///
/// A million items carry a handful of lines each, mostly under the same few
/// names, so the lines are kept small: names live in a pool shared by every
/// list, and the first lines live inside the object, which an item embeds,
/// as their values and a byte each naming their name in the pool. Lines
/// after those, and lines whose names the full pool cannot take (which own
/// their names), go to the heap; the lines inside always come first.
/// Not locked: used on the user-interface thread.
class TStringValueLines
{
public:
    TStringValueLines() = default;
    ~TStringValueLines();
    TStringValueLines(const TStringValueLines &) = delete;
    TStringValueLines &operator=(const TStringValueLines &) = delete;

    /// The value of the first line named `Name`; empty when there is none.
    QString value(QStringView Name) const;
    /// The same value where the line keeps it, null when there is none; valid
    /// until the list changes.
    const QString *valueRef(QStringView Name) const;
    void setValue(const QString &Name, const QString &Value);

    /// A name in the pool every list shares (see StringValueList.cpp).
    struct TPooledName
    {
        QString Text;
        /// The first pooled name equal to this one ignoring case: names
        /// of one class name the same line.
        const TPooledName *Class;
        /// Whether the text holds a '=', which cuts a new line's name.
        bool HasSeparator;
        /// Its place in the pool, which the lines inside a list keep.
        uint8_t Number;
    };

private:
    /// A line on the heap: its name, a pooled name (a TPooledName) or with
    /// the low bit set a name the line owns (a QString), and its value.
    using TName = quintptr;
    struct TLine
    {
        TName Name = 0;
        QString Value;
    };
    /// Items of the frame's own use carry six lines (image, group and four
    /// columns); more go to the heap.
    static constexpr int InlineLines = 6;

    static const QString &nameText(TName Name);
    int count() const { return m_inlineCount + (m_more ? int(m_more->size()) : 0); }
    TName nameAt(int Index) const;
    QString &valueAt(int Index);
    const QString &valueAt(int Index) const;
    /// The index of the first line named `Name`, -1 when there is none;
    /// `Pooled` is the pool's copy of the name, null when the pool has
    /// none. Read per painted cell and per item in bulk passes, so it must
    /// not allocate.
    int find(QStringView Name, const TPooledName *Pooled) const;
    /// Appends a line; `Pooled` as for find.
    void append(const QString &Name, const QString &Value, const TPooledName *Pooled);
    void removeAt(int Index);

    std::array<QString, InlineLines> m_values;
    std::array<uint8_t, InlineLines> m_names{};
    uint8_t m_inlineCount = 0;
    /// The lines after those inside; made when the first is added.
    std::unique_ptr<std::vector<TLine>> m_more;
};

/// A name=value list of its own, counted like any interface object.
class TStringValueList final : public TInterfacedObject<IStringValueList>
{
public:
    TStringValueList() = default;

    void SF_CALL GetValue(const QString &Name, QString *Value) override;
    void SF_CALL SetValue(const QString &Name, const QString &Value) override;

private:
    ~TStringValueList() override = default;

    TStringValueLines Lines;
};

} // namespace selectframe
