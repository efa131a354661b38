#include "hosts/fltk/dialogs.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>
#include <algorithm>
#include <optional>

#include "hosts/fltk/fltk_canvas.h"
#include "hosts/fltk/prompt_fit.h"
#include "hosts/fltk/text_widgets.h"

namespace fltkhost {

namespace {

constexpr int kMargin = 12;
constexpr int kButtonW = 80;
constexpr int kButtonH = 26;
constexpr int kGap = 8;
constexpr int kTextPixels = Fonts::kDialogPixels;
// A message's top edge and the space between it and the buttons.
constexpr int kTextTop = 18;
constexpr int kTextGap = 14;

// The game writes line breaks as carriage returns; FLTK labels draw "@" as a symbol prefix
// unless it is doubled.
std::string labelText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') {
      out += '\n';
    } else if (c == '@') {
      out += "@@";
    } else {
      out += c;
    }
  }
  return out;
}

void measure(const Fonts& fonts, const std::string& label, int& w, int& h) {
  fl_font(fonts.dialogFont(), kTextPixels);
  w = 0;
  h = 0;
  fl_measure(label.c_str(), w, h, 1);
}

// A modal dialog window. It owns its widgets as members, which FLTK's group also lists as its
// children; each member leaves the group as it is destroyed, before the window itself.
class DialogWindow : public Fl_Double_Window {
 public:
  DialogWindow(int w, int h, const std::string& title) : Fl_Double_Window(w, h), title_(title) {
    label(title_.c_str());
    set_modal();
    callback([](Fl_Widget*, void* self) { static_cast<DialogWindow*>(self)->closeRequested(); },
             this);
  }

  // Shows the dialog and handles events until one of its answers hides it.
  void runModal(DialogPlacement where, Fl_Widget& initialFocus) {
    end();
    place(where);
    show();
    initialFocus.take_focus();
    while (shown()) Fl::wait();
  }

  int handle(int event) override {
    if (event == FL_KEYBOARD) {
      const int key = Fl::event_key();
      if (key == FL_Enter || key == FL_KP_Enter) {
        enterPressed();
        return 1;
      }
      if (key == FL_Escape) {
        // Escape counts as closing, never as FLTK's default of calling the window callback
        // behind the dialog's back.
        closeRequested();
        return 1;
      }
      if (letterPressed(key)) return 1;
    }
    return Fl_Double_Window::handle(event);
  }

 protected:
  virtual void enterPressed() = 0;
  virtual void closeRequested() = 0;
  virtual bool letterPressed(int /*key*/) { return false; }

 private:
  void place(DialogPlacement where) {
    int cx = 0;
    int cy = 0;
    if (where.owner != nullptr && where.owner->shown()) {
      cx = where.owner->x() + where.owner->w() / 2;
      cy = where.owner->y() + where.owner->h() / 2;
    } else {
      int sx = 0, sy = 0, sw = 0, sh = 0;
      Fl::screen_work_area(sx, sy, sw, sh);
      cx = sx + sw / 2;
      cy = sy + sh / 2;
    }
    position(std::max(0, cx - w() / 2), std::max(0, cy - h() / 2));
  }

  std::string title_;
};

void styleButton(const Fonts& fonts, Fl_Button& button) {
  button.labelfont(fonts.dialogFont());
  button.labelsize(kTextPixels);
}

// The prompt on the left, OK and Cancel on the right, the text field along the bottom.
class InputDialog : public DialogWindow {
 public:
  static constexpr int kWidth = 380;
  static constexpr int kPromptW = kWidth - 3 * kMargin - kButtonW;

  InputDialog(const Fonts& fonts, const std::string& prompt, const std::string& title,
              const std::string& defaultText, int promptH)
      : DialogWindow(kWidth, kMargin + promptH + 10 + kButtonH + kMargin, title),
        prompt_(fonts, kMargin, kMargin, kPromptW, promptH),
        ok_(kWidth - kMargin - kButtonW, kMargin, kButtonW, kButtonH, "OK"),
        cancel_(kWidth - kMargin - kButtonW, kMargin + kButtonH + kGap, kButtonW, kButtonH,
                "Cancel"),
        input_(fonts, kMargin, kMargin + promptH + 10, kWidth - 2 * kMargin, kButtonH) {
    prompt_.text(prompt);
    prompt_.labelfont(fonts.dialogFont());
    prompt_.labelsize(kTextPixels);
    prompt_.align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_WRAP);
    styleButton(fonts, ok_);
    styleButton(fonts, cancel_);
    ok_.callback([](Fl_Widget*, void* self) { static_cast<InputDialog*>(self)->accept(); }, this);
    cancel_.callback([](Fl_Widget*, void* self) { static_cast<InputDialog*>(self)->cancel(); },
                     this);
    input_.textfont(fonts.dialogFont());
    input_.textsize(kTextPixels);
    input_.value(defaultText.c_str());
    // Cursor at the end and the mark at the start: the whole default is selected, so typing
    // replaces it.
    input_.position(input_.size(), 0);
  }

  std::string run(DialogPlacement where) {
    runModal(where, input_);
    return answer_;
  }

 private:
  void accept() {
    answer_ = input_.value();
    hide();
  }
  void cancel() {
    answer_.clear();
    hide();
  }
  void enterPressed() override {
    if (Fl::focus() == &cancel_) {
      cancel();
    } else {
      accept();
    }
  }
  void closeRequested() override { cancel(); }

  TextBox prompt_;
  Fl_Button ok_;
  Fl_Button cancel_;
  TextInput input_;
  std::string answer_;
};

