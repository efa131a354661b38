#include "hosts/fltk/late_library.h"

#include <dlfcn.h>

#include <cstdio>

namespace fltkhost {

void* openLateLibrary(const char* soname) {
  // Every symbol is looked up through the handle, so nothing need enter the global scope.
  void* library = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) std::fprintf(stderr, "quintoz: %s\n", dlerror());
  return library;
}

void* lateSymbol(void* library, const char* name) {
  void* address = dlsym(library, name);
  if (address == nullptr) std::fprintf(stderr, "quintoz: %s is missing\n", name);
  return address;
}

}  // namespace fltkhost
