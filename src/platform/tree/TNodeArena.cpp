// SPDX-License-Identifier: MIT
#include "TNodeArena.h"

#include "platform/ChunkMemory.h"

#include <cstdlib>
#include <new>
#include <stdexcept>

namespace selectframe {

TNodeArena::TNodeArena()
{
    clear();
}

void TNodeArena::TChunkFree::operator()(TNodeRecord *chunk) const
{
    freeChunk(chunk);
}

TNodeArena::TChunk TNodeArena::newChunk(bool large)
{
    static_assert(sizeof(TNodeRecord) * ChunkSize == ChunkBytes, "a chunk of records fills one block");
    return TChunk(static_cast<TNodeRecord *>(allocateChunk(large)));
}

uint32_t TNodeArena::allocate()
{
    if (m_size == 0x7FFFFFF0u)
        throw std::length_error("too many tree nodes");
    if ((m_size >> ChunkBits) == m_chunks.size())
        m_chunks.push_back(newChunk(true));
    const uint32_t id = m_size++;
    new (&at(id)) TNodeRecord();
    return id;
}

void TNodeArena::clear()
{
    m_chunks.resize(1);
    if (!m_chunks[0])
        m_chunks[0] = newChunk(false);
    m_size = 1;
}

} // namespace selectframe
