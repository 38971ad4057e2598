#include <thread>

#include "support/E2E.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(Milliseconds(20));
    }
}

}  // namespace e2e
