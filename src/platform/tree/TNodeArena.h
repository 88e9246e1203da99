// Chunked storage of node records.
#pragma once

#include "TNodeRecord.h"

#include <memory>
#include <vector>

namespace selectframe {

/// Hands out node records from fixed-size chunks, so building a large tree
/// costs one allocation per 4096 nodes and records never move. Slot 0 is
/// reserved so that 0 can mean "no node".
class TNodeArena
{
public:
    TNodeArena();

    /// A fresh record's slot number.
    uint32_t allocate();
    TNodeRecord &at(uint32_t id) { return m_chunks[id >> ChunkBits][id & ChunkMask]; }
    const TNodeRecord &at(uint32_t id) const { return m_chunks[id >> ChunkBits][id & ChunkMask]; }
    /// Number of slots handed out, the reserved one included.
    uint32_t size() const { return m_size; }
    /// Drops every record but the reserved slot.
    void clear();

private:
    static constexpr uint32_t ChunkBits = 12;
    static constexpr uint32_t ChunkSize = 1u << ChunkBits;
    static constexpr uint32_t ChunkMask = ChunkSize - 1;

    std::vector<std::unique_ptr<TNodeRecord[]>> m_chunks;
    uint32_t m_size = 0;
};

} // namespace selectframe
