// SPDX-License-Identifier: MIT
#include "FoldedText.h"

#include <cstring>

namespace selectframe {

namespace {

/// Reads the code point at `i`, advances past it and returns it case-folded.
inline char32_t nextFolded(QStringView text, qsizetype &i)
{
    char32_t c = text[i++].unicode();
    // IDs and names are mostly ASCII: fold those without the Unicode tables.
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 32 : c;
    if (QChar::isHighSurrogate(c) && i < text.size() && text[i].isLowSurrogate())
        c = QChar::surrogateToUcs4(char16_t(c), text[i++].unicode());
    return QChar::toCaseFolded(c);
}

} // namespace

bool foldedEqual(QStringView x, QStringView y)
{
    // The same spelling, by far the most common match, needs no folding.
    if (x.size() == y.size() && (x.isEmpty() || std::memcmp(x.utf16(), y.utf16(), size_t(x.size()) * 2) == 0))
        return true;
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < x.size() && j < y.size())
        if (nextFolded(x, i) != nextFolded(y, j))
            return false;
    return i == x.size() && j == y.size();
}

size_t foldedHash(QStringView text, size_t seed)
{
    // Hashes the folded code points, so texts equal ignoring case hash alike.
    size_t h = 0;
    for (qsizetype i = 0; i < text.size();)
        h = h * 31 + nextFolded(text, i);
    return qHash(h, seed);
}

} // namespace selectframe
