// SPDX-License-Identifier: MIT
#include "Conversion.h"

#include <QMetaType>

#include <cmath>
#include <limits>

namespace selectframe {

namespace {

[[noreturn]] void failConversion(const QVariant &value, const char *target)
{
    throw EConvertError(std::string("Could not convert variant of type (") + value.metaType().name() + ") into type (" +
                        target + ")");
}

bool isText(const QVariant &value)
{
    const int type = value.typeId();
    return type == QMetaType::QString || type == QMetaType::QByteArray || type == QMetaType::QChar;
}

/// A number written as text; false when the text is none.
bool textToNumber(const QString &text, int64_t *result)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qlonglong whole = trimmed.toLongLong(&ok);
    if (ok) {
        *result = whole;
        return true;
    }
    const double real = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(real) || std::fabs(real) >= 9.2e18)
        return false;
    *result = int64_t(std::nearbyint(real));
    return true;
}

} // namespace

int64_t VarToInt64(const QVariant &value)
{
    if (!value.isValid())
        return 0;
    int64_t result = 0;
    if (isText(value)) {
        if (!textToNumber(value.toString(), &result))
            failConversion(value, "Int64");
        return result;
    }
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        const double real = value.toDouble();
        if (!std::isfinite(real) || std::fabs(real) >= 9.2e18)
            failConversion(value, "Int64");
        return int64_t(std::nearbyint(real));
    }
    if (type == QMetaType::ULongLong || type == QMetaType::ULong) {
        const qulonglong unsignedValue = value.toULongLong();
        if (unsignedValue > qulonglong(std::numeric_limits<int64_t>::max()))
            failConversion(value, "Int64");
        return int64_t(unsignedValue);
    }
    bool ok = false;
    result = value.toLongLong(&ok);
    if (!ok)
        failConversion(value, "Int64");
    return result;
}

int32_t VarToInt(const QVariant &value)
{
    const int64_t wide = VarToInt64(value);
    if (wide < std::numeric_limits<int32_t>::min() || wide > std::numeric_limits<int32_t>::max())
        failConversion(value, "Integer");
    return int32_t(wide);
}

bool VarToBool(const QVariant &value)
{
    if (!value.isValid())
        return false;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isText(value)) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        int64_t number = 0;
        if (!textToNumber(text, &number))
            failConversion(value, "Boolean");
        return number != 0;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        failConversion(value, "Boolean");
    return number != 0;
}

QString VarToStr(const QVariant &value)
{
    if (!value.isValid())
        return QString();
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    if (!value.canConvert<QString>())
        failConversion(value, "String");
    return value.toString();
}

} // namespace selectframe
