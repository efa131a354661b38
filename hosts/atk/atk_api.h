#pragma once

#include <atk-bridge.h>
#include <atk/atk.h>

#include "hosts/fltk/late_library.h"

// What the screen-reader bridge calls of ATK, its AT-SPI bridge and GLib. Loaded when
// assistive technology turns on (assistive_status.h), never before; the AT-SPI bridge brings
// ATK, GLib and D-Bus with it.
// clang-format off
#define QUINTOZ_ATK_FUNCTIONS(F)                                                            \
  F(atk_bridge_adaptor_init) F(atk_bridge_adaptor_cleanup) F(atk_object_get_type)           \
  F(atk_component_get_type) F(atk_action_get_type) F(atk_text_get_type)                     \
  F(atk_editable_text_get_type) F(atk_window_get_type) F(atk_util_get_type)                 \
  F(atk_object_initialize) F(atk_object_notify_state_change) F(atk_object_add_relationship) \
  F(atk_state_set_new) F(atk_state_set_add_state) F(g_type_register_static)                 \
  F(g_type_from_name) F(g_type_add_interface_static) F(g_type_class_ref) F(g_object_new)    \
  F(g_object_ref) F(g_object_unref) F(g_object_notify) F(g_signal_emit_by_name) F(g_strdup) \
  F(g_free) F(g_intern_string) F(g_main_context_default) F(g_main_context_acquire)          \
  F(g_main_context_release) F(g_main_context_prepare) F(g_main_context_query)               \
  F(g_main_context_check) F(g_main_context_dispatch) F(g_main_context_iteration)
// clang-format on
QUINTOZ_LATE_TABLE(AtkApi, "libatk-bridge-2.0.so.0", QUINTOZ_ATK_FUNCTIONS)

namespace fltkhost {

// Called only once the bridge has loaded the table: its functions.
inline const AtkApi& atk() {
  return *AtkApi::get();
}

}  // namespace fltkhost
