// SPDX-License-Identifier: MIT
// Comma text read back from what it writes: split, join and split again
// give the same entries (so joining is stable too).
#include "FuzzInput.h"

#include "platform/CommaText.h"

FUZZ_TARGET(in)
{
    const QStringList entries = splitCommaText(in.text);
    const QString joined = joinCommaText(entries);
    FUZZ_CHECK(splitCommaText(joined) == entries);
    // An empty entry alone is no text at all; inside a list it is one.
    for (const QString &entry : entries)
        if (!entry.isEmpty())
            FUZZ_CHECK(splitCommaText(quoteCommaEntry(entry)) == QStringList{entry});
}
