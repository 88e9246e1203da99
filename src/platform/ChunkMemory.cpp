// SPDX-License-Identifier: MIT
#include "ChunkMemory.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace selectframe {

void *allocateChunk(bool populate)
{
    void *chunk = ::operator new(ChunkBytes, std::align_val_t(ChunkBytes));
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // Only a hint: a kernel without it faults the pages in as they fill.
    if (populate)
        madvise(chunk, ChunkBytes, MADV_POPULATE_WRITE);
#else
    (void)populate;
#endif
    return chunk;
}

void freeChunk(void *chunk)
{
    ::operator delete(chunk, std::align_val_t(ChunkBytes));
}

} // namespace selectframe
