// An assistive technology in miniature, for the Windows window under Wine: it finds the game's
// window, asks it for its client area's IAccessible (another process, as a screen reader is),
// walks the children and reads their names, roles and states, then rolls and commits a
// category through accDoDefaultAction and sees the names change. The game must have been
// started with one player named "Ada". The words it expects, in the game's language, come on
// standard input (see Words). Prints what it reads; exits 0 when every check holds, 1 with the
// reason when one fails.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "hosts/win32/accessible_com.h"

namespace {

struct Child {
  LONG id = 0;
  std::wstring name;
  LONG role = 0;
  LONG state = 0;
};

std::string narrow(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

VARIANT child(LONG id) {
  return win32::childVariant(id);
}

std::vector<Child> children(IAccessible* acc) {
  std::vector<Child> out;
  LONG count = 0;
  if (FAILED(acc->get_accChildCount(&count))) return out;
  for (LONG i = 1; i <= count; ++i) {
    Child c;
    c.id = i;
    BSTR name = nullptr;
    if (acc->get_accName(child(i), &name) == S_OK && name != nullptr) {
      c.name.assign(name, SysStringLen(name));
      SysFreeString(name);
    }
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(acc->get_accRole(child(i), &v)) && v.vt == VT_I4) c.role = v.lVal;
    VariantInit(&v);
    if (SUCCEEDED(acc->get_accState(child(i), &v)) && v.vt == VT_I4) c.state = v.lVal;
    out.push_back(c);
  }
  return out;
}

const Child* find(const std::vector<Child>& all, LONG role, const std::wregex& pattern) {
  for (const Child& c : all) {
    if (c.role == role && std::regex_match(c.name, pattern)) return &c;
  }
  return nullptr;
}

int count(const std::vector<Child>& all, LONG role, const std::wregex& pattern) {
  int n = 0;
  for (const Child& c : all) n += c.role == role && std::regex_match(c.name, pattern) ? 1 : 0;
  return n;
}

// The status line, the last child: the latest announcements.
std::wstring statusLine(IAccessible* acc) {
  LONG count = 0;
  BSTR told = nullptr;
  if (FAILED(acc->get_accChildCount(&count)) || acc->get_accName(child(count), &told) != S_OK ||
      told == nullptr) {
    return {};
  }
  std::wstring s(told, SysStringLen(told));
  SysFreeString(told);
  return s;
}

[[noreturn]] void fail(const std::string& why, const std::vector<Child>& seen) {
  std::printf("FAILED: %s\n", why.c_str());
  for (const Child& c : seen) {
    std::printf("  %ld role %ld state 0x%lx %s\n", c.id, c.role, c.state, narrow(c.name).c_str());
  }
  std::fflush(stdout);
  ExitProcess(1);
}

// Reads the children again until the probe finds what it waits for, for up to `seconds`.
template <typename Probe>
std::vector<Child> waitFor(IAccessible* acc, const char* what, double seconds, Probe probe) {
  std::vector<Child> all;
  for (int tries = 0; tries < static_cast<int>(seconds * 10); ++tries) {
    all = children(acc);
    if (probe(all)) return all;
    Sleep(100);
  }
  fail(std::string("timed out waiting for ") + what, all);
}

std::wstring wide(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

// A name as a pattern that matches only itself.
std::wstring literal(const std::wstring& name) {
  static const std::wregex special(LR"([\\^$.|?*+()\[\]{}])");
  return std::regex_replace(name, special, L"\\$&");
}

// The words the window should speak, read from standard input in UTF-8, a "key=words" line
// each: "roll3" and "roll2" (the roll button's name, 3 and 2 rolls left), "finishing", "die",
// "held", "rolled", "scored", "subtotal" and "total" (as the announcement says them), "quit",
// "newgame", and "category" once for each of the fourteen score boxes, "Chance" the twelfth.
class Words {
 public:
  Words() {
    char line[512];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
      std::string s(line);
      while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
      const std::size_t equals = s.find('=');
      if (equals == std::string::npos) continue;
      const std::string key = s.substr(0, equals);
      const std::wstring value = wide(s.substr(equals + 1));
      if (key == "category") {
        categories.push_back(value);
      } else {
        words_[key] = value;
      }
    }
    if (categories.size() != 14) fail("the client was not given the fourteen categories", {});
  }
  // The words of key, as a pattern.
  std::wstring operator[](const char* key) const {
    const auto found = words_.find(key);
    if (found == words_.end()) fail(std::string("the client was given no ") + key, {});
    return literal(found->second);
  }
  std::vector<std::wstring> categories;

 private:
  std::map<std::string, std::wstring> words_;
};

}  // namespace

