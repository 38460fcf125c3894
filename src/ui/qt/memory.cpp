#include "ui/qt/memory.h"

#include <malloc.h>

void returnLargeBuffersToTheSystem() {
    // A fixed threshold (glibc's starting value) also stops it from moving.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // The helper threads (the sound mixer, the picture painters) allocate little: a heap of
    // their own each would mostly hold on to memory.
    mallopt(M_ARENA_MAX, 1);
}
