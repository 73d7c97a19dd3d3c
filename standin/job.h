// The stand-in host's state, read from a job file: what the CAM system would
// hold for the open job (machine group, operations, tools, holders, stock,
// folders).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "host/operations.h"

namespace standin {

struct ProfileSegment {
  char kind = 'L';  // 'A', 'L', 'P' or any other letter the host reports
  double start[3] = {0, 0, 0};
  double end[3] = {0, 0, 0};
  double radius = 0;
  double direction = 0;
};

// A tool or holder profile; `present` false when the host reports none.
struct Profile {
  bool present = false;
  std::vector<ProfileSegment> segments;
};

struct Assembly {
  int id = 0;
  short type_code = 0;
  double size_s = 0;
  double overall_length = 0;
  double holder_dia = 0;
  double holder_length = 0;
  double projection = 0;
  double total_holder_length = 0;
  Profile profile;
  Profile holder_profile;
};

struct LatheTool {
  int id = 0;
  bool known = true;           // the tool manager knows it
  bool in_tool_system = true;  // the tool system's turning look-up finds it
  double length = 0;
  Profile insert_profile;
};

struct Holder {
  int number = 0;
  std::wstring name;
  bool by_number = false;
  std::vector<std::array<double, 3>> levels;  // diameter, -, length
};

struct Operation {
  short type = 0;
  tp_tool tool;
  int holder_number = 0;
  std::wstring nc_name;
  unsigned char names_nc = 0;
};

// The stock solid that wr_stl writes.
struct Solid {
  enum class Kind { kNone, kMesh, kBox, kCylinder } kind = Kind::kNone;
  std::wstring stl_path;              // kMesh: an STL file
  double min[3] = {0, 0, 0};          // kBox
  double max[3] = {0, 0, 0};
  double base[3] = {0, 0, 0};         // kCylinder: centre of the base,
  double axis[3] = {0, 0, 1};         //   axis direction,
  double radius = 0, height = 0;      //   radius and height
  int failing_write = 0;              // the n-th STL write since the job was loaded fails (0: none)
};

struct Stock {
  int shape = 0;
  double size[3] = {0, 0, 0};
  double origin[3] = {0, 0, 0};
  int origin_code = 0;
  Solid solid;
  std::wstring file;
};

struct MachineGroup {
  std::wstring nc_file, nc_prefix, nc_suffix;
  Stock stock;
  std::vector<Operation> operations;
  // The type code that a request finding no further operation writes into
  // the caller's record; none: the record is left as it was.
  std::optional<short> end_of_list_type;
};

struct Job {
  std::wstring job_path;      // the job file itself
  std::wstring user_folder;   // folder of kind 3, ends with a separator
  std::wstring addin_folder;  // chook_prefix
  bool metric = true;
  int code_page = 932;
  bool function_panel = true;  // the host has a function panel to dock the panel in
  // The host's operation walk fails with an exception (as a host's own code may).
  bool operation_walk_throws = false;
  std::wstring registry;      // a .reg file, empty for none
  std::optional<MachineGroup> machine_group;
  std::vector<Assembly> assemblies;
  std::vector<LatheTool> lathe_tools;
  std::vector<Holder> holders;
};

// A job file that could not be read, with what was wrong where.
struct JobError {
  std::string message;  // "FILE: /json/path: expected ..."
};

// Reads a job file; relative host paths resolve against its folder.
bool LoadJobFile(const std::wstring& path, Job& job, JobError& error);
// The same from JSON text (for tests); `path` names it in messages.
bool ParseJob(const std::string& json_text, const std::wstring& path, Job& job, JobError& error);

}  // namespace standin
