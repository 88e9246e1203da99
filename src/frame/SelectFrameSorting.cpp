// SPDX-License-Identifier: MIT
// The control's sorting and row actions: the comparison of two rows with
// the host's overrides, the key order used while the host has none, and
// the action link's style and click.
#include "frame/uSelectFrame.h"

#include "frame/ItemValues.h"
#include "frame/RowSortValue.h"
#include "frame/SelectTreeKeyOrder.h"
#include "intf/FrameConsts.h"
#include "platform/tree/TSlices.h"
#include "platform/tree/TSlicesFactory.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

namespace selectframe {

namespace {

/// The action link is the fourth slice of an item row's first cell.
constexpr int ActionLinkSlice = 3;

} // namespace

std::unique_ptr<TNodeOrder> TCustomSelectFrameControl::SelectTreeNodeOrder(TCustomTree *,
                                                                           const std::vector<TSortKey> &Keys)
{
    std::unique_ptr<TNodeOrder> order;
    // A host handler may change any pair's result, so then every pair is
    // asked for.
    if (FOnItemCompare || FOnGroupCompare)
        return order;
    std::vector<QString> dataKeys;
    dataKeys.reserve(Keys.size());
    for (const TSortKey &key : Keys)
        dataKeys.push_back(ColumnDataKey(key.Column));
    order = std::make_unique<TSelectTreeKeyOrder>(*Rows(), Keys, std::move(dataKeys), FCollator);
    return order;
}

int TCustomSelectFrameControl::SelectTreeNodeCompare(TCustomTree *, TVirtualNode Node1, TVirtualNode Node2, int Column,
                                                     TSortType SortType)
{
    const TBaseFrameObject *o1 = RecordOf(Node1)->FrameObject;
    const TBaseFrameObject *o2 = RecordOf(Node2)->FrameObject;
    const QString &key = ColumnDataKey(Column);
    int32_t result =
        CompareRowSortValues(RowSortValue(o1, Column, key), RowSortValue(o2, Column, key), SortType, FCollator);
    // An item row beside a group row is never the host's to order.
    if (o1->Kind != o2->Kind)
        return result;
    if (o1->Kind == fokItem) {
        if (FOnItemCompare)
            FOnItemCompare(this, itemOf(o1), itemOf(o2), Column, SortType, result);
    } else if (FOnGroupCompare) {
        FOnGroupCompare(this, static_cast<const TFrameGroupObject *>(o1)->Name,
                        static_cast<const TFrameGroupObject *>(o2)->Name, Column, SortType, result);
    }
    return result;
}

void TCustomSelectFrameControl::SelectTreeNodeClick(TCustomTree *Sender, const THitInfo &HitInfo)
{
    const TVirtualNode node = HitInfo.Node;
    if (!node || Sender->isVirtualNode(node))
        return;
    const TBaseFrameObject *object = RecordOf(node)->FrameObject;
    if (object->Kind != fokItem || HitInfo.SliceIndex != ActionLinkSlice || !FOnActionClick ||
        object->State != fcsChecked)
        return;
    FOnActionClick(this, itemOf(object));
    IVmManager *vm = SelectTree->getVM();
    vm->updateControlItem(node, ucfRowRepaint);
    vm->updateControl();
}

void TCustomSelectFrameControl::UpdateActionLinkStyle(TSelectFrameNode *R)
{
    if (R->FrameObject->Kind != fokItem)
        return;
    TSlice *link = R->Slices->GetSlice(ActionLinkSlice);
    if (R->FrameObject->State == fcsChecked) {
        const bool failed =
            !itemValue(itemOf(R->FrameObject), QString::fromLatin1(keys::ValueActionLinkError)).isEmpty();
        link->Style = getStyle(failed ? "red" : "link");
        SlicesFactory().setCursor(link, "hand cursor");
    } else {
        link->Style = getStyle("gray_text");
        SlicesFactory().setCursor(link, "default");
    }
}

void TCustomSelectFrameControl::UpdateNodeLinkStyle(TVirtualNode Node)
{
    Rows()->RestyleLink(RecordOf(Node));
}

} // namespace selectframe
