// How the add-in reaches the host's functions: on Windows they are exported by
// the host's DLL and imported by the add-in; elsewhere they are linked in.
#pragma once

#if defined(_WIN32)
#if defined(QUENLO_HOST_BUILD)
#define HOST_API __declspec(dllexport)
#else
#define HOST_API __declspec(dllimport)
#endif
#else
#define HOST_API
#endif
