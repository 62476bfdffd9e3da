// Memory for the many small blocks a parse makes (values, member entries). Each thread carves its
// blocks one after another out of a 64 KiB slab of its own, so that making one costs a few
// instructions; a slab goes back to the system when the last block in it has been released, by
// whichever thread. A long-lived block keeps its slab alive, which suits trees that are made and
// dropped whole.
#pragma once

#include <cstddef>

namespace SmallBlocks {

// Larger blocks come from the general heap.
constexpr std::size_t MaxSize = 1024;

constexpr bool isSmall(std::size_t size)
{
    return size <= MaxSize;
}

void* allocate(std::size_t size);
// small: isSmall() of the size the block was allocated with.
void release(void* block, bool small) noexcept;

} // namespace SmallBlocks
