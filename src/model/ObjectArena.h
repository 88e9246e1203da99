// Chunked storage for many small objects of one type.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace selectframe {

/// Hands out objects of type T from fixed-size chunks, so a million objects
/// cost a few hundred allocations rather than a million. Objects live until
/// clear() or the arena's destruction, which destroy them in creation order.
template <class T, std::size_t ChunkSize = 4096>
class TObjectArena
{
public:
    TObjectArena() = default;
    TObjectArena(const TObjectArena &) = delete;
    TObjectArena &operator=(const TObjectArena &) = delete;
    ~TObjectArena() { clear(); }

    template <class... Args>
    T *create(Args &&...args)
    {
        if (m_chunks.empty() || m_usedInLast == ChunkSize) {
            // Plain new leaves the chunk uninitialised; make_unique would zero it.
            m_chunks.push_back(std::unique_ptr<TChunk>(new TChunk));
            m_usedInLast = 0;
        }
        T *object = new (m_chunks.back()->at(m_usedInLast)) T(std::forward<Args>(args)...);
        ++m_usedInLast;
        return object;
    }

    void clear()
    {
        for (std::size_t c = 0; c < m_chunks.size(); ++c) {
            const std::size_t used = c + 1 == m_chunks.size() ? m_usedInLast : ChunkSize;
            for (std::size_t i = 0; i < used; ++i)
                std::launder(reinterpret_cast<T *>(m_chunks[c]->at(i)))->~T();
        }
        m_chunks.clear();
        m_usedInLast = 0;
    }

private:
    struct TChunk
    {
        alignas(T) unsigned char bytes[sizeof(T) * ChunkSize];
        void *at(std::size_t i) { return bytes + i * sizeof(T); }
    };

    std::vector<std::unique_ptr<TChunk>> m_chunks;
    std::size_t m_usedInLast = 0;
};

} // namespace selectframe
