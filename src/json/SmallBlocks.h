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

#if defined(__SANITIZE_ADDRESS__)
#define QUENDRA_SMALL_BLOCKS_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUENDRA_SMALL_BLOCKS_FROM_HEAP 1
#endif
#endif

constexpr bool isSmall(std::size_t size)
{
#if defined(QUENDRA_SMALL_BLOCKS_FROM_HEAP)
    // Under the address sanitizer every block is its own heap block, so that it can see each one.
    (void)size;
    return false;
#else
    return size <= MaxSize;
#endif
}

void* allocate(std::size_t size);
// small: isSmall() of the size the block was allocated with.
void release(void* block, bool small) noexcept;

} // namespace SmallBlocks
