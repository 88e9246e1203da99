// SPDX-License-Identifier: MIT
// A remembered layout is the user's settings file: any text in it parses
// to bounded widths, and the pairs read back from what they write.
#include "FuzzInput.h"

#include "model/RememberedLayout.h"
#include "platform/CommaText.h"

#include <algorithm>

using namespace selectframe;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QString text = fuzz::text(Data, Size);
    const QList<int> widths = parseColumnWidths(text);
    // One width per entry, grown to the highest index, which is bounded:
    // hostile text never allocates beyond it.
    const qsizetype count = splitCommaText(text).size();
    FUZZ_CHECK(widths.size() >= count && widths.size() <= std::max<qsizetype>(count, 10001));
    for (const int width : widths)
        FUZZ_CHECK(width >= 0 && width <= 800);

    const QList<std::pair<int, int>> pairs = parseLayoutPairs(splitCommaText(text));
    QStringList entries;
    for (const auto &[first, second] : pairs)
        entries.append(QStringLiteral("%1=%2").arg(first).arg(second));
    FUZZ_CHECK(parseLayoutPairs(splitCommaText(joinCommaText(entries))) == pairs);
    return 0;
}
