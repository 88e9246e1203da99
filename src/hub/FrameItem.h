// One row the host supplies.
#pragma once

#include "hub/StringValueList.h"
#include "platform/InterfacedObject.h"

namespace selectframe {

/// A host item: ID, caption, free-form values and, once a tree shows it,
/// the node of its row, through which the host reads and sets its check
/// state. A million of these may exist, so it holds nothing more, its
/// value list lives inside it, and items share large chunks of memory
/// rather than taking one allocation each.
class TFrameItem final : public TInterfacedObject<IFrameItemEx>
{
public:
    /// An item with empty ID and caption, an empty value list and no node.
    TFrameItem();

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
    /// The item's value list, a part of the item: a reference the host
    /// holds to it keeps the whole item alive, so the list outlives the
    /// item's last reference as a list of its own would. To the host it is
    /// an object of its own, answering only IStringValueList.
    class TValues final : public IStringValueList
    {
    public:
        explicit TValues(TFrameItem &Owner) : Owner(Owner) {}

        TResult SF_CALL QueryInterface(const TGUID &iid, void **obj) override;
        uint32_t SF_CALL AddRef() override { return Owner.AddRef(); }
        uint32_t SF_CALL Release() override { return Owner.Release(); }
        void SF_CALL GetValue(const QString &Name, QString *Value) override;
        void SF_CALL SetValue(const QString &Name, const QString &Value) override;

    private:
        TFrameItem &Owner;
        TStringValueLines Lines;
    };

    ~TFrameItem() override = default;

    /// Tells the rows showing the item that its caption (`ValueName`
    /// empty) or a value changed.
    void TextChanged(QStringView ValueName = {});

    QString ID;
    QString Caption;
    TValues Values{*this};
    TSelectFrameNode *Node = nullptr;
};

} // namespace selectframe
