#include "TNodeArena.h"

#include <stdexcept>

namespace selectframe {

TNodeArena::TNodeArena()
{
    clear();
}

uint32_t TNodeArena::allocate()
{
    if (m_size == 0x7FFFFFF0u)
        throw std::length_error("too many tree nodes");
    if ((m_size >> ChunkBits) == m_chunks.size())
        m_chunks.emplace_back(new TNodeRecord[ChunkSize]);
    const uint32_t id = m_size++;
    at(id) = TNodeRecord();
    return id;
}

void TNodeArena::clear()
{
    m_chunks.resize(1);
    if (!m_chunks[0])
        m_chunks[0].reset(new TNodeRecord[ChunkSize]);
    m_size = 1;
}

} // namespace selectframe
