// SPDX-License-Identifier: MIT
// One row the host supplies.
#pragma once

#include "hub/StringValueList.h"
#include "platform/InterfacedObject.h"

#include <typeinfo>

namespace selectframe {

class TFrameItem;

/// The value list of an item, a part of the item: a reference the host
/// holds to it keeps the whole item alive, so the list outlives the item's
/// last reference as a list of its own would. To the host it is an object
/// of its own, answering only IStringValueList. A base of its item rather
/// than a member, so it reaches the item without keeping a reference to it
/// (8 bytes an item of the million a host may make).
class TFrameItemValues : public IStringValueList
{
public:
    TResult SF_CALL QueryInterface(const TGUID &iid, void **obj) override;
    uint32_t SF_CALL AddRef() override;
    uint32_t SF_CALL Release() override;
    void SF_CALL GetValue(const QString &Name, QString *Value) override;
    void SF_CALL SetValue(const QString &Name, const QString &Value) override;

protected:
    TFrameItemValues() = default;
    ~TFrameItemValues() = default;

    TStringValueLines Lines;

private:
    TFrameItem &item();
};

/// A host item: ID, caption, free-form values and, once a tree shows it,
/// the node of its row, through which the host reads and sets its check
/// state. A million of these may exist, so it holds nothing more, its
/// value list lives inside it, and items share large chunks of memory
/// rather than taking one allocation each.
class TFrameItem final : public TInterfacedObject<IFrameItemEx>, private TFrameItemValues
{
public:
    /// An item with empty ID and caption, an empty value list and no node.
    TFrameItem();

    /// Moves on whenever a value of any item changes: a cache of item
    /// values compares it with the stamp it was made at to know whether it
    /// may still be used.
    static uint64_t ValuesStamp();

    /// `Item` as an item of ours, or null for another implementation of the
    /// interface: passes over a million rows read the texts below straight,
    /// without the interface's counted references and copies.
    static const TFrameItem *Of(const IFrameItem *Item)
    {
        return Item && typeid(*Item) == typeid(TFrameItem) ? static_cast<const TFrameItem *>(Item) : nullptr;
    }
    /// What GetID gives.
    const QString &IDText() const { return ID; }
    /// foldedHash of the ID, made as the ID is set, when its text is at hand:
    /// an index of a million IDs then reads no text.
    uint32_t IDHash() const { return IdHash; }
    /// What GetCaption gives.
    const QString &CaptionText() const { return Caption; }
    /// What GetValue of the value list gives for `Name`.
    QString Value(QStringView Name) const { return Lines.value(Name); }
    /// The same where the item keeps it, null for a value it lacks; valid
    /// until the item's values change.
    const QString *ValueRef(QStringView Name) const { return Lines.valueRef(Name); }

    static void *operator new(std::size_t Size);
    static void operator delete(void *Item, std::size_t Size);

    // IFrameItem
    void SF_CALL GetID(QString *Result) override;
    void SF_CALL SetID(const QString &NewID) override;
    void SF_CALL GetCaption(QString *Result) override;
    void SF_CALL SetCaption(const QString &NewCaption) override;
    void SF_CALL GetValues(IStringValueList **Result) override;

    // IFrameItemEx; the node is not owned, and without one (or without row
    // operations for it) the check state reads false and the rest does
    // nothing.
    TSelectFrameNode *SF_CALL GetNode() override;
    void SF_CALL SetNode(TSelectFrameNode *NewNode) override;
    bool SF_CALL GetChecked() override;
    void SF_CALL SetChecked(bool Value) override;
    void SF_CALL Refresh() override;

private:
    friend class TFrameItemValues;

    ~TFrameItem() override = default;

    /// Tells the rows showing the item that its caption (`ValueName`
    /// empty) or a value changed.
    void TextChanged(QStringView ValueName = {});

    QString ID;
    QString Caption;
    TSelectFrameNode *Node = nullptr;
    uint32_t IdHash;
};

} // namespace selectframe
