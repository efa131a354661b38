#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owning wrappers for the GDI objects the window creates, so that each is released exactly once
// whichever way its owner goes away.
namespace win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A font, brush or bitmap, deleted with DeleteObject. It must no longer be selected into a
// device context by then; the owners below make sure of that.
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

}  // namespace win32
