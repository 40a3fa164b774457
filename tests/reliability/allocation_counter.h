// Counts heap allocations made by the current thread while a watch is active.
// The counting allocator is linked only into the release build: the sanitizers
// bring their own allocator, and there available() is false.
#pragma once

namespace allocation_counter {

bool available();
// Allocations counted since the process started, over all watched stretches.
long count();

// Counts the allocations of this thread during its lifetime.
class Watch {
public:
    Watch();
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
};

}  // namespace allocation_counter
