#pragma once

#include <windows.h>

namespace win32 {

// IAccessible's interface id, spelt out here: mingw-w64's import library for oleacc.dll makes
// IID_IAccessible the address of an import thunk rather than the id itself, so marshalling it
// to another process fails. Read by the window's accessible object and by the test client.
inline constexpr GUID kIidAccessible{
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

}  // namespace win32
