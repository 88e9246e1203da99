// SPDX-License-Identifier: MIT
// Comma text read back from what it writes: split, join and split again
// give the same entries, and joining is stable.
#include "FuzzInput.h"

#include "platform/CommaText.h"

using namespace selectframe;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QStringList entries = splitCommaText(fuzz::text(Data, Size));
    const QString joined = joinCommaText(entries);
    FUZZ_CHECK(splitCommaText(joined) == entries);
    FUZZ_CHECK(joinCommaText(splitCommaText(joined)) == joined);
    // An empty entry alone is no text at all; inside a list it is one.
    for (const QString &entry : entries)
        if (!entry.isEmpty())
            FUZZ_CHECK(splitCommaText(quoteCommaEntry(entry)) == QStringList{entry});
    return 0;
}
