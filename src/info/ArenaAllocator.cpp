// pagora-info runs once and ends, and most of its few milliseconds would go to the page
// faults of fresh memory. So it takes all its memory from arenas backed by huge pages, one
// after the other, and never reuses a freed block: a fresh huge page costs one fault where 512
// small pages cost 512, and memory that has never been handed out still reads zero, so calloc
// has nothing to clear. Only the newest block gives back what it is shrunk by, so that the
// line store, made for the whole 4 MiB span and cut back to the image, leaves its unused tail
// untouched and what comes after it shares its huge page.
// This replaces the C library's allocator for the whole program.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kArenaSize = std::size_t{1} << 30; // address space, used when touched
// Blocks from this size on get a mapping of their own rather than use up an arena.
constexpr std::size_t kOwnMapping = std::size_t{64} << 20;
constexpr std::size_t kAlign = 16;

std::size_t RoundUp(std::size_t value, std::size_t to) {
    return (value + to - 1) & ~(to - 1);
}

// Each block is preceded by its size, so that realloc knows how much to keep.
struct Header {
    std::size_t Size;
    std::size_t Padding;
};
static_assert(sizeof(Header) == kAlign);

Header& HeaderOf(void* block) {
    return static_cast<Header*>(block)[-1];
}

class SpinLock {
public:
    void lock() {
        while (flag_.test_and_set(std::memory_order_acquire)) {
        }
    }
    void unlock() { flag_.clear(std::memory_order_release); }

private:
    std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

class Arenas {
public:
    // A block of size bytes aligned to alignment (a power of two, at least 16), or nullptr;
    // with zeroed, every byte of it reads zero.
    void* Allocate(std::size_t size, std::size_t alignment, bool zeroed) {
        std::lock_guard guard(lock_);
        if (size >= kOwnMapping || alignment > kHugePage) {
            return Own(size, alignment);
        }
        std::size_t start = RoundUp(used_ + sizeof(Header), alignment);
        if (base_ == nullptr || start + size > kArenaSize) {
            if (!MapArena()) {
                return nullptr;
            }
            start = RoundUp(sizeof(Header), alignment);
        }
        char* block = base_ + start;
        if (zeroed && start < clean_) { // memory given back by a shrunk block
            std::memset(block, 0, std::min(size, clean_ - start));
        }
        HeaderOf(block).Size = size;
        used_ = RoundUp(start + size, kAlign);
        clean_ = std::max(clean_, used_);
        last_ = block;
        return block;
    }

    // Shrinks any block where it stands, the newest giving back what it no longer needs, and
    // grows the newest one. False when the block has to move.
    bool ResizeInPlace(void* block, std::size_t size) {
        std::lock_guard guard(lock_);
        Header& header = HeaderOf(block);
        if (block != last_) {
            if (size <= header.Size) {
                header.Size = size;
                return true;
            }
            return false;
        }
        const auto start = static_cast<std::size_t>(static_cast<char*>(block) - base_);
        if (size > header.Size && size > kArenaSize - start) {
            return false;
        }
        header.Size = size;
        used_ = RoundUp(start + size, kAlign);
        clean_ = std::max(clean_, used_);
        return true;
    }

private:
    bool MapArena() {
        base_ = static_cast<char*>(MapHuge(kArenaSize, kHugePage));
        used_ = 0;
        clean_ = 0;
        last_ = nullptr;
        return base_ != nullptr;
    }

    static void* Own(std::size_t size, std::size_t alignment) {
        const std::size_t offset = RoundUp(sizeof(Header), alignment);
        const std::size_t start = std::max(alignment, kHugePage);
        if (size > SIZE_MAX - offset - start) {
            return nullptr;
        }
        char* region = static_cast<char*>(MapHuge(offset + size, start));
        if (region == nullptr) {
            return nullptr;
        }
        char* block = region + offset;
        HeaderOf(block).Size = size;
        return block;
    }

    // Address space for size bytes starting at a multiple of align (a huge page or more),
    // backed by huge pages when touched.
    static void* MapHuge(std::size_t size, std::size_t align) {
        void* region = mmap(nullptr, size + align, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (region == MAP_FAILED) {
            return nullptr;
        }
        const auto address = reinterpret_cast<std::uintptr_t>(region);
        char* start = static_cast<char*>(region) + (RoundUp(address, align) - address);
        madvise(start, size, MADV_HUGEPAGE);
        return start;
    }

    SpinLock lock_;
    char* base_ = nullptr;
    std::size_t used_ = 0;  // offset of the first byte not in a block
    std::size_t clean_ = 0; // offset from which no byte has ever been handed out: still zero
    void* last_ = nullptr;  // the newest block
};

Arenas arenas;

void* Allocate(std::size_t size, std::size_t alignment, bool zeroed = false) {
    void* block = arenas.Allocate(size, alignment, zeroed);
    if (block == nullptr) {
        errno = ENOMEM;
    }
    return block;
}

} // namespace

extern "C" {

void* malloc(std::size_t size) {
    return Allocate(size, kAlign);
}

void* calloc(std::size_t count, std::size_t size) {
    std::size_t total = 0;
    if (__builtin_mul_overflow(count, size, &total)) {
        errno = ENOMEM;
        return nullptr;
    }
    return Allocate(total, kAlign, true);
}

void free(void*) {}

void* realloc(void* ptr, std::size_t size) {
    if (ptr == nullptr) {
        return malloc(size);
    }
    if (arenas.ResizeInPlace(ptr, size)) {
        return ptr;
    }
    void* moved = malloc(size);
    if (moved != nullptr) {
        std::memcpy(moved, ptr, std::min(HeaderOf(ptr).Size, size));
    }
    return moved;
}

void* memalign(std::size_t alignment, std::size_t size) {
    if ((alignment & (alignment - 1)) != 0) {
        errno = EINVAL;
        return nullptr;
    }
    return Allocate(size, std::max(alignment, kAlign));
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
    return memalign(alignment, size);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) {
        return EINVAL;
    }
    void* block = Allocate(size, std::max(alignment, kAlign));
    if (block == nullptr) {
        return ENOMEM;
    }
    *result = block;
    return 0;
}

void* valloc(std::size_t size) {
    return memalign(static_cast<std::size_t>(sysconf(_SC_PAGESIZE)), size);
}

void* pvalloc(std::size_t size) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return memalign(page, RoundUp(size, page));
}

std::size_t malloc_usable_size(void* ptr) {
    return ptr == nullptr ? 0 : HeaderOf(ptr).Size;
}

} // extern "C"
