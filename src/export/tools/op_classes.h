// The two classes of operations that the tool file knows, by the host's
// operation type code.
#pragma once

namespace quenlo {

// Milling operations: codes 0..57, 100..200, 301..400, 416, 439..461, 470.
bool IsMillingOpCode(int code);
// Turning operations: codes 60..73, 201..239.
bool IsTurningOpCode(int code);

}  // namespace quenlo
