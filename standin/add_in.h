// The add-in as the host holds it: its entry points, found the way the host
// finds them (on Windows, Tarvik.dll loaded and its exports looked up).
#pragma once

#include <string>

namespace standin {

struct AddIn {
  int (*m_version)(int) = nullptr;
  int (*m_main)(int) = nullptr;
  int (*Run)(int) = nullptr;
  void* module = nullptr;  // Windows: the loaded Tarvik.dll (HMODULE)
  std::string version;     // "1.0.0": Windows: from its version resource; empty without one
};

// False with a message when the add-in cannot be loaded.
bool LoadAddIn(AddIn& add_in, std::string& error);

}  // namespace standin
