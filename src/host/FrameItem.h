// One row the host supplies.
#pragma once

#include "platform/InterfacedObject.h"

namespace selectframe {

/// A host item: ID, caption, free-form values and, once a tree shows it,
/// the node of its row, through which the host reads and sets its check
/// state. A million of these may exist, so it holds nothing more.
class TFrameItem final : public TInterfacedObject<IFrameItemEx>
{
public:
    /// An item with empty ID and caption, an empty value list and no node.
    TFrameItem();

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
    ~TFrameItem() override = default;

    QString ID;
    QString Caption;
    IPtr<IStringValueList> Values;
    TSelectFrameNode *Node = nullptr;
};

} // namespace selectframe