// The text above, the buttons centred in a row below it.
class MessageDialog : public DialogWindow {
 public:
  MessageDialog(const Fonts& fonts, const std::string& text, const std::string& title,
                toolkit::MessageButtons buttons, int textW, int textH, int width)
      : DialogWindow(width, kTextTop + textH + kTextGap + kButtonH + kMargin, title),
        yesNo_(buttons == toolkit::MessageButtons::YesNo),
        message_(fonts, 2 * kMargin, kTextTop, textW, textH),
        first_(0, 0, kButtonW, kButtonH, yesNo_ ? "Yes" : "OK"),
        second_(0, 0, kButtonW, kButtonH, "No") {
    message_.text(text);
    message_.labelfont(fonts.dialogFont());
    message_.labelsize(kTextPixels);
    message_.align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
    const int count = yesNo_ ? 2 : 1;
    const int rowW = count * kButtonW + (count - 1) * kGap;
    const int rowY = kTextTop + textH + kTextGap;
    first_.position((width - rowW) / 2, rowY);
    second_.position((width - rowW) / 2 + kButtonW + kGap, rowY);
    styleButton(fonts, first_);
    styleButton(fonts, second_);
    first_.callback([](Fl_Widget*, void* self) { static_cast<MessageDialog*>(self)->pressFirst(); },
                    this);
    second_.callback(
        [](Fl_Widget*, void* self) {
          static_cast<MessageDialog*>(self)->answer(toolkit::MessageAnswer::No);
        },
        this);
    if (!yesNo_) second_.hide();
  }

  toolkit::MessageAnswer run(DialogPlacement where, toolkit::MessageAnswer defaultAnswer) {
    answer_ = yesNo_ ? defaultAnswer : toolkit::MessageAnswer::Ok;
    runModal(where, yesNo_ && defaultAnswer == toolkit::MessageAnswer::No ? second_ : first_);
    return answer_;
  }

 private:
  void answer(toolkit::MessageAnswer a) {
    answer_ = a;
    hide();
  }
  void pressFirst() { answer(yesNo_ ? toolkit::MessageAnswer::Yes : toolkit::MessageAnswer::Ok); }
  void enterPressed() override {
    if (Fl::focus() == &second_) {
      answer(toolkit::MessageAnswer::No);
    } else {
      pressFirst();
    }
  }
  // Only a box with a single answer may be dismissed without choosing.
  void closeRequested() override {
    if (!yesNo_) answer(toolkit::MessageAnswer::Ok);
  }
  bool letterPressed(int key) override {
    if (!yesNo_ || (key != 'y' && key != 'n')) return false;
    answer(key == 'y' ? toolkit::MessageAnswer::Yes : toolkit::MessageAnswer::No);
    return true;
  }

  bool yesNo_;
  TextBox message_;
  Fl_Button first_;
  Fl_Button second_;
  toolkit::MessageAnswer answer_ = toolkit::MessageAnswer::Ok;
};

}  // namespace

std::string runInputBox(const Fonts& fonts, DialogPlacement where, const std::string& prompt,
                        const std::string& title, const std::string& defaultText) {
  // The prompt area is at least as tall as the two buttons beside it. Only a prompt that might
  // need more is measured: the game's own prompts are short, and measuring loads the fonts,
  // which the start-up's first prompt can do without until it is on screen.
  int promptH = 2 * kButtonH + kGap;
  if (!promptFitsUnmeasured(prompt)) {
    int w = InputDialog::kPromptW;
    int h = 0;
    fl_font(fonts.dialogFont(), kTextPixels);
    fl_measure(labelText(prompt).c_str(), w, h, 1);
    promptH = std::max(h, promptH);
  }
  InputDialog dialog(fonts, prompt, title, defaultText, promptH);
  return dialog.run(where);
}

toolkit::MessageAnswer runMessageBox(const Fonts& fonts, DialogPlacement where,
                                     const std::string& text, const std::string& title,
                                     toolkit::MessageButtons buttons,
                                     toolkit::MessageAnswer defaultAnswer) {
  int textW = 0;
  int textH = 0;
  measure(fonts, labelText(text), textW, textH);
  // FLTK measures the characters its font lacks as the boxes it would draw for them.
  const int drawnW = widestFallbackLine(fonts, text, fonts.dialogFont(), kTextPixels);
  if (drawnW >= 0) textW = drawnW;
  const int count = buttons == toolkit::MessageButtons::YesNo ? 2 : 1;
  const int rowW = count * kButtonW + (count - 1) * kGap;
  const int width = std::max({textW + 4 * kMargin, rowW + 2 * kMargin, 200});
  MessageDialog dialog(fonts, text, title, buttons, textW, textH, width);
  return dialog.run(where, defaultAnswer);
}

}  // namespace fltkhost
