// The host's operation list and the records it fills: the operation and its
// legacy tool record.
#pragma once

#include <string>

#include "host/host_api.h"

struct DB_LIST_ENT;

// The legacy tool record, with the members the add-in reads.
struct tp_tool {
  int tool_number = 0;
  short type_code = 0;
  double diameter = 0;
  double corner_radius = 0;
  double size_s = 0;
  int d_number = 0;
  int h_number = 0;
  std::wstring comment;
  int tool_id = 0;
  double overall_length = 0;
  double holder_dia = 0;
  double holder_length = 0;
};

struct operation {
  short opcode = 0;            // the host's operation type code
  long op_idn = 0;             // the operation's identifier
  tp_tool tl;                  // the operation's own tool record
  int holder_number = 0;
  unsigned char names_nc = 0;  // non-zero: this operation names the NC file
  std::wstring nc_name;        // the NC name the NC file name is built from
};

// Requests of operation_manager.
inline constexpr short kOpFirst = 13;
inline constexpr short kOpNext = 18;

// Fills `op` with the first (13) or next (18) operation and sets `found`. A
// request that finds no further operation clears `found` and leaves `op` as
// it was.
HOST_API void operation_manager(operation* op, short request, DB_LIST_ENT** cursor, bool* found);
// True for the turning operation codes.
HOST_API bool op_is_lathe(short opcode);
