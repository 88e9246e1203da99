// SPDX-License-Identifier: MIT
// Option values as a host may write them: 8-bit and wide texts convert to
// numbers and Booleans or fail with the conversion error, nothing else.
#include "FuzzInput.h"

#include "platform/Conversion.h"

FUZZ_TARGET(in)
{
    for (const QVariant &value : {QVariant(in.bytes), QVariant(in.text)}) {
        (void)VarToStr(value);
        try {
            (void)VarToInt64(value);
        } catch (const EConvertError &) {
        }
        try {
            (void)VarToBool(value);
        } catch (const EConvertError &) {
        }
        try {
            // A number that converts reads back as the same number.
            const int32_t number = VarToInt(value);
            FUZZ_CHECK(VarToInt(QVariant(QString::number(number))) == number);
        } catch (const EConvertError &) {
        }
    }
}
