#include "hosts/win32/input_box.h"

#include "hosts/core/dialog_text.h"
#include "hosts/win32/resource_ids.h"
#include "hosts/win32/user_language.h"
#include "hosts/win32/wide_text.h"

namespace win32 {

namespace {

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
      SetDlgItemTextW(dialog, IDOK, wideText(userCatalogue().text("OK")).c_str());
      SetDlgItemTextW(dialog, IDCANCEL, wideText(userCatalogue().text("Cancel")).c_str());
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
  InputBoxState state{wideText(windowcore::withLineBreaks(prompt, "\r\n")), wideText(title),
                      wideText(defaultText)};
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kInputBoxId),
                                         owner, inputBoxProc, reinterpret_cast<LPARAM>(&state));
  return result == IDOK ? narrowText(state.text) : std::string();
}

}  // namespace win32
