// SPDX-License-Identifier: MIT
// The control's checking: a click on a check box, the cascade to the rows
// below and the states of the rows above, check all and uncheck all, and
// the refresh after a bulk pass of the frame manager.
#include "frame/uSelectFrame.h"

#include "frame/ItemValues.h"
#include "hub/FrameManager.h"
#include "platform/tree/TSlicesFactory.h"
#include "trees/SelectVirtualManager.h"
#include "trees/SelectVirtualTree.h"

#include <QScopeGuard>

namespace selectframe {

void TCustomSelectFrameControl::SelectTreeNodeActiveExecute(TCustomTree *, TVirtualNode Node, TSlice *Slice)
{
    if (!SlicesFactory().isKind(Slice, "check"))
        return;
    TBaseFrameObject *object = RecordOf(Node)->FrameObject;
    IVmManager *vm = SelectTree->getVM();
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    // Unchecked becomes checked; checked and mixed become unchecked.
    const TFrameCheckState state = object->State == fcsUnchecked ? fcsChecked : fcsUnchecked;
    if (FSettings->SelectMode() == fsmOnlyOne) {
        // A single choice is changed by choosing another row, never undone.
        if (state == fcsChecked)
            CheckOnly(Node);
        else
            object->SetState(fcsChecked);
        return;
    }
    object->SetState(state);
    UpdateNodeLinkStyle(Node);
    if (FSettings->ShowOnlyChecked() && state == fcsUnchecked)
        SelectTree->SetNodeState(Node, SelectTree->GetNodeState(Node) | nsHidden);
    vm->updateControlItem(Node, ucfRowRepaint);
    SetSubtreeState(Node, state);
    UpdateAncestorStates(Node, state);
    vm->updateControl();
    Changed();
}

void TCustomSelectFrameControl::SetRowState(TVirtualNode Node, TFrameCheckState S)
{
    TSelectVirtualTree *rows = Rows();
    TSelectFrameNode *record = rows->recordOf(Node);
    record->FrameObject->SetState(S);
    rows->RestyleLink(record);
    SelectTree->getVM()->updateControlItem(Node, ucfRowRepaint);
}

bool TCustomSelectFrameControl::ChildrenDiffer(TVirtualNode Node, TFrameCheckState S) const
{
    const IVmManager *vm = SelectTree->getVM();
    for (TVirtualNode child = vm->getFirstChild(Node); child; child = vm->getNextSibling(child))
        if (RecordOf(child)->FrameObject->State != S)
            return true;
    return false;
}

void TCustomSelectFrameControl::SetSubtreeState(TVirtualNode Node, TFrameCheckState S)
{
    // SetRowState row by row, but without a repaint per row: every caller
    // holds a tree update, whose end repaints them all. Unchecks are taken
    // out of the checked-ID list together.
    const TFrameObjectManager::TPass batch(*FManager->Model(), TFrameObjectManager::pkUncheckBatch);
    Rows()->SetSubtreeState(Node, S);
}

void TCustomSelectFrameControl::UpdateAncestorStates(TVirtualNode Node, TFrameCheckState S)
{
    const IVmManager *vm = SelectTree->getVM();
    const TVirtualNode root = vm->getRoot();
    for (TVirtualNode parent = vm->getParent(Node); parent && parent != root; parent = vm->getParent(parent))
        SetRowState(parent, ChildrenDiffer(parent, S) ? fcsMixed : S);
}

void TCustomSelectFrameControl::CheckOnly(TVirtualNode Node)
{
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    ForEachNode([this, Node](TVirtualNode n) { SetRowState(n, n == Node ? fcsChecked : fcsUnchecked); });
    SelectTree->getVM()->updateControl();
    Changed();
}

void TCustomSelectFrameControl::SetAllStates(TFrameCheckState S)
{
    if (!IsInitialized())
        return;
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    if (S == fcsChecked)
        FManager->Model()->ReserveChecked(std::size_t(FManager->ItemCount()));
    IVmManager *vm = SelectTree->getVM();
    SetSubtreeState(vm->getRoot(), S);
    vm->updateControl();
    Changed();
}

void TCustomSelectFrameControl::ForEachNode(const std::function<void(TVirtualNode)> &Callback) const
{
    const IVmManager *vm = SelectTree->getVM();
    const TVirtualNode root = vm->getRoot();
    TVirtualNode node = vm->getFirstChild(root);
    while (node) {
        if (Callback)
            Callback(node);
        TVirtualNode next = vm->getFirstChild(node);
        while (!next && node && node != root) {
            next = vm->getNextSibling(node);
            if (!next)
                node = vm->getParent(node);
        }
        node = next;
    }
}

void TCustomSelectFrameControl::acCheckAllExecute(QObject *)
{
    if (FManager->ItemCount() != FManager->Model()->CheckedCount())
        SetAllStates(fcsChecked);
}

void TCustomSelectFrameControl::acUncheckAllExecute(QObject *)
{
    if (FManager->Model()->CheckedCount() != 0)
        SetAllStates(fcsUnchecked);
}

void TCustomSelectFrameControl::ItemsCheckedByManager()
{
    // A pass before Initialize has no rows to refresh or query, but the host
    // still learns of it.
    if (!IsInitialized()) {
        Changed();
        return;
    }
    SelectTree->BeginUpdate();
    const auto end = qScopeGuard([this] { SelectTree->EndUpdate(); });
    QString favorite;
    if (FManager->CurrentFavorite)
        FManager->CurrentFavorite->GetName(&favorite);
    // Restyling first and then querying each row ends as restyling and
    // querying row by row would: a handler that changes an item's values
    // restyles its row through the item's Refresh.
    if (OnItemQuery)
        Rows()->RestyleAllLinks();
    if (OnItemQuery && ItemQueryPerRow)
        ForEachNode([&](TVirtualNode node) {
            const TBaseFrameObject *object = RecordOf(node)->FrameObject;
            if (object->Kind == fokItem)
                OnItemQuery(this, itemOf(object), favorite);
        });
    // Repaints every row: the end of the update paints the whole tree.
    SelectTree->getVM()->updateControl();
    Changed();
}

} // namespace selectframe
