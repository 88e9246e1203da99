// SPDX-License-Identifier: MIT
// The objects of a frame's item model: items, the groups they are filed in,
// and the common check-state base.
#pragma once

#include "model/ObjectEnumerator.h"

#include <selectframe/Interfaces.h>

#include <QString>

#include <array>
#include <vector>

namespace selectframe {

class TBaseFrameObject;
class TFrameGroupObject;

/// Change notification of a model object: `Data` is the bound receiver,
/// `Sender` the object whose state changed.
using TFrameObjectNotify = void (*)(void *Data, TBaseFrameObject *Sender);

/// What items and groups share: their kind and their check state.
class TBaseFrameObject
{
public:
    TBaseFrameObject(const TBaseFrameObject &) = delete;
    TBaseFrameObject &operator=(const TBaseFrameObject &) = delete;
    virtual ~TBaseFrameObject() = default;

    virtual void SetState(TFrameCheckState Value) = 0;

    const TFrameObjectKind Kind;
    /// Read freely. An item's state changes only through SetState, which
    /// keeps its group's tallies right; a group's may be written directly.
    TFrameCheckState State = fcsUnchecked;
    /// A TFrameObjectNotify; may be unassigned.
    TMethod OnChange;

protected:
    TBaseFrameObject(TFrameObjectKind kind, const TMethod &onChange) : Kind(kind), OnChange(onChange) {}

    void DoChange();
};

/// The model's object for one host item, filed in exactly one group.
class TFrameItemObject final : public TBaseFrameObject
{
public:
    TFrameItemObject(IFrameItem *item, const TMethod &onChange);

    /// Notifies only when the state really changes.
    void SetState(TFrameCheckState Value) override;

    TFrameGroupObject *Group() const { return m_group; }

    const IPtr<IFrameItem> Item;
    /// The slot of the checked-ID list's entry this item holds, -1 for none;
    /// kept by the list (see TCheckedIdList).
    int32_t Entry = -1;
    /// The item's place in the order the model loaded the items: the host's
    /// order, which a reload of the same item list keeps.
    uint32_t Index = 0;
    /// Whether the model reads the item's ID where the item keeps it; such
    /// an item tells the model before its ID changes (ItemIdChanging).
    bool KnownItem = false;
    /// The folded hash of the ID of a known item, as the model last read it
    /// (it fits beside the flag, so it costs no memory).
    uint32_t IdHash = 0;

private:
    friend class TFrameGroupObject;

    TFrameGroupObject *m_group = nullptr;
};

/// One group of items under a name; the empty name is the default group.
/// The group lists its items; their storage belongs to the object manager,
/// which destroys them together with the groups.
class TFrameGroupObject final : public TBaseFrameObject
{
public:
    /// Groups never notify, so they take no change handler.
    explicit TFrameGroupObject(const QString &name);

    /// Stores the state as given; the items are left alone.
    void SetState(TFrameCheckState Value) override;

    /// Whether any item's state differs from `Value`; false when empty.
    bool HasOtherState(TFrameCheckState Value) const;

    /// Files `item` here (it must not be in another group yet).
    void AddItem(TFrameItemObject *item);

    const std::vector<TFrameItemObject *> &Items() const { return m_items; }
    IPtr<IObjectEnumerator<TFrameItemObject>> GetItems() const;

    const QString Name;

private:
    friend class TFrameItemObject;

    void itemStateMoved(TFrameCheckState from, TFrameCheckState to);
    qsizetype countIn(TFrameCheckState state) const;

    std::vector<TFrameItemObject *> m_items;
    // Items per state, so HasOtherState is O(1) and bulk check passes that
    // update the group after every item stay linear.
    std::array<qsizetype, 3> m_stateCounts{};
};

/// Sets a group's state to `Value`, or to fcsMixed when some of its items
/// are in another state. Does nothing without a group.
void UpdateGroupState(TFrameGroupObject *Group, TFrameCheckState Value);

} // namespace selectframe
