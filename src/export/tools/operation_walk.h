// The walk over the host's operation list that feeds the passes of the tool
// file: request 13 for the first operation, then 18 until the host clears
// the found flag. The record's type code is set to 500 before every request,
// so after the walk the record holds what the last, unsuccessful request left.
#pragma once

#include "host/operations.h"

namespace quenlo {

inline constexpr short kNoOpCode = 500;

template <typename Visit>
void WalkOperations(operation& op, Visit visit) {
  DB_LIST_ENT* cursor = nullptr;
  bool found = false;
  op.opcode = kNoOpCode;
  operation_manager(&op, kOpFirst, &cursor, &found);
  while (found) {
    visit(static_cast<const operation&>(op));
    op.opcode = kNoOpCode;
    operation_manager(&op, kOpNext, &cursor, &found);
  }
}

}  // namespace quenlo
