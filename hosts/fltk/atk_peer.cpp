#include "hosts/fltk/atk_peer.h"

#include <algorithm>

// The GObject types behind the peers. GLib registers each type once per process and keeps the
// id in a static of its own making (G_DEFINE_TYPE): that registration is the library's, not
// state of this program.

namespace {

struct QzObject {
  AtkObject parent;
  fltkhost::Peer* peer;  // null once the peer is gone
};
struct QzObjectClass {
  AtkObjectClass parent;
};

fltkhost::Peer* peerOf(gpointer object) {
  return reinterpret_cast<QzObject*>(object)->peer;
}

gchar* copy(const std::string& s) {
  return g_strdup(s.c_str());
}

// ---- AtkObject

const gchar* qzGetName(AtkObject* object) {
  fltkhost::Peer* peer = peerOf(object);
  if (peer == nullptr) return nullptr;
  // ATK wants a string the object keeps: the object's own name field, set again on each ask.
  const std::string name = peer->name();
  if (object->name == nullptr || name != object->name) {
    g_free(object->name);
    object->name = copy(name);
  }
  return object->name;
}

AtkObject* qzGetParent(AtkObject* object) {
  fltkhost::Peer* peer = peerOf(object);
  if (peer == nullptr) return nullptr;
  if (fltkhost::Peer* parent = peer->parent()) return parent->object();
  // Top-level windows belong to the application, which belongs to nothing.
  AtkObject* root = atk_get_root();
  return root == object ? nullptr : root;
}

gint qzGetNChildren(AtkObject* object) {
  fltkhost::Peer* peer = peerOf(object);
  return peer != nullptr ? static_cast<gint>(peer->children().size()) : 0;
}

AtkObject* qzRefChild(AtkObject* object, gint index) {
  fltkhost::Peer* peer = peerOf(object);
  if (peer == nullptr || index < 0) return nullptr;
  const std::vector<fltkhost::Peer*> children = peer->children();
  if (static_cast<std::size_t>(index) >= children.size()) return nullptr;
  return static_cast<AtkObject*>(g_object_ref(children[static_cast<std::size_t>(index)]->object()));
}

gint qzGetIndexInParent(AtkObject* object) {
  fltkhost::Peer* peer = peerOf(object);
  if (peer == nullptr) return -1;
  fltkhost::Peer* parent = peer->parent();
  if (parent == nullptr) {
    // A top-level window is a child of the application root.
    AtkObject* root = atk_get_root();
    if (root == object) return -1;
    const gint n = atk_object_get_n_accessible_children(root);
    for (gint i = 0; i < n; ++i) {
      AtkObject* child = atk_object_ref_accessible_child(root, i);
      const bool same = child == object;
      if (child != nullptr) g_object_unref(child);
      if (same) return i;
    }
    return -1;
  }
  const std::vector<fltkhost::Peer*> siblings = parent->children();
  const auto at = std::find(siblings.begin(), siblings.end(), peer);
  return at == siblings.end() ? -1 : static_cast<gint>(at - siblings.begin());
}

AtkRole qzGetRole(AtkObject* object) {
  fltkhost::Peer* peer = peerOf(object);
  return peer != nullptr ? peer->role() : ATK_ROLE_INVALID;
}

AtkStateSet* qzRefStateSet(AtkObject* object) {
  AtkStateSet* states = atk_state_set_new();
  fltkhost::Peer* peer = peerOf(object);
  if (peer == nullptr) {
    atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
    return states;
  }
  for (AtkStateType s :
       {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_VISIBLE, ATK_STATE_SHOWING}) {
    atk_state_set_add_state(states, s);
  }
  peer->addStates(states);
  return states;
}

AtkAttributeSet* qzGetAttributes(AtkObject* object) {
  fltkhost::Peer* peer = peerOf(object);
  AtkAttributeSet* set = nullptr;
  if (peer == nullptr) return set;
  for (const auto& [key, value] : peer->attributes()) {
    auto* attribute = static_cast<AtkAttribute*>(g_malloc(sizeof(AtkAttribute)));
    attribute->name = copy(key);
    attribute->value = copy(value);
    set = g_slist_append(set, attribute);
  }
  return set;
}

// ---- AtkComponent

void qzGetExtents(AtkComponent* component, gint* x, gint* y, gint* w, gint* h,
                  AtkCoordType coords) {
  fltkhost::Peer* peer = peerOf(component);
  fltkhost::ScreenBox box;
  if (peer != nullptr) {
    box = peer->extents();
    if (coords != ATK_XY_SCREEN) {
      fltkhost::Peer* parent = peer->parent();
      const fltkhost::ScreenBox origin =
          coords == ATK_XY_WINDOW || parent == nullptr ? peer->windowBox() : parent->extents();
      box.x -= origin.x;
      box.y -= origin.y;
    }
  }
  *x = box.x;
  *y = box.y;
  *w = box.w;
  *h = box.h;
}

gboolean qzGrabFocus(AtkComponent* component) {
  fltkhost::Peer* peer = peerOf(component);
  return peer != nullptr && peer->grabFocus();
}

void qzComponentInit(AtkComponentIface* iface) {
  iface->get_extents = qzGetExtents;
  iface->grab_focus = qzGrabFocus;
}

// ---- AtkAction

gboolean qzDoAction(AtkAction* action, gint index) {
  fltkhost::Peer* peer = peerOf(action);
  return peer != nullptr && peer->doAction(index);
}

gint qzGetNActions(AtkAction* action) {
  fltkhost::Peer* peer = peerOf(action);
  return peer != nullptr ? peer->actionCount() : 0;
}

// ATK keeps no copy of an action's name; the names are few and fixed, so each is kept once in
// GLib's table of interned strings.
const gchar* qzActionName(AtkAction* action, gint index) {
  fltkhost::Peer* peer = peerOf(action);
  if (peer == nullptr || index < 0 || index >= peer->actionCount()) return nullptr;
  return g_intern_string(peer->actionName(index).c_str());
}

const gchar* qzActionLocalName(AtkAction* action, gint index) {
  fltkhost::Peer* peer = peerOf(action);
  if (peer == nullptr || index < 0 || index >= peer->actionCount()) return nullptr;
  return g_intern_string(peer->actionLocalName(index).c_str());
}

void qzActionInit(AtkActionIface* iface) {
  iface->do_action = qzDoAction;
  iface->get_n_actions = qzGetNActions;
  iface->get_name = qzActionName;
  iface->get_localized_name = qzActionLocalName;
}

// ---- AtkText

std::string textOf(gpointer object) {
  fltkhost::Peer* peer = peerOf(object);
  return peer != nullptr ? peer->text() : std::string();
}

gchar* qzGetText(AtkText* text, gint start, gint end) {
  const std::string all = textOf(text);
  const std::size_t from = fltkhost::byteOfCharacter(all, std::max(start, 0));
  const std::size_t to = end < 0 ? all.size() : fltkhost::byteOfCharacter(all, end);
  return copy(to > from ? all.substr(from, to - from) : std::string());
}

gint qzGetCharacterCount(AtkText* text) {
  return fltkhost::characterCount(textOf(text));
}

gunichar qzGetCharacterAtOffset(AtkText* text, gint offset) {
  const std::string all = textOf(text);
  if (offset < 0 || offset >= fltkhost::characterCount(all)) return 0;
  return g_utf8_get_char(all.c_str() + fltkhost::byteOfCharacter(all, offset));
}

gint qzGetCaretOffset(AtkText* text) {
  fltkhost::Peer* peer = peerOf(text);
  return peer != nullptr ? peer->caret() : -1;
}

gboolean qzSetCaretOffset(AtkText* text, gint offset) {
  fltkhost::Peer* peer = peerOf(text);
  return peer != nullptr && peer->setCaret(offset);
}

// The text is one paragraph: a character for the character boundary, the whole text (or its
// line) for every other.
gchar* qzGetStringAtOffset(AtkText* text, gint offset, AtkTextGranularity granularity, gint* start,
                           gint* end) {
  const std::string all = textOf(text);
  const int count = fltkhost::characterCount(all);
  offset = std::clamp(offset, 0, count);
  if (granularity == ATK_TEXT_GRANULARITY_CHAR) {
    *start = offset;
    *end = std::min(offset + 1, count);
  } else {
    // Lines end at line breaks.
    const std::size_t at = fltkhost::byteOfCharacter(all, offset);
    const std::size_t lineStart = at == 0 ? 0 : all.rfind('\n', at - 1);
    const std::size_t from = lineStart == std::string::npos || at == 0 ? 0 : lineStart + 1;
    const std::size_t lineEnd = all.find('\n', at);
    const std::size_t to = lineEnd == std::string::npos ? all.size() : lineEnd + 1;
    *start = fltkhost::characterCount(all.substr(0, from));
    *end = fltkhost::characterCount(all.substr(0, to));
  }
  return qzGetText(text, *start, *end);
}

gchar* qzGetTextAtOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start,
                         gint* end) {
  return qzGetStringAtOffset(
      text, offset,
      boundary == ATK_TEXT_BOUNDARY_CHAR ? ATK_TEXT_GRANULARITY_CHAR : ATK_TEXT_GRANULARITY_LINE,
      start, end);
}

