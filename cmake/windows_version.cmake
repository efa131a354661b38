# The project's version the way Windows releases of the game have always shown it, derived from
# project() so that it is declared nowhere else. 2.2.2 gives
#   QUINTOZ_WIN32_VERSION_TEXT     2.02.0002  (the version block's strings)
#   QUINTOZ_WIN32_VERSION_NUMBERS  2,2,0,2    (the version block's numbers)
#   QUINTOZ_WIN32_VERSION_DOTTED   2.2.0.2    (the manifest's assembly version)
# Included by the top level, which writes them with the plain version into one generated header
# for every program (the target quintoz_version), and by the Windows tests, which expect them in
# Quintoz.exe.
include_guard(DIRECTORY)

string(LENGTH "${PROJECT_VERSION_MINOR}" minor_digits)
string(LENGTH "${PROJECT_VERSION_PATCH}" patch_digits)
math(EXPR minor_padding "2 - ${minor_digits}")
math(EXPR patch_padding "4 - ${patch_digits}")
if(minor_padding LESS 0 OR patch_padding LESS 0)
  message(FATAL_ERROR "version ${PROJECT_VERSION} does not fit the Windows version text")
endif()
string(REPEAT "0" ${minor_padding} minor_zeros)
string(REPEAT "0" ${patch_padding} patch_zeros)
set(QUINTOZ_WIN32_VERSION_TEXT
    "${PROJECT_VERSION_MAJOR}.${minor_zeros}${PROJECT_VERSION_MINOR}.${patch_zeros}${PROJECT_VERSION_PATCH}")
set(QUINTOZ_WIN32_VERSION_NUMBERS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,${PROJECT_VERSION_PATCH}")
set(QUINTOZ_WIN32_VERSION_DOTTED
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")

if(NOT TARGET quintoz_version)
  set(version_dir "${PROJECT_BINARY_DIR}/generated/version")
  file(CONFIGURE OUTPUT "${version_dir}/quintoz_version.h" CONTENT
"#define QUINTOZ_VERSION \"${PROJECT_VERSION}\"
#define QUINTOZ_VERSION_NUMBERS ${QUINTOZ_WIN32_VERSION_NUMBERS}
#define QUINTOZ_VERSION_TEXT \"${QUINTOZ_WIN32_VERSION_TEXT}\"
")
  add_library(quintoz_version INTERFACE)
  target_include_directories(quintoz_version INTERFACE "${version_dir}")
endif()
