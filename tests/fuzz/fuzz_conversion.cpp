// SPDX-License-Identifier: MIT
// Option values as a host may write them: 8-bit and wide texts convert to
// numbers and Booleans or fail with the conversion error, nothing else.
#include "FuzzInput.h"

#include "platform/Conversion.h"

using namespace selectframe;

namespace {

template <class F>
void convertOrRefuse(F &&convert)
{
    try {
        convert();
    } catch (const EConvertError &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    for (const QVariant &value : {QVariant(bytes), QVariant(fuzz::text(Data, Size))}) {
        convertOrRefuse([&] { (void)VarToInt(value); });
        convertOrRefuse([&] { (void)VarToInt64(value); });
        convertOrRefuse([&] { (void)VarToBool(value); });
        // A number that converts reads back as the same number.
        convertOrRefuse([&] {
            const int32_t number = VarToInt(value);
            FUZZ_CHECK(VarToInt(QVariant(QString::number(number))) == number);
        });
        (void)VarToStr(value);
    }
    return 0;
}
