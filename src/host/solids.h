// The host's file class and its STL output of a solid.
#pragma once

#include <cstddef>

#include "host/host_api.h"

// A file of the host, opened and closed by the caller, written by the host's
// output functions.
class HOST_API SysFile {
 public:
  SysFile();
  ~SysFile();
  SysFile(const SysFile&) = delete;
  SysFile& operator=(const SysFile&) = delete;

  // Opens `path` with a C-style mode ("wb"); `flags` are the host's sharing
  // flags. False when the file cannot be opened.
  bool Open(const wchar_t* path, const wchar_t* mode, int flags);
  // Appends bytes to an open file. False when the file is not open.
  bool Write(const void* data, size_t size);
  // Closes the file. False when what was written did not reach the file.
  bool Close();
  bool IsOpen() const;

 private:
  struct State;
  State* state_;
};

// Writes the solid `solid_id` as STL into the open `file`, triangulated within
// `tolerance`; `path` is the file's path. The two flags are the host's output
// options. False when the solid is unknown or cannot be triangulated.
HOST_API bool wr_stl(double tolerance, SysFile& file, const wchar_t* path, int solid_id, bool flag_a, bool flag_b);
