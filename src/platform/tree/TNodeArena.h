// SPDX-License-Identifier: MIT
// Chunked storage of node records.
#pragma once

#include "TNodeRecord.h"

#include <memory>
#include <vector>

namespace selectframe {

/// Hands out node records from 2 MB chunks, so building a large tree costs
/// one allocation per 65536 nodes and records never move. Chunks after the
/// first are faulted in whole (see allocateChunk); a small tree only makes
/// resident the pages it touches. Slot 0 is reserved so that 0 can mean "no node".
class TNodeArena
{
public:
    TNodeArena();

    /// A fresh record's slot number.
    uint32_t allocate();
    TNodeRecord &at(uint32_t id) { return m_chunks[id >> ChunkBits].get()[id & ChunkMask]; }
    const TNodeRecord &at(uint32_t id) const { return m_chunks[id >> ChunkBits].get()[id & ChunkMask]; }
    /// Number of slots handed out, the reserved one included.
    uint32_t size() const { return m_size; }
    /// Drops every record but the reserved slot.
    void clear();

private:
    static constexpr uint32_t ChunkBits = 16;
    static constexpr uint32_t ChunkSize = 1u << ChunkBits;
    static constexpr uint32_t ChunkMask = ChunkSize - 1;

    struct TChunkFree
    {
        void operator()(TNodeRecord *chunk) const;
    };
    using TChunk = std::unique_ptr<TNodeRecord, TChunkFree>;
    /// `large`: past the first chunk, so faulted in at once.
    static TChunk newChunk(bool large);

    std::vector<TChunk> m_chunks;
    uint32_t m_size = 0;
};

} // namespace selectframe
