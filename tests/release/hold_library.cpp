// hold-library DLL STOP_FILE
// Holds a library loaded, as a running host holds its add-in: loads DLL,
// prints "held" and waits until STOP_FILE exists (a minute at most).
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: hold-library DLL STOP_FILE\n");
    return 2;
  }
  HMODULE module = LoadLibraryW(argv[1]);
  if (!module) {
    std::fprintf(stderr, "hold-library: cannot load the library (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("held\n");
  std::fflush(stdout);
  for (int i = 0; i < 600 && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
  FreeLibrary(module);
  return 0;
}
