#pragma once

namespace vfe {

// The zoom buttons' steps of 0.05, with 1.0 as a stop in both directions: the step is
// formed in double precision and kept in single precision.
float ZoomedIn(float factor);
float ZoomedOut(float factor);

}  // namespace vfe
