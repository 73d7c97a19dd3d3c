// The host's machine group, operations, NC file names, folders and units,
// answered from the job.
#include <algorithm>
#include <cwchar>
#include <stdexcept>

#include "host/folders.h"
#include "host/machine_group.h"
#include "host/nc_file.h"
#include "host/operations.h"
#include "host_state.h"

using standin::Host;

// The host's list entry of an operation: its index in the job.
struct DB_LIST_ENT {
  size_t index;
};

namespace {

std::vector<DB_LIST_ENT>& ListEntries() {
  static std::vector<DB_LIST_ENT> entries;
  return entries;
}

const standin::MachineGroup* Group() {
  auto& group = Host().job.machine_group;
  return group ? &*group : nullptr;
}

void CopyInto(const std::wstring& text, wchar_t* buffer, size_t size) {
  if (!buffer || size == 0) return;
  size_t n = std::min(text.size(), size - 1);
  std::wmemcpy(buffer, text.data(), n);
  buffer[n] = L'\0';
}

class StandinApp : public CMastercamInterface {
 public:
  std::wstring GetFolder(const int& kind) override { return kind == 3 ? Host().job.user_folder : L""; }
};

}  // namespace

const wchar_t* chook_prefix = L"";

op_group* OMgetActiveMachineGroup(bool) { return Host().has_group ? &Host().group : nullptr; }
op_group* GroupsMachineGroup(op_group* group) { return group ? group : OMgetActiveMachineGroup(true); }

void operation_manager(operation* op, short request, DB_LIST_ENT** cursor, bool* found) {
  *found = false;
  if (Host().job.operation_walk_throws) throw std::runtime_error("operation list unavailable");
  const standin::MachineGroup* group = Group();
  if (!group || !op || !cursor) return;
  size_t next = 0;
  if (request == kOpNext) {
    if (!*cursor) return;
    next = (*cursor)->index + 1;
  } else if (request != kOpFirst) {
    return;
  }
  if (next >= group->operations.size()) {
    if (group->end_of_list_type) op->opcode = *group->end_of_list_type;
    return;
  }
  auto& entries = ListEntries();
  if (entries.size() != group->operations.size()) {
    entries.resize(group->operations.size());
    for (size_t i = 0; i < entries.size(); ++i) entries[i].index = i;
  }
  const standin::Operation& source = group->operations[next];
  op->opcode = source.type;
  op->op_idn = static_cast<long>(next + 1);
  op->tl = source.tool;
  op->holder_number = source.holder_number;
  op->names_nc = source.names_nc;
  op->nc_name = source.nc_name;
  *cursor = &entries[next];
  *found = true;
}

bool op_is_lathe(short opcode) { return (opcode >= 60 && opcode <= 73) || (opcode >= 201 && opcode <= 239); }

const std::wstring& NCFile(const op_group*, wchar_t*, wchar_t*, wchar_t*) {
  static const std::wstring empty;
  return Group() ? Group()->nc_file : empty;
}

const wchar_t* NCPrefixStr(const op_group*) { return Group() ? Group()->nc_prefix.c_str() : L""; }

const std::wstring& NCSuffix(const op_group*) {
  static const std::wstring empty;
  return Group() ? Group()->nc_suffix : empty;
}

void SecureReduceFileName(const wchar_t* path, wchar_t* folder, size_t folder_size, wchar_t* base,
                          size_t base_size, wchar_t* ext, size_t ext_size) {
  std::wstring p = path ? path : L"";
  size_t name_start = p.find_last_of(L"\\/:");
  name_start = name_start == std::wstring::npos ? 0 : name_start + 1;
  std::wstring name = p.substr(name_start);
  size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) dot = name.size();
  CopyInto(p.substr(0, name_start), folder, folder_size);
  CopyInto(name.substr(0, dot), base, base_size);
  CopyInto(name.substr(dot), ext, ext_size);
}

void build_filename(wchar_t* base, const wchar_t* prefix, const wchar_t* ext) {
  std::wstring composed = std::wstring(prefix ? prefix : L"") + base + (ext ? ext : L"");
  std::wmemcpy(base, composed.c_str(), composed.size() + 1);
}

CMastercamInterface* GetMastercamApp() {
  static StandinApp app;
  return &app;
}

bool IsMetric() { return Host().job.metric; }
