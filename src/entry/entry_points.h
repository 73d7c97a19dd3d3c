// The three functions the host calls, exported from Tarvik.dll under their
// plain names.
#pragma once

#include "host/resources.h"

#if defined(_WIN32) && defined(QUENLO_EXPORTS)
#define QUENLO_EXPORT extern "C" __declspec(dllexport)
#else
#define QUENLO_EXPORT extern "C"
#endif

// Version handshake: every version 2800..2899 is echoed, anything else answered with 2800.
QUENLO_EXPORT int m_version(int version);
// Same as Run(0).
QUENLO_EXPORT int m_main(int unused);
// One link run; always 0.
QUENLO_EXPORT int Run(int unused);

namespace quenlo {

// The add-in's module: recorded at load, the resource source of every run.
void SetModuleResources(const ResourceModule* module);

}  // namespace quenlo
