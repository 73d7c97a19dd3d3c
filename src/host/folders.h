// The host's folders and units.
#pragma once

#include <string>

#include "host/host_api.h"

// The host's add-in folder (holds "default_template.prj").
extern HOST_API const wchar_t* chook_prefix;

// The host's application interface, as far as the add-in asks it for folders.
class CMastercamInterface {
 public:
  virtual ~CMastercamInterface() = default;
  // A folder of the given kind, ending in a separator; empty when unknown.
  virtual std::wstring GetFolder(const int& kind) = 0;
};

HOST_API CMastercamInterface* GetMastercamApp();

// True when the current units are metric.
HOST_API bool IsMetric();
