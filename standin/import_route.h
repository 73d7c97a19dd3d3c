// Routes one import of a loaded Windows module (its import-table slot) to
// another function, so that the stand-in host and the tests see the calls a
// module makes to the system without changing that module.
#pragma once

namespace standin {

// Puts `replacement` into every import slot of `module` (an HMODULE) for
// `function` of `dll` (matched without regard to case) and returns what the
// first such slot held; null when the module has no such import. On other
// systems there are no import tables: always null.
void* RouteImport(void* module, const char* dll, const char* function, void* replacement);

}  // namespace standin
