#include "hosts/win32/input_box.h"

#include <cstdint>
#include <vector>

#include "hosts/core/dialog_text.h"
#include "hosts/win32/wide_text.h"

namespace win32 {

namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

// The class atoms a dialog template may name instead of a class string.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

// Builds a dialog template in memory, word by word, in the layout DialogBoxIndirect reads: the
// header, then each item aligned on a four-byte boundary. Texts are left empty here and set when
// the dialog starts, so that no length limit of the template applies to them.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, const wchar_t* fontFace, WORD points) {
    addDword(style);
    addDword(0);  // extended style
    addWord(0);   // item count, filled in by each addItem
    addWord(0);   // x
    addWord(0);   // y
    addWord(static_cast<WORD>(cx));
    addWord(static_cast<WORD>(cy));
    addWord(0);  // no menu
    addWord(0);  // the predefined dialog class
    addWord(0);  // no title yet
    addWord(points);
    addString(fontFace);
  }

  void addItem(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom) {
    align();
    addDword(style | WS_CHILD | WS_VISIBLE);
    addDword(0);  // extended style
    addWord(static_cast<WORD>(x));
    addWord(static_cast<WORD>(y));
    addWord(static_cast<WORD>(cx));
    addWord(static_cast<WORD>(cy));
    addWord(id);
    addWord(0xFFFF);
    addWord(classAtom);
    addWord(0);  // no text
    addWord(0);  // no creation data
    ++words_[4];
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void addWord(WORD w) { words_.push_back(w); }
  void addDword(DWORD d) {
    addWord(LOWORD(d));
    addWord(HIWORD(d));
  }
  void addString(const wchar_t* s) {
    for (; *s != L'\0'; ++s) addWord(static_cast<WORD>(*s));
    addWord(0);
  }
  void align() {
    if (words_.size() % 2 != 0) addWord(0);
  }

  std::vector<WORD> words_;
};

struct InputBoxState {
  std::wstring prompt;
  std::wstring title;
  std::wstring text;
};

INT_PTR CALLBACK inputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<InputBoxState*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SetWindowTextW(dialog, state->title.c_str());
      SetDlgItemTextW(dialog, kPromptId, state->prompt.c_str());
      SetDlgItemTextW(dialog, IDOK, L"OK");
      SetDlgItemTextW(dialog, IDCANCEL, L"Cancel");
      HWND edit = GetDlgItem(dialog, kEditId);
      SetWindowTextW(edit, state->text.c_str());
      SendMessageW(edit, EM_SETSEL, 0, -1);
      SetFocus(edit);
      SetForegroundWindow(dialog);
      return FALSE;  // the focus has been set here
    }
    case WM_COMMAND: {
      auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
      const WORD id = LOWORD(wParam);
      if (id == IDOK) {
        HWND edit = GetDlgItem(dialog, kEditId);
        std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        typed.resize(static_cast<std::size_t>(
            GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
        state->text = std::move(typed);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL) {  // also sent for Escape and for the close box
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

std::string showInputBox(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& defaultText) {
  // Sizes in dialog units: the prompt on the left with the buttons beside it, the edit field
  // across the bottom.
  DialogTemplate dialog(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        240, 84, L"MS Shell Dlg", 8);
  dialog.addItem(SS_LEFT | SS_NOPREFIX, 7, 7, 170, 48, kPromptId, kStaticAtom);
  dialog.addItem(BS_DEFPUSHBUTTON | WS_TABSTOP, 183, 7, 50, 14, IDOK, kButtonAtom);
  dialog.addItem(BS_PUSHBUTTON | WS_TABSTOP, 183, 25, 50, 14, IDCANCEL, kButtonAtom);
  dialog.addItem(ES_AUTOHSCROLL | ES_LEFT | WS_BORDER | WS_TABSTOP, 7, 62, 226, 14, kEditId,
                 kEditAtom);

  InputBoxState state{wideText(windowcore::withLineBreaks(prompt, "\r\n")), wideText(title),
                      wideText(defaultText)};
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner,
                                                 inputBoxProc, reinterpret_cast<LPARAM>(&state));
  return result == IDOK ? narrowText(state.text) : std::string();
}

}  // namespace win32
