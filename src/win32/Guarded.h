#pragma once

namespace vfe::win32 {

// Runs a handler so that nothing it throws leaves it: window procedures and system
// callbacks may not let an exception through. True when the handler finished; false
// when it threw, leaving the window as the handler left it.
template <typename Handler>
bool Guarded(Handler&& handler) noexcept {
    try {
        handler();
        return true;
    } catch (...) {
        return false;
    }
}

// Where a window sends a failure its handler threw, so that none is passed over.
class FaultReport {
public:
    virtual void ReportFault() noexcept = 0;

protected:
    ~FaultReport() = default;
};

}  // namespace vfe::win32
