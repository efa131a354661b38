#pragma once

#include <windows.h>

#include <oleacc.h>

namespace win32 {

// What the window's accessible object and the test client share, read by both.
//
// IAccessible's interface id, spelt out: mingw-w64's import library for oleacc.dll makes
// IID_IAccessible the address of an import thunk rather than the id itself, so marshalling an
// object to another process under that "id" fails.
inline constexpr GUID kIidAccessible{
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The VARIANT that names a child of an accessible object (or the object, CHILDID_SELF).
inline VARIANT childVariant(LONG id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

}  // namespace win32
