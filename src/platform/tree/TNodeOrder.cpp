// SPDX-License-Identifier: MIT
#include "TNodeOrder.h"

#include <algorithm>

namespace selectframe {

void TCompareOrder::sort(std::vector<TVirtualNode> &nodes)
{
    std::stable_sort(nodes.begin(), nodes.end(),
                     [this](TVirtualNode a, TVirtualNode b) { return m_compare(a, b) < 0; });
}

} // namespace selectframe
