#include "TNodeArena.h"

#include <cstdlib>
#include <new>
#include <stdexcept>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace selectframe {

TNodeArena::TNodeArena()
{
    clear();
}

void TNodeArena::TChunkFree::operator()(TNodeRecord *chunk) const
{
    std::free(chunk);
}

TNodeArena::TChunk TNodeArena::newChunk(bool large)
{
    constexpr size_t bytes = sizeof(TNodeRecord) * ChunkSize;
    void *memory = std::aligned_alloc(bytes, bytes);
    if (!memory)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (large)
        madvise(memory, bytes, MADV_HUGEPAGE);
#else
    (void)large;
#endif
    return TChunk(static_cast<TNodeRecord *>(memory));
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
