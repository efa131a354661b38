#pragma once

// Libraries the Linux window opens only when it first needs them: the screen-reader bridge's
// (ATK, its AT-SPI bridge, GLib, D-Bus) once assistive technology is on, and Pango once a line
// of text needs it. The game's binary names none of them, so a player who needs none loads
// none; the Debian package still depends on them.
//
// A library's functions are listed once, in a table:
//
//   #define PANGO_FUNCTIONS(F) F(pango_layout_new) F(pango_layout_set_text)
//   QUINTOZ_LATE_TABLE(PangoApi, "libpangoxft-1.0.so.0", PANGO_FUNCTIONS)
//
// and called through it: `PangoApi::get()->pango_layout_new(context)`. Each member has the type
// of the function its header declares, so a call is checked as a direct call would be; and as
// the binary links none of these libraries, a call that bypasses its table does not link.

namespace fltkhost {

// Called by a table's get(), once: opens the library with those it depends on, or says on
// standard error why it could not and returns null. It stays open for the rest of the run, as
// GLib's types and ATK's bridge live until the process ends.
void* openLateLibrary(const char* soname);
// The address of a function in the library or in those it depends on; null (and a line on
// standard error) when it has none.
void* lateSymbol(void* library, const char* name);

// The table of the library, filled on the first call; null when the library or one of its
// functions is missing, which later calls do not try again.
template <typename Table>
const Table* loadLateTable(const char* soname) {
  static const Table* const loaded = [soname]() -> const Table* {
    static Table table;
    void* library = openLateLibrary(soname);
    return library != nullptr && table.fill(library) ? &table : nullptr;
  }();
  return loaded;
}

}  // namespace fltkhost

#define QUINTOZ_LATE_MEMBER(name) decltype(&::name) name = nullptr;
#define QUINTOZ_LATE_FILL(name) \
  &&(name = reinterpret_cast<decltype(&::name)>(::fltkhost::lateSymbol(library, #name)))
#define QUINTOZ_LATE_TABLE(Table, soname, LIST)                                    \
  struct Table {                                                                   \
    LIST(QUINTOZ_LATE_MEMBER)                                                      \
    static const Table* get() { return ::fltkhost::loadLateTable<Table>(soname); } \
    bool fill(void* library) { return true LIST(QUINTOZ_LATE_FILL); }              \
  };
