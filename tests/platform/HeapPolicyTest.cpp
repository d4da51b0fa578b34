#include "HeapPolicy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <malloc.h>

namespace {
constexpr size_t kMiB = size_t(1) << 20;

// Two buffers the size of those the PDF engine takes for every page, written to and
// freed, top one last, as a page's compression frees them: the heap they came from
// stays with the process.
TEST(HeapPolicy, BuffersOfAPageStayInTheHeapOnceFreed)
{
    if (!Keep_Freed_Heap_For_Reuse()) GTEST_SKIP() << "the allocator in use is not the C library's";
    const size_t before = mallinfo2().arena, mappedBlocks = mallinfo2().hblks;
    void *volatile out = std::malloc(16 * kMiB);
    void *volatile in = std::malloc(16 * kMiB);
    ASSERT_NE(out, nullptr);
    ASSERT_NE(in, nullptr);
    std::memset(in, 1, 4096);
    std::memset(out, 2, 4096);
    EXPECT_EQ(mallinfo2().hblks, mappedBlocks) << "a 16 MB block was mapped on its own";
    std::free(in);
    std::free(out);
    EXPECT_GE(mallinfo2().arena, before + 32 * kMiB);
    EXPECT_GE(mallinfo2().keepcost, 32 * kMiB);
}

TEST(HeapPolicy, ABlockOverThirtyTwoMegabytesIsMappedAndGivenBack)
{
    if (!Keep_Freed_Heap_For_Reuse()) GTEST_SKIP() << "the allocator in use is not the C library's";
    const size_t mapped = mallinfo2().hblkhd;
    void *volatile large = std::malloc(40 * kMiB);
    ASSERT_NE(large, nullptr);
    EXPECT_GE(mallinfo2().hblkhd, mapped + 40 * kMiB);
    std::free(large);
    EXPECT_EQ(mallinfo2().hblkhd, mapped);
}
} // namespace
