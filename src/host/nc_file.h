// The host's NC file settings and its file-name helpers.
#pragma once

#include <cstddef>
#include <string>

#include "host/host_api.h"
#include "host/machine_group.h"

// The NC file path of the group (null: the active one).
HOST_API const std::wstring& NCFile(const op_group* group, wchar_t*, wchar_t*, wchar_t*);
// The NC prefix (a folder ending in a separator).
HOST_API const wchar_t* NCPrefixStr(const op_group* group);
// The NC file suffix, with its dot.
HOST_API const std::wstring& NCSuffix(const op_group* group);
// Splits a path into folder, base name (no folder, no extension) and
// extension (with its dot), each into a buffer of the given capacity.
HOST_API void SecureReduceFileName(const wchar_t* path, wchar_t* folder, size_t folder_size, wchar_t* base,
                                   size_t base_size, wchar_t* ext, size_t ext_size);
// Composes prefix, base name and extension into `base`, which must hold them all.
HOST_API void build_filename(wchar_t* base, const wchar_t* prefix, const wchar_t* ext);
