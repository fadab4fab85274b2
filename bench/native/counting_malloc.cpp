// Replaces the C allocator's entry points with counting ones that forward to glibc's own. Blocks are counted
// by their usable size, so allocator rounding is in the figures, for the host's data and ours alike.
#include "native/counting_malloc.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<size_t> inUse{0};
std::atomic<size_t> peak{0};
std::atomic<size_t> blocks{0};

void* counted(void* block) {
    if (block == nullptr) return block;
    const size_t now =
        inUse.fetch_add(malloc_usable_size(block), std::memory_order_relaxed) + malloc_usable_size(block);
    blocks.fetch_add(1, std::memory_order_relaxed);
    size_t high = peak.load(std::memory_order_relaxed);
    while (now > high && !peak.compare_exchange_weak(high, now, std::memory_order_relaxed)) {
    }
    return block;
}

void uncount(void* block) {
    if (block == nullptr) return;
    inUse.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    blocks.fetch_sub(1, std::memory_order_relaxed);
}

}  // namespace

extern "C" {

void* malloc(size_t size) {
    return counted(__libc_malloc(size));
}
void* calloc(size_t count, size_t size) {
    return counted(__libc_calloc(count, size));
}
void* realloc(void* block, size_t size) {
    uncount(block);
    void* moved = __libc_realloc(block, size);
    if (moved == nullptr && size != 0) return counted(block);  // the old block is still there
    return counted(moved);
}
void free(void* block) {
    uncount(block);
    __libc_free(block);
}
void* memalign(size_t alignment, size_t size) {
    return counted(__libc_memalign(alignment, size));
}
void* aligned_alloc(size_t alignment, size_t size) {
    return counted(__libc_memalign(alignment, size));
}
int posix_memalign(void** out, size_t alignment, size_t size) {
    void* block = counted(__libc_memalign(alignment, size));
    if (block == nullptr) return ENOMEM;
    *out = block;
    return 0;
}

}  // extern "C"

namespace orv::bench::heap {

size_t bytesInUse() {
    return inUse.load();
}
size_t peakBytes() {
    return peak.load();
}
size_t blocksInUse() {
    return blocks.load();
}
void resetPeak() {
    peak.store(inUse.load());
}

}  // namespace orv::bench::heap
