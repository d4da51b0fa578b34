#include "HeapPolicy.h"
#include "ProcessMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

namespace {
constexpr size_t kMiB = size_t(1) << 20;

// Two buffers the size of those the PDF engine takes for every page, written to and
// freed, top one last, as a page's compression frees them. Exits with 0 when they came
// from the heap and the heap kept them once freed, with 1 when not (what it saw goes to
// stderr), with 2 when the allocator refused the policy.
//
// It runs in a process of its own, started afresh as main() starts the program (not a
// copy of this one): the heap that earlier tests freed would take the buffers without
// the heap growing, and the thresholds that earlier frees moved would decide for the
// policy.
[[noreturn]] void Measure_Page_Buffers(bool withPolicy)
{
    if (withPolicy && !Keep_Freed_Heap_For_Reuse()) std::_Exit(2);
    const size_t before = mallinfo2().arena, mappedBlocks = mallinfo2().hblks;
    void *volatile out = std::malloc(16 * kMiB);
    void *volatile in = std::malloc(16 * kMiB);
    if (!out || !in) std::_Exit(3);
    std::memset(in, 1, 4096);
    std::memset(out, 2, 4096);
    const size_t ownMappings = mallinfo2().hblks - mappedBlocks;
    std::free(in);
    std::free(out);
    const struct mallinfo2 after = mallinfo2();
    const bool kept = ownMappings == 0 && after.arena >= before + 32 * kMiB && after.keepcost >= 32 * kMiB;
    std::fprintf(stderr, "blocks mapped on their own: %zu, heap grew by %zu MiB, %zu MiB kept at its top\n",
                 ownMappings, (after.arena - std::min(after.arena, before)) / kMiB, after.keepcost / kMiB);
    std::_Exit(kept ? 0 : 1);
}

// With the policy a page's buffers come from the heap and stay there once freed;
// without it (the C library's own thresholds) they are mapped on their own and given
// back, so the measure tells the two apart.
TEST(HeapPolicy, BuffersOfAPageStayInTheHeapOnceFreed)
{
    if (!processmemory::kMeasuresMemory) GTEST_SKIP() << "the allocator in use is not the C library's";
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, not a fork of this one
    EXPECT_EXIT(Measure_Page_Buffers(true), ::testing::ExitedWithCode(0), "") << "with the policy";
    EXPECT_EXIT(Measure_Page_Buffers(false), ::testing::ExitedWithCode(1), "") << "without the policy";
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
