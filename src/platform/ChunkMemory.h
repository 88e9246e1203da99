// SPDX-License-Identifier: MIT
// Large, size-aligned blocks of memory for the containers that hold a
// million small records.
#pragma once

#include <cstddef>

namespace selectframe {

/// Size of the blocks allocateChunk hands out; a block is aligned to it.
constexpr std::size_t ChunkBytes = std::size_t(2) << 20;

/// A block of ChunkBytes, aligned to ChunkBytes; with `populate` already
/// faulted in, which a container asks for once it is past its first block
/// (a small one only makes resident the pages it touches).
///
/// Fresh memory costs more to fault in than to fill: on a virtual machine
/// every first touch of a page may trap to the hypervisor. Faulting the
/// whole block in with one call costs a third less than page by page as it
/// fills. Huge pages are not asked for: they come from memory the machine
/// has never touched, which the hypervisor backs page by page at up to
/// 8 ns a byte, while small pages mostly come back from memory freed a
/// moment ago; a build of a million rows swung from half a second to two
/// seconds with them.
void *allocateChunk(bool populate);
/// Frees a block of allocateChunk.
void freeChunk(void *chunk);

} // namespace selectframe
