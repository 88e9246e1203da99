// SPDX-License-Identifier: MIT
// The checked set a host loads: any lines check exactly the items they
// name, and saving gives those IDs back.
#include "FuzzInput.h"

#include "hub/FrameManager.h"

#include <selectframe/FrameKeys.h>

#include <QSet>

using namespace selectframe;

namespace {

const QStringList &itemIDs()
{
    static const QStringList ids{"a", "b", "c", "with blank", "quote\"d", "=", "", "\u00e9", "A"};
    return ids;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TFrameManager manager;
    manager.Params()->SetValue(keys::OptionColumnNames, QVariant(QByteArray("Name")));
    for (const QString &id : itemIDs()) {
        IPtr<IFrameItem> item;
        manager.NewItem(item.put());
        item->SetID(id);
        manager.AddItem(item.get());
    }
    manager.Rebuild();

    const QStringList lines = fuzz::lines(Data, Size);
    IPtr<IDataStorage> state;
    manager.GetState(state.put());
    state->Load(lines);
    QStringList saved;
    state->Save(&saved);

    // IDs match without regard to letter case: "a" checks "A" too.
    QSet<QString> expected;
    for (const QString &line : lines)
        for (const QString &id : itemIDs())
            if (id.compare(line, Qt::CaseInsensitive) == 0 && id.size() == line.size())
                expected.insert(id);
    FUZZ_CHECK(QSet<QString>(saved.cbegin(), saved.cend()) == expected);
    FUZZ_CHECK(saved.size() == expected.size());
    return 0;
}
