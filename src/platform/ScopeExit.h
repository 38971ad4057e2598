#pragma once
#include <utility>

namespace vfe {

// Runs a clean-up step where nothing may be thrown (a destructor, a way out that is already
// unwinding): what the step throws is dropped, as there is nothing left to do about it.
template <typename Step>
void Quietly(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

// Runs a step when the scope is left, whichever way: what a failed operation must put back
// is put back on an exception's way out too.
template <typename Step>
class ScopeExit {
public:
    explicit ScopeExit(Step step) : step_(std::move(step)) {}
    ~ScopeExit() { Quietly(step_); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Step step_;
};

}  // namespace vfe
