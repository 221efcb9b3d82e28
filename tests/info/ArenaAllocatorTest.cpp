// The allocator pagora-info runs on, linked into this test in place of the C library's: what
// it hands out must behave as malloc promises, and calloc must still give zeros although
// nothing is cleared on the way.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <malloc.h>
#include <string>

namespace {

bool AllZero(const void* block, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

// Keeps the compiler from pairing up or dropping the calls under test.
template <typename T> T Opaque(T value) {
    asm volatile("" : "+r"(value));
    return value;
}

} // namespace

TEST(ArenaAllocator, ReplacesTheLibrarysAllocator) {
    // The C library would round 100 up to its chunk size.
    void* block = Opaque(std::malloc(100));
    EXPECT_EQ(malloc_usable_size(block), 100u);
    std::free(block);
}

TEST(ArenaAllocator, CallocGivesZerosAfterBlocksWereWrittenShrunkAndFreed) {
    auto* dirty = static_cast<unsigned char*>(Opaque(std::malloc(64 * 1024)));
    ASSERT_NE(dirty, nullptr);
    std::memset(dirty, 0xAB, 64 * 1024);
    dirty = static_cast<unsigned char*>(Opaque(std::realloc(dirty, 16)));
    ASSERT_NE(dirty, nullptr);
    EXPECT_EQ(dirty[15], 0xAB);
    std::free(dirty);

    // The shrunk newest block gave its written tail back, and the next block takes it: part
    // written before, part never handed out.
    auto* fresh = static_cast<unsigned char*>(Opaque(std::calloc(1024, 128)));
    ASSERT_NE(fresh, nullptr);
    EXPECT_LT(fresh, dirty + 64 * 1024);
    EXPECT_TRUE(AllZero(fresh, 1024 * 128));
    std::free(fresh);
}

TEST(ArenaAllocator, OnlyTheNewestBlockGivesBackItsTail) {
    auto* older = static_cast<unsigned char*>(Opaque(std::malloc(4096)));
    std::memset(older, 0xCD, 4096);
    auto* newest = static_cast<unsigned char*>(Opaque(std::malloc(4096)));
    std::memset(newest, 0xEF, 4096);

    // An older block shrinks where it stands and keeps its tail: the next block comes after
    // the newest.
    EXPECT_EQ(Opaque(std::realloc(older, 8)), older);
    auto* next = static_cast<unsigned char*>(Opaque(std::malloc(64)));
    EXPECT_GE(next, newest + 4096);
    std::memset(next, 0x22, 64);

    // The newest block, shrunk, is followed by the next block at once; calloc clears it.
    auto* shrunk = static_cast<unsigned char*>(Opaque(std::realloc(next, 16)));
    EXPECT_EQ(shrunk, next);
    std::memset(shrunk, 0x11, 16);
    auto* cleared = static_cast<unsigned char*>(Opaque(std::calloc(1, 48)));
    EXPECT_EQ(cleared, shrunk + 32); // after the block's 16 bytes and the next one's header
    EXPECT_TRUE(AllZero(cleared, 48));
    EXPECT_EQ(older[7], 0xCD);
    EXPECT_EQ(newest[4095], 0xEF);
    EXPECT_EQ(shrunk[15], 0x11);
    std::free(cleared);
    std::free(shrunk);
    std::free(newest);
    std::free(older);
}

TEST(ArenaAllocator, ReallocKeepsTheBytes) {
    auto* first = static_cast<char*>(Opaque(std::malloc(100)));
    std::memset(first, 'a', 100);
    auto* second = static_cast<char*>(Opaque(std::malloc(100)));
    std::memset(second, 'b', 100);

    // The newest block grows where it stands; an older one moves, taking its bytes along.
    const auto firstAt = reinterpret_cast<std::uintptr_t>(first);
    const auto secondAt = reinterpret_cast<std::uintptr_t>(second);
    auto* grown = static_cast<char*>(Opaque(std::realloc(second, 5000)));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(grown), secondAt);
    auto* moved = static_cast<char*>(Opaque(std::realloc(first, 5000)));
    ASSERT_NE(moved, nullptr);
    EXPECT_NE(reinterpret_cast<std::uintptr_t>(moved), firstAt);
    EXPECT_EQ(std::string(moved, 100), std::string(100, 'a'));
    EXPECT_EQ(std::string(grown, 100), std::string(100, 'b'));
    EXPECT_GE(malloc_usable_size(moved), 5000u);

    // A block handed out after the grown one does not overlap it.
    auto* after = static_cast<char*>(Opaque(std::malloc(10)));
    EXPECT_TRUE(after >= grown + 5000 || after + 10 <= grown);
    std::free(after);
    std::free(moved);
    std::free(grown);
}

TEST(ArenaAllocator, Alignment) {
    for (std::size_t alignment :
         {std::size_t{16}, std::size_t{64}, std::size_t{4096}, std::size_t{8} << 20}) {
        void* block = Opaque(std::aligned_alloc(alignment, 3 * alignment));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignment, 0u) << alignment;
        std::free(block);
    }
    void* plain = Opaque(std::malloc(1));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(plain) % alignof(std::max_align_t), 0u);
    std::free(plain);

    void* result = nullptr;
    EXPECT_EQ(posix_memalign(&result, 24, 10), EINVAL);
    EXPECT_EQ(posix_memalign(&result, 256, 10), 0);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(result) % 256, 0u);
    std::free(result);
}

TEST(ArenaAllocator, Failures) {
    errno = 0;
    EXPECT_EQ(Opaque(std::calloc(Opaque(SIZE_MAX / 2), Opaque(std::size_t{4}))), nullptr);
    EXPECT_EQ(errno, ENOMEM);
    errno = 0;
    EXPECT_EQ(Opaque(memalign(24, 10)), nullptr);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(Opaque(std::malloc(Opaque(SIZE_MAX - 8))), nullptr);
}

TEST(ArenaAllocator, LargeBlockGetsAMappingOfItsOwn) {
    constexpr std::size_t kLarge = std::size_t{700} << 20;
    auto* large = static_cast<char*>(Opaque(std::calloc(1, kLarge)));
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large[0], 0);
    EXPECT_EQ(large[kLarge - 1], 0);
    large[0] = large[kLarge - 1] = 1;
    const auto largeAt = reinterpret_cast<std::uintptr_t>(large);
    auto* shrunk = static_cast<char*>(Opaque(std::realloc(large, 100)));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(shrunk), largeAt);
    EXPECT_EQ(shrunk[0], 1);
}
