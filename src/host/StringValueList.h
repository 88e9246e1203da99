// An item's free-form name=value pairs.
#pragma once

#include "platform/InterfacedObject.h"

#include <vector>

namespace selectframe {

/// A list of name=value lines of wide strings. Names compare without regard
/// to letter case and the first matching line wins; an empty value removes
/// the line. A new line is the text Name=Value, so a name holding '=' is cut
/// there and the rest joins the value, as in any name=value list. Not
/// locked: used on the user-interface thread.
class TStringValueList final : public TInterfacedObject<IStringValueList>
{
public:
    TStringValueList() = default;

    void SF_CALL GetValue(const QString &Name, QString *Value) override;
    void SF_CALL SetValue(const QString &Name, const QString &Value) override;

private:
    struct TLine
    {
        QString Name;
        QString Value;
    };
    using TLines = std::vector<TLine>;

    ~TStringValueList() override = default;

    /// The first line named `Name`; read per painted cell and per item in
    /// bulk passes, so it must not allocate.
    TLines::iterator find(QStringView Name);

    TLines Strings;
};

} // namespace selectframe
