// SPDX-License-Identifier: MIT
// How the children of one parent are put in order.
#pragma once

#include "TSortType.h"
#include "TVirtualNode.h"

#include <functional>
#include <vector>

namespace selectframe {

/// One key of a sort: a column ID and a direction.
struct TSortKey
{
    int Column;
    TSortType Type;
};

/// Puts the children of one parent in order. The node store hands each
/// child list to `sort` as a copy and keeps the result only when `sort`
/// returns, so an order that throws leaves that list as it was. An order
/// may compare pairs or precompute a key per node.
class TNodeOrder
{
public:
    virtual ~TNodeOrder() = default;
    /// Sorts `nodes` stably: nodes that compare equal keep their order.
    virtual void sort(std::vector<TVirtualNode> &nodes) = 0;
};

/// Orders by a three-way comparison of two nodes: a goes before b when
/// compare(a, b) is negative.
class TCompareOrder : public TNodeOrder
{
public:
    using TCompare = std::function<int(TVirtualNode, TVirtualNode)>;

    explicit TCompareOrder(TCompare compare) : m_compare(std::move(compare)) {}
    void sort(std::vector<TVirtualNode> &nodes) override;

private:
    TCompare m_compare;
};

} // namespace selectframe
