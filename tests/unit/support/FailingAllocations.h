#pragma once
// Memory running out, for the unit tests: while a FailingAllocations lives, every allocation of
// at least the given size throws std::bad_alloc, as the system's allocator does when it has
// no more to give; smaller ones go through. It counts the allocations it failed, so a test
// can tell that memory really ran out where it meant it to.
#include <cstddef>

namespace vfe::testing {

class FailingAllocations {
public:
    explicit FailingAllocations(std::size_t fromBytes);
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
    int Failed() const;
};

}  // namespace vfe::testing
