// SPDX-License-Identifier: MIT
// Chunked storage for many small objects of one type.
#pragma once

#include "platform/ChunkMemory.h"

#include <cstddef>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

namespace selectframe {

/// Hands out objects of type T in creation order from a small first chunk
/// and then 2 MiB chunks (see allocateChunk), so a million objects cost a few dozen allocations
/// and a small list costs little. Objects are reached by creation index and
/// live until clear() or the arena's destruction, which destroy them in
/// creation order. clear() keeps the chunks for the next fill.
template <class T>
class TObjectArena
{
    static constexpr std::size_t kSmallCount = 256;
    static constexpr std::size_t kLargeCount = ChunkBytes / sizeof(T);
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

public:
    /// Yields the objects as pointers, in creation order.
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T *;
        using difference_type = std::ptrdiff_t;
        using pointer = T *const *;
        using reference = T *;

        const_iterator(const TObjectArena *arena, std::size_t index) : m_arena(arena), m_index(index) {}
        T *operator*() const { return (*m_arena)[m_index]; }
        const_iterator &operator++()
        {
            ++m_index;
            return *this;
        }
        bool operator==(const const_iterator &o) const { return m_index == o.m_index; }
        bool operator!=(const const_iterator &o) const { return m_index != o.m_index; }

    private:
        const TObjectArena *m_arena;
        std::size_t m_index;
    };

    TObjectArena() = default;
    TObjectArena(const TObjectArena &) = delete;
    TObjectArena &operator=(const TObjectArena &) = delete;
    ~TObjectArena()
    {
        clear();
        for (std::size_t c = 0; c < m_chunks.size(); ++c)
            freeChunkAt(c);
    }

    template <class... Args>
    T *create(Args &&...args)
    {
        if (m_size == capacity()) {
            const std::size_t c = m_chunks.size();
            m_chunks.reserve(c + 1); // so the push below cannot throw and leak the chunk
            // The first large chunk fills page by page: a list of a few
            // hundred objects does not make a whole chunk resident.
            m_chunks.push_back(c == 0 ? ::operator new(kSmallCount * sizeof(T)) : allocateChunk(c > 1));
        }
        T *object = new (slot(m_size)) T(std::forward<Args>(args)...);
        ++m_size;
        return object;
    }

    void clear()
    {
        for (std::size_t i = 0; i < m_size; ++i)
            (*this)[i]->~T();
        m_size = 0;
    }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T *operator[](std::size_t i) const { return std::launder(static_cast<T *>(slot(i))); }
    T *front() const { return (*this)[0]; }
    T *back() const { return (*this)[m_size - 1]; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_size); }

private:
    void freeChunkAt(std::size_t c)
    {
        if (c == 0)
            ::operator delete(m_chunks[c]);
        else
            freeChunk(m_chunks[c]);
    }

    std::size_t capacity() const { return m_chunks.empty() ? 0 : kSmallCount + (m_chunks.size() - 1) * kLargeCount; }
    void *slot(std::size_t i) const
    {
        if (i < kSmallCount)
            return static_cast<char *>(m_chunks[0]) + i * sizeof(T);
        i -= kSmallCount;
        return static_cast<char *>(m_chunks[1 + i / kLargeCount]) + i % kLargeCount * sizeof(T);
    }

    std::vector<void *> m_chunks;
    std::size_t m_size = 0;
};

} // namespace selectframe