void qzGetCharacterExtents(AtkText* text, gint offset, gint* x, gint* y, gint* w, gint* h,
                           AtkCoordType coords) {
  fltkhost::Peer* peer = peerOf(text);
  fltkhost::ScreenBox box;
  if (peer != nullptr) {
    box = peer->characterBox(offset);
    if (coords != ATK_XY_SCREEN) {
      const fltkhost::ScreenBox origin = peer->windowBox();
      box.x -= origin.x;
      box.y -= origin.y;
    }
  }
  *x = box.x;
  *y = box.y;
  *w = box.w;
  *h = box.h;
}

gint qzGetNSelections(AtkText*) {
  return 0;
}

void qzTextInit(AtkTextIface* iface) {
  iface->get_text = qzGetText;
  iface->get_character_count = qzGetCharacterCount;
  iface->get_character_at_offset = qzGetCharacterAtOffset;
  iface->get_caret_offset = qzGetCaretOffset;
  iface->set_caret_offset = qzSetCaretOffset;
  iface->get_text_at_offset = qzGetTextAtOffset;
  iface->get_string_at_offset = qzGetStringAtOffset;
  iface->get_character_extents = qzGetCharacterExtents;
  iface->get_n_selections = qzGetNSelections;
}

// ---- AtkEditableText

