#include "FrameItem.h"

#include "host/FrameItemRow.h"
#include "host/StringValueList.h"

namespace selectframe {

TFrameItem::TFrameItem()
    : Values(new TStringValueList)
{
}

void TFrameItem::GetID(QString *Result)
{
    *Result = ID;
}

void TFrameItem::SetID(const QString &NewID)
{
    if (ID.compare(NewID, Qt::CaseInsensitive) != 0)
        ID = NewID;
}

void TFrameItem::GetCaption(QString *Result)
{
    *Result = Caption;
}

void TFrameItem::SetCaption(const QString &NewCaption)
{
    Caption = NewCaption;
}

void TFrameItem::GetValues(IStringValueList **Result)
{
    *Result = IPtr<IStringValueList>(Values).detach();
}

TSelectFrameNode *TFrameItem::GetNode()
{
    return Node;
}

void TFrameItem::SetNode(TSelectFrameNode *NewNode)
{
    Node = NewNode;
}

bool TFrameItem::GetChecked()
{
    IFrameItemRowOps *ops = frameItemRowOps(Node);
    return ops && ops->rowChecked(Node);
}

void TFrameItem::SetChecked(bool Value)
{
    if (IFrameItemRowOps *ops = frameItemRowOps(Node))
        ops->setRowChecked(Node, Value);
}

void TFrameItem::Refresh()
{
    if (IFrameItemRowOps *ops = frameItemRowOps(Node))
        ops->refreshRow(Node);
}

} // namespace selectframe
