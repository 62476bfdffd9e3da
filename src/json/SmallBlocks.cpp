// Slabs of small blocks.
#include "SmallBlocks.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t SlabSize = 64 * 1024;
constexpr std::size_t Alignment = 16;

// The count of a slab starts this high and drops by one for each block released; when the slab
// is given up by its thread, the blocks it never handed out are taken off too, so the count
// reaches zero exactly when the last handed-out block is released.
constexpr std::int64_t Unretired = std::int64_t(1) << 40;

struct alignas(64) Slab
{
    std::atomic<std::int64_t> count {Unretired};
};

Slab* slabOf(void* block)
{
    return reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(block) & ~(SlabSize - 1));
}

void drop(Slab* slab, std::int64_t amount) noexcept
{
    if (slab->count.fetch_sub(amount, std::memory_order_acq_rel) == amount) {
        slab->~Slab();
        std::free(slab);
    }
}

// The slab a thread is carving, and releases of blocks of one slab counted up before they are
// taken off its shared count in one step (a tree is mostly released in the order it was made).
// Plain data, so reaching it costs no initialisation check.
struct Carving
{
    Slab* slab;
    char* next;
    char* end;
    std::int64_t handedOut;
    Slab* releasing;
    std::int64_t released;
};

constinit thread_local Carving carving {nullptr, nullptr, nullptr, 0, nullptr, 0};

void retire(Carving& c) noexcept
{
    if (c.slab) {
        drop(c.slab, Unretired - c.handedOut);
        c.slab = nullptr;
    }
}

void flushReleases(Carving& c) noexcept
{
    if (c.releasing) {
        drop(c.releasing, c.released);
        c.releasing = nullptr;
        c.released = 0;
    }
}

// Gives the thread's slab up when the thread ends.
struct Retirer
{
    ~Retirer()
    {
        flushReleases(carving);
        retire(carving);
    }
};

thread_local Retirer retirer;

void* startSlab(Carving& c, std::size_t size)
{
    // Releases counted against the old slab must not wait behind a slab the thread gave up.
    flushReleases(c);
    retire(c);
    (void)&retirer; // registers the thread's retirement
    void* memory = std::aligned_alloc(SlabSize, SlabSize);
    if (!memory) {
        throw std::bad_alloc();
    }
    c.slab = new (memory) Slab;
    c.next = static_cast<char*>(memory) + sizeof(Slab);
    c.end = static_cast<char*>(memory) + SlabSize;
    c.handedOut = 1;
    void* block = c.next;
    c.next += size;
    return block;
}

std::size_t rounded(std::size_t size)
{
    return (size + Alignment - 1) & ~(Alignment - 1);
}

} // namespace

namespace SmallBlocks {

void* allocate(std::size_t size)
{
    if (!isSmall(size)) {
        return ::operator new(size);
    }
    size = rounded(size);
    Carving& c = carving;
    if (std::size_t(c.end - c.next) < size) {
        return startSlab(c, size);
    }
    void* block = c.next;
    c.next += size;
    ++c.handedOut;
    return block;
}

void release(void* block, bool small) noexcept
{
    if (!small) {
        ::operator delete(block);
        return;
    }
    Carving& c = carving;
    Slab* slab = slabOf(block);
    if (slab != c.releasing) {
        flushReleases(c);
        (void)&retirer; // a thread that only releases flushes its count when it ends too
        c.releasing = slab;
    }
    ++c.released;
}

} // namespace SmallBlocks
