#pragma once

#include <glib-object.h>

namespace fltkhost {

// Gives back one GObject reference: a holder with this deleter owns one.
struct GObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};

}  // namespace fltkhost
