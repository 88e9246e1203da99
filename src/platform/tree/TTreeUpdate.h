// SPDX-License-Identifier: MIT
// Scoped tree updates.
#pragma once

namespace selectframe {

class TCustomTree;

/// Brackets a block in BeginUpdate and EndUpdate; the end also runs when the
/// block throws.
class TTreeUpdate
{
public:
    explicit TTreeUpdate(TCustomTree &tree);
    ~TTreeUpdate();
    TTreeUpdate(const TTreeUpdate &) = delete;
    TTreeUpdate &operator=(const TTreeUpdate &) = delete;

private:
    TCustomTree &m_tree;
};

} // namespace selectframe
