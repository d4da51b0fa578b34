#include "HeapPolicy.h"

#include <malloc.h>

namespace {
constexpr int kKeptHeap = 64 << 20;       // freed heap kept before any is given back
constexpr int kOwnMappingFrom = 32 << 20;  // the largest the C library allows
} // namespace

bool Keep_Freed_Heap_For_Reuse()
{
    const bool mapped = mallopt(M_MMAP_THRESHOLD, kOwnMappingFrom) == 1;
    const bool trimmed = mallopt(M_TRIM_THRESHOLD, kKeptHeap) == 1;
    return mapped && trimmed;
}
