// SPDX-License-Identifier: MIT
// What every fuzz target shares: the input as bytes, text and lines, a
// check that stops the run loudly, so the fuzzer keeps the input that broke
// it, and the entry point the fuzzer or the corpus replay calls.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size);

namespace selectframe::fuzz {

/// One input: raw bytes, read as UTF-8 (bytes that are no UTF-8 become
/// replacement characters, as a host's 8-bit text would), and as the lines
/// hosts hand string lists over as.
struct TInput
{
    QByteArray bytes;
    QString text = QString::fromUtf8(bytes);
    QStringList lines = text.split(u'\n');
};

} // namespace selectframe::fuzz

// qFatal aborts, which the fuzzer takes for a crash.
#define FUZZ_CHECK(cond) ((cond) ? void(0) : qFatal("%s:%d: check failed: %s", __FILE__, __LINE__, #cond))

/// Defines a target's body over `in`; it runs inside selectframe::fuzz.
#define FUZZ_TARGET(in)                                                                                                \
    namespace selectframe::fuzz {                                                                                      \
    void target(const TInput &in);                                                                                     \
    }                                                                                                                  \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)                                            \
    {                                                                                                                  \
        selectframe::fuzz::target({QByteArray(reinterpret_cast<const char *>(Data), qsizetype(Size))});                \
        return 0;                                                                                                      \
    }                                                                                                                  \
    void selectframe::fuzz::target(const TInput &in)
