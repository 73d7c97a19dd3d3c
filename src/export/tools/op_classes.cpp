#include "export/tools/op_classes.h"

namespace quenlo {
namespace {

bool InRange(int code, int low, int high) { return code >= low && code <= high; }

}  // namespace

bool IsMillingOpCode(int code) {
  return InRange(code, 0, 57) || InRange(code, 100, 200) || InRange(code, 301, 400) || code == 416 ||
         InRange(code, 439, 461) || code == 470;
}

bool IsTurningOpCode(int code) { return InRange(code, 60, 73) || InRange(code, 201, 239); }

}  // namespace quenlo
