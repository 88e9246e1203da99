// SPDX-License-Identifier: MIT
// The base of item managers built from a row and a header adapter.
#pragma once

#include "TBaseVirtualTree.h"
#include "TBaseVmManager.h"

#include <memory>

namespace selectframe {

/// An item manager whose rows and header columns come from two adapters it
/// shares ownership of. A derived manager creates its adapters in its
/// constructor, hands them over with setAdapters, builds the rows in
/// Initialize (after TBaseVmManager::Initialize) and ends with
/// updateTree(0).
class TBaseVirtualManager : public TBaseVmManager
{
public:
    TBaseVirtualTree *Items() const override { return m_items.get(); }
    TBaseVirtualTree *Columns() const override { return m_columns.get(); }

protected:
    void setAdapters(std::shared_ptr<TBaseVirtualTree> items, std::shared_ptr<TBaseVirtualTree> columns)
    {
        m_items = std::move(items);
        m_columns = std::move(columns);
    }

private:
    std::shared_ptr<TBaseVirtualTree> m_items;
    std::shared_ptr<TBaseVirtualTree> m_columns;
};

} // namespace selectframe
