// SPDX-License-Identifier: MIT
// Conversions of option values, with the runtime's rules for what does not
// convert.
#pragma once

#include <QString>
#include <QVariant>

#include <stdexcept>

namespace selectframe {

/// A value that does not convert to the type asked for, or an object that
/// cannot be assigned to another. A runtime error: it propagates unchanged.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// An option value as an integer. An unassigned value gives 0; texts are
/// read as decimal (or as a number with a fraction, rounded); anything else
/// that is no number, or a number out of range, throws EConvertError.
int32_t VarToInt(const QVariant &value);
int64_t VarToInt64(const QVariant &value);

/// An option value as a Boolean. An unassigned value gives false; numbers
/// are true when not 0; texts are "true" or "false" in any letter case, or
/// a number; anything else throws EConvertError.
bool VarToBool(const QVariant &value);

/// An option value as text; an unassigned value gives "". 8-bit texts are
/// read as UTF-8.
QString VarToStr(const QVariant &value);

} // namespace selectframe