int main() {
  const Words words;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND window = nullptr;
  for (int tries = 0; tries < 600 && window == nullptr; ++tries) {
    window = FindWindowW(L"QuintozWindow", nullptr);
    if (window == nullptr) Sleep(100);
  }
  if (window == nullptr) fail("the game's window did not appear", {});
  IAccessible* acc = nullptr;
  const HRESULT got =
      AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), win32::kIidAccessible,
                                 reinterpret_cast<void**>(&acc));
  if (FAILED(got) || acc == nullptr) {
    fail("AccessibleObjectFromWindow failed: 0x" + std::to_string(static_cast<unsigned>(got)), {});
  }

  const std::wregex rollButton(words["roll3"]);
  std::vector<Child> all = waitFor(acc, "the roll button", 10, [&](const auto& a) {
    return find(a, ROLE_SYSTEM_PUSHBUTTON, rollButton) != nullptr;
  });
  for (const std::wstring& category : words.categories) {
    const Child* box = find(all, ROLE_SYSTEM_CHECKBUTTON, std::wregex(literal(category) + L", 0"));
    if (box == nullptr) fail("no check box named " + narrow(category) + ", 0", all);
    if ((box->state & STATE_SYSTEM_CHECKED) != 0) fail(narrow(category) + " is checked", all);
  }
  for (const char* button : {"quit", "newgame"}) {
    if (find(all, ROLE_SYSTEM_PUSHBUTTON, std::wregex(words[button])) == nullptr) {
      fail("no button named " + narrow(words[button]), all);
    }
  }
  if (find(all, ROLE_SYSTEM_GROUPING, std::wregex(L"Ada")) == nullptr) fail("no card group", all);
  const std::wstring die = words["die"];
  if (count(all, ROLE_SYSTEM_CHECKBUTTON, std::wregex(die + L" .*")) != 0) {
    fail("dice before the first roll", all);
  }
  RECT client{};
  GetClientRect(window, &client);
  long x = 0, y = 0, w = 0, h = 0;
  const Child* roll = find(all, ROLE_SYSTEM_PUSHBUTTON, rollButton);
  if (FAILED(acc->accLocation(&x, &y, &w, &h, child(roll->id))) || w != 337 || h != 33) {
    fail("the roll button is at " + std::to_string(x) + "," + std::to_string(y) + " size " +
             std::to_string(w) + "x" + std::to_string(h) + ", not 337 x 33",
         all);
  }
  VARIANT hit;
  VariantInit(&hit);
  if (acc->accHitTest(x + w / 2, y + h / 2, &hit) != S_OK || hit.vt != VT_I4 ||
      hit.lVal != roll->id) {
    fail("the hit test at the roll button's centre does not find it", all);
  }

  // A roll through the roll button's default action.
  if (FAILED(acc->accDoDefaultAction(child(roll->id)))) fail("the roll's default action", all);
  const std::wregex dice(die + L" [1-5], [1-6]");
  all = waitFor(acc, "five dice and the caption of the first roll", 10, [&](const auto& a) {
    return count(a, ROLE_SYSTEM_CHECKBUTTON, dice) == 5 &&
           find(a, ROLE_SYSTEM_PUSHBUTTON, std::wregex(words["roll2"]));
  });
  std::printf("after the roll:\n");
  for (const Child& c : all) {
    if (c.role == ROLE_SYSTEM_CHECKBUTTON) std::printf("  %s\n", narrow(c.name).c_str());
  }
  // The status line tells what a screen reader announces. The game may have painted again
  // between two reads, so the count and the name are read together.
  const std::wstring toldRoll = statusLine(acc);
  std::printf("announced: %s\n", narrow(toldRoll).c_str());
  if (!std::regex_search(toldRoll, std::wregex(words["rolled"] + L" [1-6](, [1-6]){4}\\. " +
                                               words["roll2"] + L"$"))) {
    fail("the roll was announced as " + narrow(toldRoll), all);
  }

  // Holding die 1, then committing Chance, all through default actions.
  const Child* first = find(all, ROLE_SYSTEM_CHECKBUTTON, std::wregex(die + L" 1, [1-6]"));
  acc->accDoDefaultAction(child(first->id));
  all = waitFor(acc, "die 1 held", 5, [&](const auto& a) {
    const Child* held =
        find(a, ROLE_SYSTEM_CHECKBUTTON, std::wregex(die + L" 1, [1-6], " + words["held"]));
    return held != nullptr && (held->state & STATE_SYSTEM_CHECKED) != 0;
  });
  const std::wstring chanceLabel = literal(words.categories[11]);
  const Child* chance = find(all, ROLE_SYSTEM_CHECKBUTTON, std::wregex(chanceLabel + L", [0-9]+"));
  if (chance == nullptr) fail("no Chance box after the roll", all);
  const std::wstring chanceName = chance->name;
  acc->accDoDefaultAction(child(chance->id));
  all = waitFor(acc, "the next turn with Chance committed", 10, [&](const auto& a) {
    const Child* box = find(a, ROLE_SYSTEM_CHECKBUTTON, std::wregex(literal(chanceName)));
    return box != nullptr && (box->state & STATE_SYSTEM_CHECKED) != 0 &&
           find(a, ROLE_SYSTEM_PUSHBUTTON, rollButton) != nullptr &&
           count(a, ROLE_SYSTEM_CHECKBUTTON, std::wregex(die + L" .*")) == 0;
  });
  const std::wstring toldTurn = statusLine(acc);
  std::printf("committed %s; announced: %s\n", narrow(chanceName).c_str(),
              narrow(toldTurn).c_str());
  const std::wstring score = chanceName.substr(chanceName.find(L", ") + 2);
  const std::wstring totals = L"(, (" + words["subtotal"] + L"|" + words["total"] + L") [0-9]+)*";
  if (!std::regex_search(
          toldTurn, std::wregex(chanceLabel + L" " + words["scored"] + L" " + score + totals +
                                L"\\. " + words["finishing"] + L"\\. " + words["roll3"] + L"$"))) {
    fail("the commit was announced as " + narrow(toldTurn), all);
  }
  acc->Release();
  std::printf("the accessibility client passed\n");
  return 0;
}
