// SPDX-License-Identifier: MIT
// The checked IDs of a model against a plain list that appends an item's ID
// when it is checked and takes out the first entry equal to it ignoring case
// when it is unchecked: through single checks, unchecks taken out together,
// passes by list and by value, and IDs changed while checked, with IDs
// shared in different spellings and items whose ID the model cannot read in
// place.
#include "FuzzInput.h"

#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "platform/FoldedText.h"

#include <algorithm>

using namespace selectframe;

namespace {

/// An item of a host's own making: the model asks it for its ID each time.
struct THostItem final : TInterfacedObject<IFrameItem>
{
    QString id;
    void SF_CALL GetID(QString *ID) override { *ID = id; }
    void SF_CALL SetID(const QString &ID) override { id = ID; }
    void SF_CALL GetCaption(QString *Caption) override { Caption->clear(); }
    void SF_CALL SetCaption(const QString &) override {}
    void SF_CALL GetValues(IStringValueList **Values) override { *Values = nullptr; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    static const QStringList stems{"alpha",  "Alpha",   "ALPHA",   "beta",       "",
                                   "\u00df", "\u00c4x", "\u00e4X", "\U00010400", "\U00010428"};
    static const QStringList values{"x", "X", "y"};
    if (Size < 3)
        return 0;
    // Three bytes of set-up: how many items, how many IDs they draw from
    // (few: long runs of shared IDs), which are the host's own.
    const int count = 1 + Data[0] % 48, spread = 1 + Data[1], hostEvery = Data[2] % 8;
    const auto idFor = [&](int n) { return stems[n % stems.size()] + QString::number(n / stems.size() % spread); };
    TFrameManager manager;
    WriteOptionDefaults(manager.Params());
    QList<IPtr<IFrameItem>> items;
    QStringList ids, reference;
    for (int k = 0; k < count; ++k) {
        IPtr<IFrameItem> item(hostEvery && k % hostEvery == hostEvery - 1 ? new THostItem : nullptr);
        if (!item)
            manager.NewItem(item.put());
        ids.append(idFor(k * 7));
        item->SetID(ids.last());
        IPtr<IStringValueList> list;
        item->GetValues(list.put());
        if (list)
            list->SetValue(QStringLiteral("column1_data"), values[k % 3]);
        manager.AddItem(item.get());
        items.append(item);
    }
    manager.Rebuild();
    TFrameObjectManager &model = *manager.Model();
    std::vector<bool> checked(static_cast<size_t>(count));
    const auto follow = [&](int k, bool state) {
        if (checked[size_t(k)] == state)
            return;
        checked[size_t(k)] = state;
        if (state)
            reference.append(ids[k]);
        else if (const auto at = std::find_if(reference.begin(), reference.end(),
                                              [&](const QString &e) { return foldedEqual(e, ids[k]); });
                 at != reference.end())
            reference.erase(at);
    };
    const auto set = [&](int k, bool state) {
        model.Items()[size_t(k)]->SetState(state ? fcsChecked : fcsUnchecked);
        follow(k, state);
    };
    // Each step is three bytes: what to do (low three bits; high bit:
    // compare the whole lists afterwards) and a number n choosing items,
    // IDs or values.
    for (size_t i = 3; i + 2 < Size; i += 3) {
        const int n = Data[i + 1] << 8 | Data[i + 2], k = n % count;
        switch (Data[i] & 7) {
        case 0:
        case 1:
            set(k, !checked[size_t(k)]);
            break;
        case 2:   // some unchecks taken out together, then a check
        case 7: { // every item unchecked together
            {
                const TFrameObjectManager::TPass batch(model, TFrameObjectManager::pkUncheckBatch);
                for (int j = 0; j < count; ++j)
                    if ((Data[i] & 7) == 7 || (j * 7 + n) % 3 == 0)
                        set(j, false);
            }
            if ((Data[i] & 7) == 2)
                set(k, true);
            break;
        }
        case 3: { // by list, some IDs in capitals, one naming no item
            QStringList listed{QStringLiteral("none")};
            for (int j = 0; j < count; ++j)
                if ((n >> (j % 16)) & 1)
                    listed.append((n + j) & 1 ? ids[j].toUpper() : ids[j]);
            manager.CheckByList(listed);
            for (int j = 0; j < count; ++j)
                follow(j, std::any_of(listed.begin(), listed.end(),
                                      [&](const QString &l) { return foldedEqual(l, ids[j]); }));
            break;
        }
        case 4: { // by value: the host's own items hold none
            const QString value = values[n % 3];
            manager.CheckByValue(1, value);
            for (int j = 0; j < count; ++j)
                follow(j, !dynamic_cast<THostItem *>(items[j].get()) && foldedEqual(values[j % 3], value));
            break;
        }
        default: { // a new ID, also for a checked item; the frame's items ignore a change of letter case alone
            const QString id = idFor(n >> 3);
            const bool own = !dynamic_cast<THostItem *>(items[k].get());
            items[k]->SetID(id);
            if (!own || id.compare(ids[k], Qt::CaseInsensitive) != 0)
                ids[k] = id;
        }
        }
        // Reading the list settles what a batch left, so not after every step.
        if (Data[i] & 0x80)
            FUZZ_CHECK(model.CheckedCount() == reference.size() && model.GetCheckedIDs() == reference);
    }
    for (int k = 0; k < count; ++k)
        FUZZ_CHECK((model.Items()[size_t(k)]->State == fcsChecked) == checked[size_t(k)]);
    FUZZ_CHECK(model.GetCheckedIDs() == reference);
    return 0;
}
