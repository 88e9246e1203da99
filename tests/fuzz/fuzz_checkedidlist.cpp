// SPDX-License-Identifier: MIT
// The list of checked IDs against a plain list: any run of appends, removals
// in any letter case and clears agrees with it, through long chains of
// duplicates, a growing index and the compaction of removed entries.
#include "FuzzInput.h"

#include "model/CheckedIdList.h"

#include <algorithm>

using namespace selectframe;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    static const QStringList stems{"alpha", "Alpha", "ALPHA", "beta", "", "\u00df", "\u00c4x", "\u00e4X", "\U00010400"};
    TCheckedIdList ids;
    QStringList reference;
    // Each step is three bytes: what to do (low two bits: append, remove,
    // remove a listed entry written in capitals, clear; high bit: compare
    // the whole lists afterwards) and a number naming the ID.
    for (size_t i = 0; i + 2 < Size; i += 3) {
        const int n = Data[i + 1] << 8 | Data[i + 2];
        QString id = stems[n % stems.size()] + QString::number(n / stems.size());
        const int op = Data[i] & 3;
        if (op == 0) {
            ids.append(id);
            reference.append(id);
        } else if (op == 3) {
            ids.clear();
            reference.clear();
            ids.reserve(size_t(n)); // as a bulk pass does; changes nothing seen
        } else {
            if (op == 2 && !reference.isEmpty()) {
                id = reference[n % reference.size()];
                for (QChar &c : id)
                    c = c.toUpper(); // one character for one, unlike QString::toUpper
            }
            const auto at = std::find_if(reference.begin(), reference.end(),
                                         [&](const QString &e) { return e.compare(id, Qt::CaseInsensitive) == 0; });
            const bool listed = at != reference.end();
            if (listed)
                reference.erase(at);
            FUZZ_CHECK(ids.removeOne(id) == listed);
        }
        FUZZ_CHECK(ids.count() == reference.size());
        if (Data[i] & 0x80)
            FUZZ_CHECK(ids.list() == reference);
    }
    FUZZ_CHECK(ids.list() == reference && ids.isEmpty() == reference.isEmpty());
    return 0;
}
