#include "hosts/atk/atk_peer.h"

#include <algorithm>
#include <string>
#include <utility>

#include "hosts/atk/atk_api.h"
#include "i18n/catalogues.h"
#include "toolkit/utf8.h"

// The GObject types behind the peers: one type for each set of ATK interfaces a peer offers,
// registered with GLib the first time a peer needs it, and every call of every interface
// answered by asking the peer.

namespace fltkhost {

namespace {

struct Instance {
  AtkObject parent;
  Peer* peer;  // null once the peer is gone
};

// The one way from an object to its peer: `answer` with the peer, or `none` once it is gone.
template <typename T, typename Answer>
T ask(gpointer object, T none, Answer answer) {
  Peer* peer = static_cast<Instance*>(object)->peer;
  return peer != nullptr ? static_cast<T>(answer(*peer)) : none;
}

gchar* copy(const std::string& s) {
  // Parenthesised: GLib 2.80 and later also have a macro of this name.
  return (atk().g_strdup)(s.c_str());
}

// ATK wants strings the object keeps: its own name and description fields, set on each ask.
const gchar* kept(gchar*& field, const std::string& value) {
  if (field == nullptr || value != field) {
    atk().g_free(field);
    field = copy(value);
  }
  return field;
}

// A box on the screen made relative to the window or the parent, as a client asks.
void put(const Peer* peer, ScreenBox box, AtkCoordType coords, gint* x, gint* y, gint* w, gint* h) {
  if (peer != nullptr && coords != ATK_XY_SCREEN) {
    const ScreenBox origin = coords == ATK_XY_WINDOW || peer->parent() == nullptr
                                 ? peer->windowBox()
                                 : peer->parent()->extents();
    box.x -= origin.x;
    box.y -= origin.y;
  }
  *x = box.x;
  *y = box.y;
  *w = box.w;
  *h = box.h;
}

void initObjectClass(gpointer klass, gpointer) {
  auto* c = static_cast<AtkObjectClass*>(klass);
  c->get_name = [](AtkObject* o) {
    return ask(o, static_cast<const gchar*>(nullptr),
               [o](Peer& p) { return kept(o->name, p.name()); });
  };
  c->get_description = [](AtkObject* o) {
    return ask(o, static_cast<const gchar*>(nullptr),
               [o](Peer& p) { return kept(o->description, p.description()); });
  };
  // Every object is in the game's language, which a screen reader may choose its voice by.
  c->get_object_locale = [](AtkObject*) -> const gchar* {
    static const std::string locale =
        i18n::systemLanguage().empty() ? std::string("en") : i18n::systemLanguage();
    return locale.c_str();
  };
  c->get_parent = [](AtkObject* o) {
    return ask(o, static_cast<AtkObject*>(nullptr),
               [](Peer& p) { return p.parent() != nullptr ? p.parent()->object() : nullptr; });
  };
  c->get_n_children = [](AtkObject* o) {
    return ask(o, 0, [](Peer& p) { return p.children().size(); });
  };
  c->ref_child = [](AtkObject* o, gint i) {
    return ask(o, static_cast<AtkObject*>(nullptr), [i](Peer& p) -> AtkObject* {
      const std::vector<Peer*> children = p.children();
      if (i < 0 || static_cast<std::size_t>(i) >= children.size()) return nullptr;
      // Parenthesised: GLib's header also has a macro of this name.
      return static_cast<AtkObject*>(
          (atk().g_object_ref)(children[static_cast<std::size_t>(i)]->object()));
    });
  };
  c->get_index_in_parent = [](AtkObject* o) {
    return ask(o, -1, [](Peer& p) {
      if (p.parent() == nullptr) return -1;
      const std::vector<Peer*> siblings = p.parent()->children();
      const auto at = std::find(siblings.begin(), siblings.end(), &p);
      return at == siblings.end() ? -1 : static_cast<int>(at - siblings.begin());
    });
  };
  c->get_role = [](AtkObject* o) {
    return ask(o, ATK_ROLE_INVALID, [](Peer& p) { return p.role(); });
  };
  c->ref_state_set = [](AtkObject* o) {
    AtkStateSet* states = atk().atk_state_set_new();
    const bool gone = ask(o, true, [states](Peer& p) {
      for (AtkStateType s :
           {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_VISIBLE, ATK_STATE_SHOWING}) {
        atk().atk_state_set_add_state(states, s);
      }
      p.addStates(states);
      return false;
    });
    if (gone) atk().atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
    return states;
  };
}

void initComponent(gpointer iface, gpointer) {
  auto* i = static_cast<AtkComponentIface*>(iface);
  i->get_extents = [](AtkComponent* c, gint* x, gint* y, gint* w, gint* h, AtkCoordType coords) {
    const Peer* p = ask(c, static_cast<const Peer*>(nullptr), [](Peer& peer) { return &peer; });
    put(p, p != nullptr ? p->extents() : ScreenBox(), coords, x, y, w, h);
  };
  i->grab_focus = [](AtkComponent* c) {
    return ask(c, FALSE, [](Peer& p) { return p.grabFocus(); });
  };
}

// The names of actions are few and fixed: GLib's table of interned strings keeps each once.
void initAction(gpointer iface, gpointer) {
  auto* i = static_cast<AtkActionIface*>(iface);
  i->do_action = [](AtkAction* a, gint index) {
    return ask(a, FALSE, [index](Peer& p) { return index == 0 && p.doAction(); });
  };
  i->get_n_actions = [](AtkAction* a) {
    return ask(a, 0, [](Peer& p) { return p.actionName().empty() ? 0 : 1; });
  };
  i->get_name = [](AtkAction* a, gint index) {
    return ask(a, static_cast<const gchar*>(nullptr), [index](Peer& p) {
      return index == 0 ? atk().g_intern_string(p.actionName().c_str()) : nullptr;
    });
  };
  i->get_localized_name = [](AtkAction* a, gint index) {
    return ask(a, static_cast<const gchar*>(nullptr), [index](Peer& p) {
      return index == 0 ? atk().g_intern_string(p.actionWord().c_str()) : nullptr;
    });
  };
}

std::string textOf(gpointer object) {
  return ask(object, std::string(), [](Peer& p) { return p.text(); });
}

gchar* textBetween(const std::string& all, gint start, gint end) {
  const std::size_t from = byteOfCharacter(all, std::max(start, 0));
  const std::size_t to = end < 0 ? all.size() : byteOfCharacter(all, end);
  return copy(to > from ? all.substr(from, to - from) : std::string());
}

// The text is one paragraph: a character for the character boundary, its line for any other.
gchar* stringAt(AtkText* t, gint offset, AtkTextGranularity granularity, gint* start, gint* end) {
  const std::string all = textOf(t);
  const int count = characterCount(all);
  offset = std::clamp(offset, 0, count);
  if (granularity == ATK_TEXT_GRANULARITY_CHAR) {
    *start = offset;
    *end = std::min(offset + 1, count);
  } else {
    const std::size_t at = byteOfCharacter(all, offset);
    const std::size_t before = at == 0 ? std::string::npos : all.rfind('\n', at - 1);
    const std::size_t from = before == std::string::npos ? 0 : before + 1;
    const std::size_t after = all.find('\n', at);
    *start = characterCount(all.substr(0, from));
    *end = characterCount(all.substr(0, after == std::string::npos ? all.size() : after + 1));
  }
  return textBetween(all, *start, *end);
}

void initText(gpointer iface, gpointer) {
  auto* i = static_cast<AtkTextIface*>(iface);
  i->get_text = [](AtkText* t, gint start, gint end) { return textBetween(textOf(t), start, end); };
  i->get_character_count = [](AtkText* t) -> gint { return characterCount(textOf(t)); };
  i->get_character_at_offset = [](AtkText* t, gint offset) -> gunichar {
    const std::string all = textOf(t);
    if (offset < 0 || offset >= characterCount(all)) return 0;
    return toolkit::decodeUtf8(std::string_view(all).substr(byteOfCharacter(all, offset)))[0];
  };
  i->get_caret_offset = [](AtkText* t) { return ask(t, -1, [](Peer& p) { return p.caret(); }); };
  i->set_caret_offset = [](AtkText* t, gint offset) {
    return ask(t, FALSE, [offset](Peer& p) { return p.setCaret(offset); });
  };
  i->get_string_at_offset = stringAt;
  i->get_text_at_offset = [](AtkText* t, gint offset, AtkTextBoundary boundary, gint* start,
                             gint* end) {
    return stringAt(
        t, offset,
        boundary == ATK_TEXT_BOUNDARY_CHAR ? ATK_TEXT_GRANULARITY_CHAR : ATK_TEXT_GRANULARITY_LINE,
        start, end);
  };
  i->get_character_extents = [](AtkText* t, gint offset, gint* x, gint* y, gint* w, gint* h,
                                AtkCoordType coords) {
    const Peer* p = ask(t, static_cast<const Peer*>(nullptr), [](Peer& peer) { return &peer; });
    put(p, p != nullptr ? p->characterBox(offset) : ScreenBox(), coords, x, y, w, h);
  };
  // One run without attributes of its own: the whole text, in the field's one font.
  i->get_run_attributes = [](AtkText* t, gint, gint* start, gint* end) -> AtkAttributeSet* {
    *start = 0;
    *end = characterCount(textOf(t));
    return nullptr;
  };
  i->get_n_selections = [](AtkText* t) {
    return ask(t, 0, [](Peer& p) { return p.selection().first != p.selection().second ? 1 : 0; });
  };
  i->get_selection = [](AtkText* t, gint index, gint* start, gint* end) {
    const auto [from, to] = ask(t, std::pair(0, 0), [index](Peer& p) {
      return index == 0 ? p.selection() : std::pair(0, 0);
    });
    *start = from;
    *end = to;
    return textBetween(textOf(t), from, to);
  };
}

void initEditable(gpointer iface, gpointer) {
  auto* i = static_cast<AtkEditableTextIface*>(iface);
  i->set_text_contents = [](AtkEditableText* t, const gchar* contents) {
    ask(t, 0, [contents](Peer& p) {
      p.replaceText(0, characterCount(p.text()), contents);
      return 0;
    });
  };
  i->insert_text = [](AtkEditableText* t, const gchar* string, gint length, gint* position) {
    if (string == nullptr || position == nullptr) return;
    const std::string inserted =
        length < 0 ? std::string(string) : std::string(string, static_cast<std::size_t>(length));
    *position += ask(t, 0, [&](Peer& p) {
      p.replaceText(*position, *position, inserted);
      return characterCount(inserted);
    });
  };
  i->delete_text = [](AtkEditableText* t, gint start, gint end) {
    ask(t, 0, [start, end](Peer& p) {
      const int last = end < 0 ? characterCount(p.text()) : end;
      if (start >= 0 && last >= start) p.replaceText(start, last, "");
      return 0;
    });
  };
}

void initNothing(gpointer, gpointer) {}

// The type for a set of interfaces, registered on first use; its name says the set, for the
// clients' toolkits that print it when they debug.
GType typeFor(unsigned interfaces) {
  struct Offered {
    unsigned bit;
    const char* name;
    GType (*type)();
    GInterfaceInitFunc init;
  };
  const AtkApi& api = atk();
  const Offered offered[] = {
      {0, "Component", api.atk_component_get_type, initComponent},
      {Peer::kAction, "Action", api.atk_action_get_type, initAction},
      {Peer::kText, "Text", api.atk_text_get_type, initText},
      {Peer::kEditable, "Editable", api.atk_editable_text_get_type, initEditable},
      {Peer::kWindow, "Window", api.atk_window_get_type, initNothing}};
  std::string name = "Quintoz";
  for (const Offered& o : offered) {
    if ((interfaces & o.bit) == o.bit) name += o.name;
  }
  if (const GType known = api.g_type_from_name(name.c_str())) return known;
  GTypeInfo info{};
  info.class_size = sizeof(AtkObjectClass);
  info.class_init = initObjectClass;
  info.instance_size = sizeof(Instance);
  const GType type =
      api.g_type_register_static(api.atk_object_get_type(), name.c_str(), &info, GTypeFlags{});
  for (const Offered& o : offered) {
    const GInterfaceInfo implementation{o.init, nullptr, nullptr};
    if ((interfaces & o.bit) == o.bit)
      api.g_type_add_interface_static(type, o.type(), &implementation);
  }
  return type;
}

}  // namespace

Peer::~Peer() {
  if (object_ == nullptr) return;
  reinterpret_cast<Instance*>(object_)->peer = nullptr;
  atk().atk_object_notify_state_change(object_, ATK_STATE_DEFUNCT, TRUE);
  atk().g_object_unref(object_);
}

RetiredObjects::~RetiredObjects() {
  for (AtkObject* object : objects_) atk().g_object_unref(object);
}

void RetiredObjects::keep(Peer& peer) {
  if (peer.object_ == nullptr) return;
  reinterpret_cast<Instance*>(peer.object_)->peer = nullptr;
  objects_.push_back(std::exchange(peer.object_, nullptr));
}

AtkObject* Peer::object() {
  if (object_ == nullptr) {
    object_ = static_cast<AtkObject*>(atk().g_object_new(typeFor(interfaces()), nullptr));
    reinterpret_cast<Instance*>(object_)->peer = this;
    atk().atk_object_initialize(object_, nullptr);
  }
  return object_;
}

void Peer::notifyName() {
  if (made()) atk().g_object_notify(reinterpret_cast<GObject*>(object_), "accessible-name");
}

void Peer::notifyDescription() {
  if (made()) atk().g_object_notify(reinterpret_cast<GObject*>(object_), "accessible-description");
}

void Peer::notifyState(AtkStateType state, bool on) {
  // A focus is told wherever it goes, also to an object no client has asked for yet.
  if (made() || (on && state == ATK_STATE_FOCUSED)) {
    atk().atk_object_notify_state_change(object(), state, on ? TRUE : FALSE);
  }
}

void Peer::notifyChild(bool added, int index, Peer& child) {
  if (made() && (added || child.made())) {
    atk().g_signal_emit_by_name(object_,
                                added ? "children-changed::add" : "children-changed::remove", index,
                                child.object());
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
    atk().g_signal_emit_by_name(object_, "text-remove", start, characterCount(removed),
                                removed.c_str());
  }
  if (!inserted.empty()) {
    atk().g_signal_emit_by_name(object_, "text-insert", start, characterCount(inserted),
                                inserted.c_str());
  }
}

void Peer::notifyCaret(int caret) {
  if (made()) atk().g_signal_emit_by_name(object_, "text-caret-moved", caret);
}

void Peer::notifyWindow(const char* signal) {
  if (made()) atk().g_signal_emit_by_name(object_, signal);
}

void Peer::relate(AtkRelationType relation, AtkRelationType converse, Peer& target) {
  relate(relation, target);
  atk().atk_object_add_relationship(target.object(), converse, object());
}

void Peer::relate(AtkRelationType relation, Peer& target) {
  atk().atk_object_add_relationship(object(), relation, target.object());
}

int characterCount(const std::string& text) {
  int count = 0;
  for (std::size_t at = 0; at < text.size(); at += toolkit::utf8CharacterSize(text, at)) ++count;
  return count;
}

std::size_t byteOfCharacter(const std::string& text, int offset) {
  std::size_t at = 0;
  for (int i = 0; i < offset && at < text.size(); ++i) at += toolkit::utf8CharacterSize(text, at);
  return std::min(at, text.size());
}

}  // namespace fltkhost
