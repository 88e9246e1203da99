#include "FrameItem.h"

#include "host/FrameItemRow.h"

namespace selectframe {

TFrameItem::TFrameItem() = default;

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
    Values.AddRef();
    *Result = &Values;
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

TResult TFrameItem::TValues::QueryInterface(const TGUID &iid, void **obj)
{
    if (!obj)
        return E_POINTER;
    if (iid != IStringValueList::iid && iid != IInterface::iid) {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    *obj = static_cast<IStringValueList *>(this);
    AddRef();
    return S_OK;
}

void TFrameItem::TValues::GetValue(const QString &Name, QString *Value)
{
    *Value = Lines.value(Name);
}

void TFrameItem::TValues::SetValue(const QString &Name, const QString &Value)
{
    Lines.setValue(Name, Value);
}

} // namespace selectframe
