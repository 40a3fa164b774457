// Replaces malloc, calloc and realloc for the whole process (the loaded plug-in
// included: its references bind to the executable's definitions first) and
// forwards to glibc's own allocator. operator new goes through malloc.
#include "tests/reliability/allocation_counter.h"

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
}

namespace {

std::atomic<long> allocations{0};
thread_local bool watching = false;

void note() {
    if (watching) allocations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

extern "C" {
void* malloc(size_t size) {
    note();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    note();
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
    note();
    return __libc_realloc(block, size);
}
}

namespace allocation_counter {

bool available() { return true; }
long count() { return allocations.load(); }
Watch::Watch() { watching = true; }
Watch::~Watch() { watching = false; }

}  // namespace allocation_counter