void qzSetTextContents(AtkEditableText* text, const gchar* contents) {
  if (fltkhost::Peer* peer = peerOf(text)) {
    peer->replaceText(0, fltkhost::characterCount(peer->text()), contents);
  }
}

void qzInsertText(AtkEditableText* text, const gchar* string, gint length, gint* position) {
  fltkhost::Peer* peer = peerOf(text);
  if (peer == nullptr || string == nullptr || position == nullptr) return;
  const std::string inserted =
      length < 0 ? std::string(string) : std::string(string, static_cast<std::size_t>(length));
  peer->replaceText(*position, *position, inserted);
  *position += fltkhost::characterCount(inserted);
}

void qzDeleteText(AtkEditableText* text, gint start, gint end) {
  if (fltkhost::Peer* peer = peerOf(text)) {
    if (end < 0) end = fltkhost::characterCount(peer->text());
    if (start >= 0 && end >= start) peer->replaceText(start, end, "");
  }
}

void qzEditableTextInit(AtkEditableTextIface* iface) {
  iface->set_text_contents = qzSetTextContents;
  iface->insert_text = qzInsertText;
  iface->delete_text = qzDeleteText;
}

void qzWindowInit(AtkWindowIface*) {}

}  // namespace

extern "C" {

// Each type adds its interfaces to the plain object's; the names are what clients' toolkits
// print when they debug.
G_DEFINE_TYPE_WITH_CODE(QzObject, qz_object, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, qzComponentInit))

static void qz_object_init(QzObject* self) {
  self->peer = nullptr;
}

static void qz_object_class_init(QzObjectClass* klass) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->get_name = qzGetName;
  atk->get_parent = qzGetParent;
  atk->get_n_children = qzGetNChildren;
  atk->ref_child = qzRefChild;
  atk->get_index_in_parent = qzGetIndexInParent;
  atk->get_role = qzGetRole;
  atk->ref_state_set = qzRefStateSet;
  atk->get_attributes = qzGetAttributes;
}

typedef QzObject QzAction;
typedef QzObjectClass QzActionClass;
G_DEFINE_TYPE_WITH_CODE(QzAction, qz_action, qz_object_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, qzActionInit))
static void qz_action_init(QzAction*) {}
static void qz_action_class_init(QzActionClass*) {}

typedef QzObject QzText;
typedef QzObjectClass QzTextClass;
G_DEFINE_TYPE_WITH_CODE(QzText, qz_text, qz_object_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, qzTextInit))
static void qz_text_init(QzText*) {}
static void qz_text_class_init(QzTextClass*) {}

