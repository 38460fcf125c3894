#include "ui/qt/memory.h"

#include <malloc.h>

void returnLargeBuffersToTheSystem() {
    // A fixed threshold (glibc's starting value) also stops it from moving.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}
