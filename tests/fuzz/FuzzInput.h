// SPDX-License-Identifier: MIT
// What every fuzz target shares: the input as text, and a check that stops
// the run loudly, so the fuzzer keeps the input that broke it.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size);

namespace selectframe::fuzz {

/// The input read as UTF-8; bytes that are no UTF-8 become replacement
/// characters, as a host's 8-bit text would.
inline QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

/// The input as lines, as hosts hand string lists over.
inline QStringList lines(const uint8_t *data, size_t size)
{
    return text(data, size).split(u'\n');
}

[[noreturn]] inline void fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

} // namespace selectframe::fuzz

#define FUZZ_CHECK(cond) ((cond) ? void(0) : ::selectframe::fuzz::fail(#cond, __FILE__, __LINE__))
