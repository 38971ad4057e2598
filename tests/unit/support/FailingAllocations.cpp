#include "support/FailingAllocations.h"

#include <cstdlib>
#include <new>

namespace {
std::size_t failFrom = 0;  // 0: nothing fails
int failed = 0;
}  // namespace

// The unit tests' allocator: the C library's, failing on demand.
void* operator new(std::size_t size) {
    if (failFrom != 0 && size >= failFrom) {
        ++failed;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace vfe::testing {

FailingAllocations::FailingAllocations(std::size_t fromBytes) {
    failFrom = fromBytes;
    failed = 0;
}
FailingAllocations::~FailingAllocations() { failFrom = 0; }
int FailingAllocations::Failed() const { return failed; }

}  // namespace vfe::testing