typedef QzObject QzEntry;
typedef QzObjectClass QzEntryClass;
G_DEFINE_TYPE_WITH_CODE(QzEntry, qz_entry, qz_text_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_EDITABLE_TEXT, qzEditableTextInit)
                            G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, qzActionInit))
static void qz_entry_init(QzEntry*) {}
static void qz_entry_class_init(QzEntryClass*) {}

typedef QzObject QzWindow;
typedef QzObjectClass QzWindowClass;
G_DEFINE_TYPE_WITH_CODE(QzWindow, qz_window, qz_object_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_WINDOW, qzWindowInit))
static void qz_window_init(QzWindow*) {}
static void qz_window_class_init(QzWindowClass*) {}

}  // extern "C"

namespace fltkhost {

namespace {

GType typeOf(Peer::Kind kind) {
  switch (kind) {
    case Peer::Kind::Action:
      return qz_action_get_type();
    case Peer::Kind::Text:
      return qz_text_get_type();
    case Peer::Kind::Entry:
      return qz_entry_get_type();
    case Peer::Kind::Window:
      return qz_window_get_type();
    case Peer::Kind::Plain:
      break;
  }
  return qz_object_get_type();
}

}  // namespace

Peer::~Peer() {
  if (object_ == nullptr) return;
  reinterpret_cast<QzObject*>(object_.get())->peer = nullptr;
  atk_object_notify_state_change(object_.get(), ATK_STATE_DEFUNCT, TRUE);
}

AtkObject* Peer::object() {
  if (object_ == nullptr) {
    object_.reset(static_cast<AtkObject*>(g_object_new(typeOf(kind()), nullptr)));
    reinterpret_cast<QzObject*>(object_.get())->peer = this;
    atk_object_initialize(object_.get(), nullptr);
  }
  return object_.get();
}

void Peer::notifyName() {
  if (made()) g_object_notify(G_OBJECT(object_.get()), "accessible-name");
}

void Peer::notifyState(AtkStateType state, bool on) {
  if (made()) atk_object_notify_state_change(object_.get(), state, on ? TRUE : FALSE);
}

void Peer::notifyChildAdded(int index, Peer& child) {
  if (made()) g_signal_emit_by_name(object_.get(), "children-changed::add", index, child.object());
}

void Peer::notifyChildRemoved(int index, Peer& child) {
  if (made() && child.made()) {
    g_signal_emit_by_name(object_.get(), "children-changed::remove", index, child.object());
  }
}

void Peer::notifyTextChanged(const std::string& before, const std::string& after) {
  if (!made() || before == after) return;
  // Only the changed middle is told, so that a screen reader echoes what was typed.
  std::size_t head = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  while (head > 0 && (static_cast<unsigned char>(before[head]) & 0xC0) == 0x80) --head;
  std::size_t tail = 0;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  while (tail > 0 && (static_cast<unsigned char>(before[before.size() - tail]) & 0xC0) == 0x80) {
    --tail;
  }
  const int start = characterCount(before.substr(0, head));
  const std::string removed = before.substr(head, before.size() - tail - head);
  const std::string inserted = after.substr(head, after.size() - tail - head);
  if (!removed.empty()) {
    g_signal_emit_by_name(object_.get(), "text-remove", start, characterCount(removed),
                          removed.c_str());
  }
  if (!inserted.empty()) {
    g_signal_emit_by_name(object_.get(), "text-insert", start, characterCount(inserted),
                          inserted.c_str());
  }
}

void Peer::notifyCaret(int caret) {
  if (made()) g_signal_emit_by_name(object_.get(), "text-caret-moved", caret);
}

void Peer::notifyWindow(const char* signal) {
  if (made()) g_signal_emit_by_name(object_.get(), signal);
}

int characterCount(const std::string& text) {
  return static_cast<int>(g_utf8_strlen(text.c_str(), static_cast<gssize>(text.size())));
}

std::size_t byteOfCharacter(const std::string& text, int offset) {
  std::size_t at = 0;
  for (int i = 0; i < offset && at < text.size(); ++i) {
    at += static_cast<std::size_t>(g_utf8_skip[static_cast<unsigned char>(text[at])]);
  }
  return std::min(at, text.size());
}

}  // namespace fltkhost
