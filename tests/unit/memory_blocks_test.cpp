// The engine's block allocator: small freed blocks are kept for reuse, but
// the counts and the limit see only the blocks in use, and a kept block
// never comes back smaller than asked for.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "compiler/node_arena.h"
#include "engine/memory.h"

namespace {

TEST(MemoryBlocks, KeptBlocksCountAsFreeAndTheLimitStillHolds) {
    const size_t bytes = JsMemoryInUse(), blocks = JsBlocksInUse();
    void *a = JsMalloc(24);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(JsMemoryInUse(), bytes + 24);
    JsFree(a);
    EXPECT_EQ(JsMemoryInUse(), bytes);
    EXPECT_EQ(JsBlocksInUse(), blocks);
    // A block of the same size is there to be reused, yet past the limit
    // the request still fails.
    JsSetMemoryLimit(JsMemoryInUse() + 8);
    EXPECT_EQ(JsMalloc(24), nullptr);
    void *b = JsMalloc(8);
    EXPECT_NE(b, nullptr);
    JsFree(b);
    JsSetMemoryLimit(0);
}

TEST(MemoryBlocks, EveryReusedBlockHoldsWhatWasAsked) {
    const size_t blocks = JsBlocksInUse();
    std::vector<char *> held;
    for (size_t size = 1; size <= 300; size += 7) {
        char *p = static_cast<char *>(JsMalloc(size));
        ASSERT_NE(p, nullptr);
        std::memset(p, 0x5A, size);
        held.push_back(p);
    }
    for (char *p : held) JsFree(p);
    held.clear();
    // Sizes that round to the classes just freed, written to the last byte.
    for (size_t size = 300; size >= 1; size -= 3) {
        char *p = static_cast<char *>(JsMalloc(size));
        ASSERT_NE(p, nullptr);
        std::memset(p, 0xA5, size);
        held.push_back(p);
        if (size < 3) break;
    }
    // Grown and shrunk across the small sizes, a block keeps its text.
    char *r = static_cast<char *>(JsMalloc(10));
    std::memcpy(r, "0123456789", 10);
    r = static_cast<char *>(JsRealloc(r, 500));
    ASSERT_NE(r, nullptr);
    r = static_cast<char *>(JsRealloc(r, 20));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(std::memcmp(r, "0123456789", 10), 0);
    std::memset(r, 1, 20);
    JsFree(r);
    for (char *p : held) JsFree(p);
    EXPECT_EQ(JsBlocksInUse(), blocks);
}

TEST(NodeArena, BlocksAreAlignedApartAndGoBackTogether) {
    const size_t blocks = JsBlocksInUse();
    JsNodeArena arena;
    std::vector<char *> got;
    // Small and odd sizes, then one bigger than any chunk.
    for (size_t size : {1, 7, 72, 73, 200, 1000, 5000, 70000, 3, 80}) {
        char *p = static_cast<char *>(arena.Allocate(size));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % alignof(void *), 0u) << size;
        std::memset(p, static_cast<int>(size & 0xFF), size);
        got.push_back(p);
    }
    // Nothing written to one block reached another.
    const size_t sizes[] = {1, 7, 72, 73, 200, 1000, 5000, 70000, 3, 80};
    for (size_t i = 0; i < got.size(); i++)
        for (size_t j = 0; j < sizes[i]; j++) ASSERT_EQ(static_cast<unsigned char>(got[i][j]), sizes[i] & 0xFF);
    EXPECT_GT(JsBlocksInUse(), blocks);
    arena.Release();
    EXPECT_EQ(JsBlocksInUse(), blocks);
    // Past the limit a new chunk is refused and the arena stays usable.
    JsSetMemoryLimit(JsMemoryInUse() + 16);
    EXPECT_EQ(arena.Allocate(64), nullptr);
    JsSetMemoryLimit(0);
    EXPECT_NE(arena.Allocate(64), nullptr);
    arena.Release();
    EXPECT_EQ(JsBlocksInUse(), blocks);
}

// A big script's arena: many megabytes of blocks, each keeping what was
// written to it, all given back with the arena; near a limit the bigger
// chunks of a big arena give way to ordinary ones.
TEST(NodeArena, BigArenasKeepTheirBlocksAndGoBackWhole) {
    const size_t inUse = JsMemoryInUse(), blocks = JsBlocksInUse();
    JsNodeArena arena;
    std::vector<uint32_t *> got;
    for (uint32_t i = 0; i < 200000; i++) {  // about 12 MB
        uint32_t *p = static_cast<uint32_t *>(arena.Allocate(56 + (i % 3) * 8));
        ASSERT_NE(p, nullptr) << i;
        ASSERT_EQ(reinterpret_cast<uintptr_t>(p) % alignof(void *), 0u);
        for (int j = 0; j < 14; j++) p[j] = i * 16 + static_cast<uint32_t>(j);
        got.push_back(p);
    }
    for (uint32_t i = 0; i < got.size(); i++)
        for (int j = 0; j < 14; j++) ASSERT_EQ(got[i][j], i * 16 + static_cast<uint32_t>(j)) << i;
    EXPECT_GT(JsMemoryInUse(), inUse + 10 * 1024 * 1024);
    // Room for a few ordinary chunks but not for a bigger one: once the
    // newest chunk (at most 2 MB) is used up, the arena goes on in
    // ordinary chunks.
    JsSetMemoryLimit(JsMemoryInUse() + 512 * 1024);
    const size_t full = JsMemoryInUse();
    for (int i = 0; JsMemoryInUse() == full; i++) {
        ASSERT_LT(i, 2048 * 1024 / 64 + 1);
        ASSERT_NE(arena.Allocate(64), nullptr) << i;
    }
    for (int i = 0; i < 256 * 1024 / 64; i++) ASSERT_NE(arena.Allocate(64), nullptr) << i;
    // A few megabytes from a bound, where a bigger chunk would still fit,
    // the chunks stay ordinary too: a megabyte of blocks takes about a
    // megabyte.
    const size_t before = JsMemoryInUse();
    JsSetMemoryLimit(before + 3 * 1024 * 1024);
    for (int i = 0; i < 1024 * 1024 / 64; i++) ASSERT_NE(arena.Allocate(64), nullptr) << i;
    EXPECT_LT(JsMemoryInUse() - before, size_t{1024 + 128} * 1024);
    JsSetMemoryLimit(0);
    arena.Release();
    EXPECT_EQ(JsMemoryInUse(), inUse);
    EXPECT_EQ(JsBlocksInUse(), blocks);
}

}  // namespace
