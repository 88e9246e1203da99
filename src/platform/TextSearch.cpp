// SPDX-License-Identifier: MIT
#include "TextSearch.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace selectframe {

namespace {

/// Whether `n` units at `a` and `b` are the same.
template <class Unit>
bool sameUnits(const Unit *a, const Unit *b, qsizetype n)
{
    return std::memcmp(a, b, size_t(n) * sizeof(Unit)) == 0;
}

/// The plain search, for what the block search leaves: short haystacks,
/// the tail of a long one, and machines without SSE2.
template <class Unit>
qsizetype findPlain(const Unit *hay, qsizetype size, qsizetype from, const Unit *needle, qsizetype length)
{
    const Unit first = needle[0];
    for (qsizetype i = from; i + length <= size; ++i)
        if (hay[i] == first && sameUnits(hay + i + 1, needle + 1, length - 1))
            return i;
    return -1;
}

#if defined(__SSE2__)
/// Sixteen bytes or eight UTF-16 units at once: the mask of the positions
/// whose unit equals the needle's first, and whose unit `length - 1`
/// further equals its last.
template <class Unit>
struct TBlock;

template <>
struct TBlock<char>
{
    static constexpr qsizetype Units = 16;
    static __m128i splat(char c) { return _mm_set1_epi8(c); }
    static unsigned hits(const char *at, __m128i first, __m128i last, qsizetype length)
    {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at + length - 1));
        return unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
    }
    /// The unit a mask bit stands for.
    static int unitOf(int bit) { return bit; }
    static unsigned clearUnit(unsigned mask, int bit) { return mask & ~(1u << bit); }
};

template <>
struct TBlock<char16_t>
{
    static constexpr qsizetype Units = 8;
    static __m128i splat(char16_t c) { return _mm_set1_epi16(short(c)); }
    static unsigned hits(const char16_t *at, __m128i first, __m128i last, qsizetype length)
    {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at + length - 1));
        // Two mask bits per unit.
        return unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(a, first), _mm_cmpeq_epi16(b, last))));
    }
    static int unitOf(int bit) { return bit / 2; }
    static unsigned clearUnit(unsigned mask, int bit) { return mask & ~(3u << (bit & ~1)); }
};

template <class Unit>
qsizetype findBlocks(const Unit *hay, qsizetype size, qsizetype from, const Unit *needle, qsizetype length)
{
    using B = TBlock<Unit>;
    const __m128i first = B::splat(needle[0]);
    const __m128i last = B::splat(needle[length - 1]);
    qsizetype i = from;
    // Both loads of a block stay inside the haystack.
    for (; i + B::Units + length - 1 <= size; i += B::Units) {
        for (unsigned mask = B::hits(hay + i, first, last, length); mask;) {
            const int bit = __builtin_ctz(mask);
            const qsizetype at = i + B::unitOf(bit);
            if (length <= 2 || sameUnits(hay + at + 1, needle + 1, length - 2))
                return at;
            mask = B::clearUnit(mask, bit);
        }
    }
    return findPlain(hay, size, i, needle, length);
}
#endif

template <class Unit>
qsizetype find(const Unit *hay, qsizetype size, qsizetype from, const Unit *needle, qsizetype length)
{
    if (from < 0)
        from = 0;
    if (length == 0)
        return from <= size ? from : -1;
    if (from + length > size)
        return -1;
#if defined(__SSE2__)
    return findBlocks(hay, size, from, needle, length);
#else
    return findPlain(hay, size, from, needle, length);
#endif
}

} // namespace

qsizetype FindText(QByteArrayView Haystack, qsizetype From, QByteArrayView Needle)
{
    return find(Haystack.data(), Haystack.size(), From, Needle.data(), Needle.size());
}

qsizetype FindText(QStringView Haystack, qsizetype From, QStringView Needle)
{
    return find(reinterpret_cast<const char16_t *>(Haystack.data()), Haystack.size(), From,
                reinterpret_cast<const char16_t *>(Needle.data()), Needle.size());
}

} // namespace selectframe
