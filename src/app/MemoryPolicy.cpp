// How the process hands memory back.
#include "MemoryPolicy.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void returnBigBlocksToTheSystem()
{
#if defined(__GLIBC__)
    // A fixed threshold also stops the library from raising it after each big block is freed.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}
