#include "capture/Zoom.h"

namespace vfe {

namespace {
constexpr double kZoomStep = 0.05;
}

float ZoomedIn(float factor) {
    if (factor >= 1.0f) return static_cast<float>(static_cast<double>(factor) + kZoomStep);
    return 1.0f;
}

float ZoomedOut(float factor) {
    if (factor > 1.0f) return 1.0f;
    return static_cast<float>(static_cast<double>(factor) - kZoomStep);
}

}  // namespace vfe
