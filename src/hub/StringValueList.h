// An item's free-form name=value pairs.
#pragma once

#include "platform/InterfacedObject.h"

#include <array>
#include <memory>
#include <vector>

namespace selectframe {

/// The lines of a name=value list of wide strings. Names compare without
/// regard to letter case and the first matching line wins; an empty value
/// removes the line. A new line is the text Name=Value, so a name holding
/// '=' is cut there and the rest joins the value, as in any name=value list.
///
/// A million items carry a handful of lines each, mostly under the same few
/// names, so the lines are kept small: a name is a pointer into a pool
/// shared by every list (owned by the line only when the pool cannot take
/// it), and the first lines live inside the object, which an item embeds.
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
    };

private:
    /// A pooled name (a TPooledName), or with the low bit set a name the
    /// line owns (a QString).
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
    TLine &line(int Index);
    const TLine &line(int Index) const;
    /// The index of the first line named `Name`, -1 when there is none;
    /// `Pooled` is the pool's copy of the name, null when the pool has
    /// none. Read per painted cell and per item in bulk passes, so it must
    /// not allocate.
    int find(QStringView Name, const TPooledName *Pooled) const;
    /// Appends a line; `Pooled` as for find.
    void append(const QString &Name, const QString &Value, const TPooledName *Pooled);
    void removeAt(int Index);

    std::array<TLine, InlineLines> m_inline;
    /// Lines after the inline ones; made when the first is added.
    std::unique_ptr<std::vector<TLine>> m_more;
    int m_count = 0;
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
