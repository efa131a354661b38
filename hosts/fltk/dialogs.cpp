#include "hosts/fltk/dialogs.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <algorithm>
#include <optional>

#include "hosts/atk/dialog_watcher.h"
#include "hosts/fltk/fltk_canvas.h"
#include "hosts/fltk/prompt_fit.h"
#include "hosts/fltk/text_widgets.h"
#include "hosts/fltk/window_manager.h"
#include "i18n/catalogues.h"
#include "toolkit/scaled_canvas.h"

namespace fltkhost {

namespace {

// A button's word in the player's language. FLTK keeps the label's pointer, so the words live
// as long as the program.
const char* tr(const char* text) {
  static const struct Words {
    std::string ok, cancel, yes, no;
  } words{i18n::systemCatalogue().text("OK"), i18n::systemCatalogue().text("Cancel"),
          i18n::systemCatalogue().text("Yes"), i18n::systemCatalogue().text("No")};
  const std::string_view t(text);
  return (t == "OK"       ? words.ok
          : t == "Cancel" ? words.cancel
          : t == "Yes"    ? words.yes
                          : words.no)
      .c_str();
}

// The dialogs' measures in device pixels: those of the 96-dpi screen times the window's scale.
struct Metrics {
  explicit Metrics(double scale)
      : margin(toolkit::scaledEdge(12, scale)),
        buttonW(toolkit::scaledEdge(80, scale)),
        buttonH(toolkit::scaledEdge(26, scale)),
        gap(toolkit::scaledEdge(8, scale)),
        textPixels(toolkit::scaledEdge(Fonts::kDialogPixels, scale)),
        textTop(toolkit::scaledEdge(18, scale)),
        textGap(toolkit::scaledEdge(14, scale)),
        promptGap(toolkit::scaledEdge(10, scale)),
        inputWidth(toolkit::scaledEdge(380, scale)),
        promptW(inputWidth - 3 * margin - buttonW),
        messageMinWidth(toolkit::scaledEdge(200, scale)) {}
  int margin;
  int buttonW;
  int buttonH;
  int gap;
  int textPixels;
  // A message's top edge and the space between it and the buttons.
  int textTop;
  int textGap;
  // The space between the input box's prompt and its text field.
  int promptGap;
  // The input box's width and that of its prompt area.
  int inputWidth;
  int promptW;
  int messageMinWidth;
};

// The X input method's context for the window shown last, from the moment it is shown: FLTK
// otherwise opens one only when the window manager hands that window the focus, which a
// desktop whose keyboard follows the pointer never does. Closed again with the dialog, so that
// the game window, where nothing is typed, carries none; FLTK then also stops opening the input
// method again, as a test, every time a window goes away.
class InputMethodContext {
 public:
  // X opens an input method in every locale it supports, and FLTK's call would crash without
  // one.
  InputMethodContext() {
    if (XSupportsLocale()) Fl::enable_im();
  }
  ~InputMethodContext() { Fl::disable_im(); }
  InputMethodContext(const InputMethodContext&) = delete;
  InputMethodContext& operator=(const InputMethodContext&) = delete;
};

void measure(const Fonts& fonts, const Metrics& m, const std::string& label, int& w, int& h) {
  fl_font(fonts.dialogFont(), m.textPixels);
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

  // Shows the dialog and handles events until one of its answers hides it. A dialog that takes
  // typing holds an input method context while it is open.
  void runModal(DialogPlacement where, Fl_Widget& initialFocus, bool typed = false) {
    end();
    place(where);
    show();
    initialFocus.take_focus();
    const std::optional<InputMethodContext> typing =
        typed ? std::optional<InputMethodContext>(std::in_place) : std::nullopt;
    if (where.watcher != nullptr) where.watcher->opened(*this, parts());
    while (shown()) Fl::wait();
    if (where.watcher != nullptr) where.watcher->closed(*this);
    // The keyboard goes back to the game window, which a window manager may not do itself.
    if (where.owner != nullptr) askForKeyboard(*where.owner);
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
  // What the dialog shows, for its watcher.
  virtual DialogParts parts() = 0;
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

void styleButton(const Fonts& fonts, const Metrics& m, Fl_Button& button) {
  button.labelfont(fonts.dialogFont());
  button.labelsize(m.textPixels);
}

// The prompt on the left, OK and Cancel on the right, the text field along the bottom.
class InputDialog : public DialogWindow {
 public:
  InputDialog(const Fonts& fonts, const Metrics& m, const std::string& prompt,
              const std::string& title, const std::string& defaultText, int promptH)
      : DialogWindow(m.inputWidth, m.margin + promptH + m.promptGap + m.buttonH + m.margin, title),
        promptText_(prompt),
        prompt_(fonts, m.margin, m.margin, m.promptW, promptH),
        ok_(m.inputWidth - m.margin - m.buttonW, m.margin, m.buttonW, m.buttonH, tr("OK")),
        cancel_(m.inputWidth - m.margin - m.buttonW, m.margin + m.buttonH + m.gap, m.buttonW,
                m.buttonH, tr("Cancel")),
        input_(fonts, m.margin, m.margin + promptH + m.promptGap, m.inputWidth - 2 * m.margin,
               m.buttonH) {
    prompt_.text(prompt);
    prompt_.labelfont(fonts.dialogFont());
    prompt_.labelsize(m.textPixels);
    prompt_.align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_WRAP);
    styleButton(fonts, m, ok_);
    styleButton(fonts, m, cancel_);
    ok_.callback([](Fl_Widget*, void* self) { static_cast<InputDialog*>(self)->accept(); }, this);
    cancel_.callback([](Fl_Widget*, void* self) { static_cast<InputDialog*>(self)->cancel(); },
                     this);
    input_.textfont(fonts.dialogFont());
    input_.textsize(m.textPixels);
    input_.value(defaultText.c_str());
    // Cursor at the end and the mark at the start: the whole default is selected, so typing
    // replaces it.
    input_.position(input_.size(), 0);
  }

  std::string run(DialogPlacement where) {
    runModal(where, input_, true);
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
  DialogParts parts() override { return {label(), promptText_, &input_, {&ok_, &cancel_}}; }

  std::string promptText_;
  TextBox prompt_;
  Fl_Button ok_;
  Fl_Button cancel_;
  TextInput input_;
  std::string answer_;
};

// The text above, the buttons centred in a row below it.
class MessageDialog : public DialogWindow {
 public:
  MessageDialog(const Fonts& fonts, const Metrics& m, const std::string& text,
                const std::string& title, toolkit::MessageButtons buttons, int textW, int textH,
                int width)
      : DialogWindow(width, m.textTop + textH + m.textGap + m.buttonH + m.margin, title),
        yesNo_(buttons == toolkit::MessageButtons::YesNo),
        text_(text),
        message_(fonts, 2 * m.margin, m.textTop, textW, textH),
        first_(0, 0, m.buttonW, m.buttonH, yesNo_ ? tr("Yes") : tr("OK")),
        second_(0, 0, m.buttonW, m.buttonH, tr("No")) {
    message_.text(text);
    message_.labelfont(fonts.dialogFont());
    message_.labelsize(m.textPixels);
    message_.align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
    const int count = yesNo_ ? 2 : 1;
    const int rowW = count * m.buttonW + (count - 1) * m.gap;
    const int rowY = m.textTop + textH + m.textGap;
    first_.position((width - rowW) / 2, rowY);
    second_.position((width - rowW) / 2 + m.buttonW + m.gap, rowY);
    styleButton(fonts, m, first_);
    styleButton(fonts, m, second_);
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
  DialogParts parts() override {
    DialogParts p{label(), text_, nullptr, {&first_}};
    if (yesNo_) p.buttons.push_back(&second_);
    return p;
  }
  bool letterPressed(int key) override {
    if (!yesNo_ || (key != 'y' && key != 'n')) return false;
    answer(key == 'y' ? toolkit::MessageAnswer::Yes : toolkit::MessageAnswer::No);
    return true;
  }

  bool yesNo_;
  std::string text_;
  TextBox message_;
  Fl_Button first_;
  Fl_Button second_;
  toolkit::MessageAnswer answer_ = toolkit::MessageAnswer::Ok;
};

}  // namespace

std::string runInputBox(const Fonts& fonts, DialogPlacement where, const std::string& prompt,
                        const std::string& title, const std::string& defaultText) {
  const Metrics m(where.scale);
  // The prompt area is at least as tall as the two buttons beside it. Only a prompt that might
  // need more is measured: the game's own prompts are short, and measuring loads the fonts,
  // which the start-up's first prompt can do without until it is on screen.
  int promptH = 2 * m.buttonH + m.gap;
  if (!promptFitsUnmeasured(prompt)) {
    int w = m.promptW;
    int h = 0;
    fl_font(fonts.dialogFont(), m.textPixels);
    fl_measure(labelText(prompt).c_str(), w, h, 1);
    promptH = std::max(h, promptH);
  }
  InputDialog dialog(fonts, m, prompt, title, defaultText, promptH);
  return dialog.run(where);
}

toolkit::MessageAnswer runMessageBox(const Fonts& fonts, DialogPlacement where,
                                     const std::string& text, const std::string& title,
                                     toolkit::MessageButtons buttons,
                                     toolkit::MessageAnswer defaultAnswer) {
  const Metrics m(where.scale);
  int textW = 0;
  int textH = 0;
  measure(fonts, m, labelText(text), textW, textH);
  // FLTK measures the characters its font lacks as the boxes it would draw for them.
  const int drawnW = widestFallbackLine(fonts, text, fonts.dialogFont(), m.textPixels);
  if (drawnW >= 0) textW = drawnW;
  const int count = buttons == toolkit::MessageButtons::YesNo ? 2 : 1;
  const int rowW = count * m.buttonW + (count - 1) * m.gap;
  const int width = std::max({textW + 4 * m.margin, rowW + 2 * m.margin, m.messageMinWidth});
  MessageDialog dialog(fonts, m, text, title, buttons, textW, textH, width);
  return dialog.run(where, defaultAnswer);
}

}  // namespace fltkhost
