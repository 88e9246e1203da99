// SPDX-License-Identifier: MIT
#include "TTreeUpdate.h"

#include "TCustomTree.h"

namespace selectframe {

TTreeUpdate::TTreeUpdate(TCustomTree &tree) : m_tree(tree)
{
    m_tree.BeginUpdate();
}

TTreeUpdate::~TTreeUpdate()
{
    m_tree.EndUpdate();
}

} // namespace selectframe
