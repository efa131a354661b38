# Finds FLTK 1.3 from its header and libraries alone and defines the imported target
# quintoz::fltk (the shared library) and QUINTOZ_FLTK_ARCHIVE (the static one, when present).
#
# FLTK's own CMake package is not used on purpose: it also imports the fluid program, which
# Debian ships in a package of its own, and configuring then fails on a machine without it,
# although nothing here ever runs fluid. Included by the Linux window and the benchmarks.
include_guard(GLOBAL)

find_path(QUINTOZ_FLTK_INCLUDE_DIR FL/Fl.H)
find_library(QUINTOZ_FLTK_LIBRARY NAMES fltk)
find_library(QUINTOZ_FLTK_ARCHIVE libfltk.a)

if(QUINTOZ_FLTK_INCLUDE_DIR AND QUINTOZ_FLTK_LIBRARY AND NOT TARGET quintoz::fltk)
  find_package(X11 REQUIRED)
  # GLOBAL: the first folder to include this file (the Linux window's, also when the benchmarks
  # reach it through add_subdirectory) must not keep the target to itself.
  add_library(quintoz::fltk UNKNOWN IMPORTED GLOBAL)
  set_target_properties(quintoz::fltk PROPERTIES
    IMPORTED_LOCATION "${QUINTOZ_FLTK_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${QUINTOZ_FLTK_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES X11::X11)
endif()
