#include "hosts/win32/accessible_window.h"

#include <cmath>
#include <new>

#include "hosts/win32/accessible_com.h"
#include "hosts/win32/user_language.h"
#include "hosts/win32/wide_text.h"
#include "ui/accessible_words.h"

namespace win32 {

namespace {

// Posted by the IAccessible object for a client's action; wParam holds the node's id.
constexpr UINT kDefaultActionMessage = WM_APP + 0x41;
constexpr UINT kFocusMessage = WM_APP + 0x42;

// Windows 8 and later: a change of a live region's text. Older systems ignore the event.
constexpr DWORD kLiveRegionChanged = 0x8019;

BSTR bstr(const std::string& utf8) {
  const std::wstring wide = wideText(utf8);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace

// The IAccessible of the client area. Children are simple elements: child n is the tree's
// node n in keyboard order, and child count + 1 is the status line that holds the latest
// announcement. Reference counted as COM requires; it outlives the window when a client still
// holds it, and then answers every call with "disconnected".
class FormAccessible final : public IAccessible {
 public:
  explicit FormAccessible(AccessibleWindow& owner) : owner_(&owner) {}
  void disconnect() { owner_ = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kIidAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: clients of this object use the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    return AccessibleObjectFromWindow(owner_->window(), static_cast<DWORD>(OBJID_WINDOW),
                                      IID_IDispatch, reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<LONG>(owner_->tree().nodes.size()) + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    return valid(child) && child.lVal != CHILDID_SELF ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return text(
        child, name,
        [this](const toolkit::AccessibleNode* node) -> std::string {
          if (node == nullptr) return owner_->caption();
          return node->name;
        },
        [this] { return owner_->lastAnnouncement(); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return text(
        child, value,
        [](const toolkit::AccessibleNode* node) -> std::string {
          return node == nullptr ? std::string() : node->value;
        },
        [] { return std::string(); });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return none(out); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    VariantInit(role);
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    if (!valid(child)) return E_INVALIDARG;
    LONG r = ROLE_SYSTEM_CLIENT;
    if (const toolkit::AccessibleNode* node = nodeOf(child)) {
      switch (node->role) {
        case toolkit::AccessibleRole::Button:
          r = ROLE_SYSTEM_PUSHBUTTON;
          break;
        case toolkit::AccessibleRole::CheckBox:
          r = ROLE_SYSTEM_CHECKBUTTON;
          break;
        case toolkit::AccessibleRole::Text:
          r = ROLE_SYSTEM_STATICTEXT;
          break;
        case toolkit::AccessibleRole::Group:
          r = ROLE_SYSTEM_GROUPING;
          break;
      }
    } else if (isStatus(child)) {
      r = ROLE_SYSTEM_STATUSBAR;
    }
    *role = childVariant(r);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    VariantInit(state);
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    if (!valid(child)) return E_INVALIDARG;
    LONG s = 0;
    const bool windowFocused = GetFocus() == owner_->window();
    if (const toolkit::AccessibleNode* node = nodeOf(child)) {
      const bool actionable = node->role == toolkit::AccessibleRole::Button ||
                              node->role == toolkit::AccessibleRole::CheckBox;
      if (actionable) s |= STATE_SYSTEM_FOCUSABLE;
      if (node->focused && windowFocused) s |= STATE_SYSTEM_FOCUSED;
      if (node->checked) s |= STATE_SYSTEM_CHECKED;
      if (node->role == toolkit::AccessibleRole::Text) s |= STATE_SYSTEM_READONLY;
    } else if (isStatus(child)) {
      s = STATE_SYSTEM_READONLY | STATE_SYSTEM_INVISIBLE;
    } else {
      s = STATE_SYSTEM_FOCUSABLE | (windowFocused ? STATE_SYSTEM_FOCUSED : 0);
    }
    *state = childVariant(s);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return none(out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file != nullptr) *file = nullptr;
    if (topic != nullptr) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
    return none(out);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    VariantInit(focus);
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    if (GetFocus() != owner_->window()) return S_FALSE;
    *focus = childVariant(CHILDID_SELF);
    const auto& nodes = owner_->tree().nodes;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (nodes[i].focused) *focus = childVariant(static_cast<LONG>(i) + 1);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection != nullptr) VariantInit(selection);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return text(
        child, action,
        [](const toolkit::AccessibleNode* node) -> std::string {
          return node == nullptr ? std::string() : node->defaultAction;
        },
        [] { return std::string(); });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    const toolkit::AccessibleNode* node = nodeOf(child);
    if (node == nullptr || (flags & SELFLAG_TAKEFOCUS) == 0) return E_INVALIDARG;
    PostMessageW(owner_->window(), kFocusMessage, static_cast<WPARAM>(node->id), 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    if (!valid(child)) return E_INVALIDARG;
    RECT client{};
    GetClientRect(owner_->window(), &client);
    toolkit::PixelRect r{0, 0, 0, 0};
    POINT origin{0, 0};
    ClientToScreen(owner_->window(), &origin);
    if (const toolkit::AccessibleNode* node = nodeOf(child)) {
      r = node->bounds;
    } else {
      *left = origin.x;
      *top = origin.y;
      *width = client.right;
      *height = client.bottom;
      return S_OK;
    }
    const double s = owner_->scale();
    const auto device = [s](int v) { return static_cast<long>(std::lround(v * s)); };
    *left = origin.x + device(r.x);
    *top = origin.y + device(r.y);
    *width = device(r.x + r.w) - device(r.x);
    *height = device(r.y + r.h) - device(r.y);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
    if (end != nullptr) VariantInit(end);
    return DISP_E_MEMBERNOTFOUND;
  }
  // The front-most actionable node under the point, else the group, else the client itself.
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (hit == nullptr) return E_POINTER;
    VariantInit(hit);
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    POINT p{x, y};
    ScreenToClient(owner_->window(), &p);
    RECT client{};
    GetClientRect(owner_->window(), &client);
    if (!PtInRect(&client, p)) return S_FALSE;
    const double s = owner_->scale();
    const int lx = static_cast<int>(std::floor(p.x / s));
    const int ly = static_cast<int>(std::floor(p.y / s));
    LONG found = CHILDID_SELF;
    const auto& nodes = owner_->tree().nodes;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (!nodes[i].bounds.contains(lx, ly)) continue;
      const bool group = nodes[i].role == toolkit::AccessibleRole::Group;
      if (!group || found == CHILDID_SELF) found = static_cast<LONG>(i) + 1;
    }
    *hit = childVariant(found);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    const toolkit::AccessibleNode* node = nodeOf(child);
    if (node == nullptr || node->defaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
    PostMessageW(owner_->window(), kDefaultActionMessage, static_cast<WPARAM>(node->id), 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~FormAccessible() = default;

  bool valid(const VARIANT& child) const {
    if (child.vt != VT_I4) return false;
    const LONG count = static_cast<LONG>(owner_->tree().nodes.size()) + 1;
    return child.lVal >= CHILDID_SELF && child.lVal <= count;
  }
  bool isStatus(const VARIANT& child) const {
    return child.vt == VT_I4 && child.lVal == static_cast<LONG>(owner_->tree().nodes.size()) + 1;
  }
  const toolkit::AccessibleNode* nodeOf(const VARIANT& child) const {
    if (owner_ == nullptr || child.vt != VT_I4 || child.lVal < 1) return nullptr;
    const auto& nodes = owner_->tree().nodes;
    const auto i = static_cast<std::size_t>(child.lVal - 1);
    return i < nodes.size() ? &nodes[i] : nullptr;
  }
  static HRESULT none(BSTR* out) {
    if (out != nullptr) *out = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  // A text of the client (node null), of a node, or of the status line; S_FALSE when empty.
  template <typename OfNode, typename OfStatus>
  HRESULT text(const VARIANT& child, BSTR* out, OfNode ofNode, OfStatus ofStatus) const {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (owner_ == nullptr) return CO_E_OBJNOTCONNECTED;
    if (!valid(child)) return E_INVALIDARG;
    const std::string s = isStatus(child) ? ofStatus() : ofNode(nodeOf(child));
    if (s.empty()) return S_FALSE;
    *out = bstr(s);
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
  }

  AccessibleWindow* owner_;  // the window's side; null once the window is gone
  LONG references_ = 1;      // the creator's reference
};

namespace {

// The words a screen reader is told, in the game's language, for the life of the program.
const toolkit::AccessibleWords& translatedWords() {
  static const toolkit::AccessibleWords words = accessibleWords(userCatalogue());
  return words;
}

}  // namespace

AccessibleWindow::AccessibleWindow(toolkit::Form& form)
    : form_(form), tracker_(form, translatedWords()) {
  comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void ReleaseAccessible::operator()(FormAccessible* object) const {
  object->disconnect();
  object->Release();
}

AccessibleWindow::~AccessibleWindow() {
  object_.reset();
  if (comReady_) CoUninitialize();
}

bool AccessibleWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) {
  window_ = window;
  if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    if (tree().nodes.empty()) tracker_.update();
    // A COM object ends itself when its last reference goes (Release), so it is made with new.
    if (object_ == nullptr) object_.reset(new (std::nothrow) FormAccessible(*this));
    if (object_ == nullptr) return false;
    result = LresultFromObject(kIidAccessible, wParam, object_.get());
    return true;
  }
  if (message == kDefaultActionMessage || message == kFocusMessage) {
    const int id = static_cast<int>(wParam);
    if (message == kDefaultActionMessage) {
      toolkit::doDefaultAction(form_, tree(), id);
    } else {
      toolkit::focusAccessible(form_, tree(), id);
    }
    InvalidateRect(window, nullptr, FALSE);
    result = 0;
    return true;
  }
  return false;
}

void AccessibleWindow::update(HWND window, double scale) {
  window_ = window;
  scale_ = scale;
  const toolkit::AccessibleChanges changes = tracker_.update();
  // The status line keeps the latest few sentences, so that a client reading it after a wait
  // (the turn change) still finds the commit that began it.
  constexpr std::size_t kKept = 4;
  for (const std::string& text : changes.announcements) {
    if (sentences_.size() == kKept) sentences_.erase(sentences_.begin());
    sentences_.push_back(text);
  }
  if (!changes.announcements.empty()) {
    announced_.clear();
    for (const std::string& text : sentences_) {
      announced_ += (announced_.empty() ? "" : ". ") + text;
    }
  }
  // Clients that never asked for the object get no events: nothing listens yet.
  if (object_ == nullptr) return;
  const auto& nodes = tree().nodes;
  const auto childOf = [&](int id) -> LONG {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (nodes[i].id == id) return static_cast<LONG>(i) + 1;
    }
    return CHILDID_SELF;
  };
  if (changes.structureChanged) {
    NotifyWinEvent(EVENT_OBJECT_REORDER, window, OBJID_CLIENT, CHILDID_SELF);
  }
  for (int id : changes.renamed) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, childOf(id));
  }
  for (int id : changes.stateChanged) {
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, childOf(id));
  }
  if (changes.focusChanged && tree().focusedId != 0 && GetFocus() == window) {
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, childOf(tree().focusedId));
  }
  if (!changes.announcements.empty()) {
    const LONG status = static_cast<LONG>(nodes.size()) + 1;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, status);
    NotifyWinEvent(kLiveRegionChanged, window, OBJID_CLIENT, status);
  }
}

}  // namespace win32
