// SPDX-License-Identifier: MIT
// The row adapter of the item tree.
#pragma once

#include "platform/tree/TBaseVirtualTree.h"
#include "trees/SelectFrameTree.h"

namespace selectframe {

class TFrameManager;

/// Builds the rows of the item tree from a frame manager's model and
/// answers, per node, what it shows: a group row for every named group with
/// its items below, the default group's items at the top level; every row
/// one node for its first column plus one cell node per further column.
/// Every value (item values, check states, flags and options) is read again
/// at each callback, so changes show at the next paint without a rebuild.
class TSelectVirtualTree : public TBaseVirtualTree
{
public:
    /// An empty tree over `FrameManager`, which it does not own.
    explicit TSelectVirtualTree(TFrameManager *FrameManager);

    /// Check box, image, caption and action link in the first column; one
    /// text in each other column.
    void InitSlices(TVirtualNode Node, TSlices *Slices) override;
    void FillSlices(TVirtualNode Node, TSlices *Slices) override;
    /// Every node reports itself expanded while "option://groups.expanded" is
    /// true.
    void FillStateInfo(TVirtualNode Node, uint32_t *State, int32_t *First, int32_t *Second, int32_t *Third) override;
    /// "radio" for every node while the frame manager's RadioItems is set.
    void FillSkinName(TVirtualNode Node, QByteArray *SkinName) override;
    /// An item's "hint" value in any of its row's cells.
    void FillToolTip(TVirtualNode Node, QString *Hint) override;

    /// The record of a row's cell, made when the tree first reaches the cell.
    void *CellData(TVirtualNode Row, TVirtualNode Cell, int Column) override;

    /// Drops every node and record and builds them again from the model; the
    /// rows get the filter texts NodeRecords took over (TakeFilterTexts).
    void Rebuild();

    /// Sets the state of every row below `Node` that is shown, row and
    /// rows below it in order, and restyles their action links; hidden rows
    /// and the rows below them keep theirs. Repaints nothing: callers
    /// bracket it with an update of the tree, whose end repaints.
    void SetSubtreeState(TVirtualNode Node, TFrameCheckState S);

    /// Has an item row's action link restyled through OnStyleLink. A row
    /// the tree has not drawn yet has no slices: it is marked and restyled
    /// when its slices are made, so passes over a million rows make none.
    void RestyleLink(TSelectFrameNode *Row);
    /// RestyleLink for every item row: at once for the rows drawn so far, the
    /// others when their slices are made, until the next Rebuild.
    void RestyleAllLinks();
    /// Styles the action link of an item row that has slices; installed by
    /// the frame control. Also what the host's Refresh of an item runs.
    std::function<void(TSelectFrameNode *)> OnStyleLink;

    /// The record of `Node`; null for the root.
    TSelectFrameNode *recordOf(TVirtualNode Node) const { return static_cast<TSelectFrameNode *>(getData(Node)); }

    TFrameManager *const FrameManager;
    /// The records of the current build; see TSelectFrameTree for the links
    /// they hand to the host items.
    TSelectFrameTree NodeRecords;

private:
    /// What the filter matches in an item row: the caption, then the
    /// "column%d_data" value of each further column.
    void AppendFilterText(const TSelectFrameNode *Row, QString &Out) const;
    void BuildTree();
    /// RestyleLink of a row whose node state is `State`.
    void restyleLink(TSelectFrameNode *Row, uint32_t State);
    /// Set by RestyleAllLinks: every item row's link is restyled as its
    /// slices are made.
    bool m_restyleAll = false;
    /// A row for `object` under `parent`, with its column cells; the cells
    /// and their records are made when the tree first reaches them.
    TVirtualNode addRow(TVirtualNode parent, TBaseFrameObject *object, int columnCount);
};

} // namespace selectframe
