#include "ObjectArena.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace selectframe::detail {

void *allocateArenaChunk(std::size_t bytes, bool large)
{
    if (!large)
        return ::operator new(bytes);
    void *chunk = ::operator new(bytes, std::align_val_t(bytes));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only a hint: where huge pages are off, the chunk works the same.
    madvise(chunk, bytes, MADV_HUGEPAGE);
#endif
    return chunk;
}

void freeArenaChunk(void *chunk, std::size_t bytes, bool large)
{
    if (large)
        ::operator delete(chunk, std::align_val_t(bytes));
    else
        ::operator delete(chunk);
}

} // namespace selectframe::detail
