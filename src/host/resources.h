// Dialog resources as the host's user-interface framework finds them: a module
// carries its dialog templates, and the framework loads a template from the
// module that is the current resource source.
#pragma once

#include <string>
#include <vector>

#include "host/host_api.h"

enum class ControlKind { kEdit, kComboBox, kCheckBox, kButton, kBitmapButton };

struct DialogControl {
  int id;
  ControlKind kind;
  const wchar_t* name;     // the record field it shows, or the command it runs
  const wchar_t* caption;  // label or caption, empty for none
  bool sorted;             // a combo box whose list keeps its items sorted
};

struct DialogTemplate {
  int id;
  std::vector<DialogControl> controls;
  const DialogControl* Find(int control_id) const;
  const DialogControl* FindByName(const std::wstring& name) const;
};

// A module's resources (stands in for an instance handle).
struct ResourceModule {
  std::wstring name;
  std::vector<const DialogTemplate*> dialogs;
  void* instance = nullptr;  // the module's instance handle, where it is a real module
  const DialogTemplate* FindDialog(int template_id) const;
};

HOST_API const ResourceModule* AfxGetResourceHandle();
HOST_API void AfxSetResourceHandle(const ResourceModule* module);
