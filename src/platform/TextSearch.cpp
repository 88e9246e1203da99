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

bool LowerAscii(const char16_t *From, qsizetype Count, char16_t *To)
{
    qsizetype i = 0;
    char16_t beyond = 0;
    bool nul = false;
#if defined(__SSE2__)
    const __m128i highBits = _mm_set1_epi16(short(0xff80));
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16('A');
    const __m128i below = _mm_set1_epi16(-1);
    const __m128i above = _mm_set1_epi16(26);
    const __m128i toLower = _mm_set1_epi16(32);
    __m128i anyHigh = zero;
    __m128i anyNul = zero;
    for (; i + 8 <= Count; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(From + i));
        anyHigh = _mm_or_si128(anyHigh, _mm_and_si128(v, highBits));
        anyNul = _mm_or_si128(anyNul, _mm_cmpeq_epi16(v, zero));
        // For ASCII units the signed compares are exact: 'A' to 'Z' get 32.
        const __m128i offset = _mm_sub_epi16(v, a);
        const __m128i upper = _mm_and_si128(_mm_cmpgt_epi16(offset, below), _mm_cmpgt_epi16(above, offset));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(To + i), _mm_add_epi16(v, _mm_and_si128(upper, toLower)));
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(anyHigh, zero)) != 0xffff || _mm_movemask_epi8(anyNul) != 0)
        return false;
#endif
    for (; i < Count; ++i) {
        const char16_t u = From[i];
        beyond |= u;
        nul |= u == 0;
        To[i] = char16_t(u - u'A') < 26 ? char16_t(u + 32) : u;
    }
    return beyond < 0x80 && !nul;
}

bool NarrowLatin1(const char16_t *From, qsizetype Count, char *To)
{
    qsizetype i = 0;
    char16_t beyond = 0;
#if defined(__SSE2__)
    const __m128i highByte = _mm_set1_epi16(short(0xff00));
    __m128i anyHigh = _mm_setzero_si128();
    for (; i + 16 <= Count; i += 16) {
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i *>(From + i));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i *>(From + i + 8));
        anyHigh = _mm_or_si128(anyHigh, _mm_and_si128(_mm_or_si128(lo, hi), highByte));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(To + i), _mm_packus_epi16(lo, hi));
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(anyHigh, _mm_setzero_si128())) != 0xffff)
        return false;
#endif
    for (; i < Count; ++i) {
        beyond |= From[i];
        To[i] = char(From[i]);
    }
    return beyond < 0x100;
}

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
