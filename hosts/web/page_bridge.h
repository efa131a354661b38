#pragma once

#include <cstdint>

// The page's side of the browser front end, written in JavaScript (page.js, reached through
// library_quintoz.js). Texts are UTF-8 with their length in bytes; colours are 0xRRGGBB;
// positions and sizes are in the canvas's device pixels, which the window core has scaled.
// The functions marked "suspends" return only after the page has an answer; meanwhile the game
// is paused (Asyncify) and the page goes on running.
extern "C" {

// Drawing on the game's canvas. qz_paint_begin readies the canvas for a whole new picture.
void qz_paint_begin();
void qz_clip_push(int x, int y, int w, int h);
void qz_clip_pop();
void qz_fill(int x, int y, int w, int h, int rgb);
void qz_text(int x, int y, int w, int h, const char* text, int textBytes, const char* families,
             int familiesBytes, int pixels, int bold, int rgb, int align);
int qz_text_width(const char* text, int textBytes, const char* families, int familiesBytes,
                  int pixels, int bold);
// The picture is converted for the page once and then found again by its pixels' address,
// until qz_forget_pictures (the scale changed and those pictures are gone).
void qz_image(int x, int y, int w, int h, const std::uint8_t* rgb);
void qz_forget_pictures();
void qz_focus_rect(int x, int y, int w, int h);
// Called after each paint with the fingerprint of the form painted (window_core.h), which the
// page keeps on the canvas for tests to read.
void qz_mark_painted(const char* text, int textBytes);

// The page around the game. main names the event kinds first (see kEventKinds).
// qz_show_window shows the game's window, w x h layout pixels (hidden until the start-up has
// asked its questions); qz_device_scale is the canvas's device pixels per layout pixel for the
// page's width and the screen's density; qz_size_canvas sizes its backing store;
// qz_window_icon makes the picture the page's icon; qz_tool_tip shows text for the area
// (empty text hides it).
void qz_event_kind(const char* name, int nameBytes, int value);
void qz_show_window(int w, int h);
// Before qz_show_window, the size in layout pixels of each board shape the window core knows
// (windowcore::BoardShape); qz_board_choice is the shape the page lays out now.
void qz_board_shape(int shape, int w, int h);
int qz_board_choice();
double qz_device_scale();
void qz_size_canvas(int w, int h);
void qz_window_icon(int w, int h, const std::uint8_t* rgb);
void qz_tool_tip(const char* text, int textBytes, int x, int y, int w, int h);
void qz_drag_window();
void qz_sound_load(const std::uint8_t* wave, int bytes);
void qz_sound_play();

// Suspends until the next input event and writes it as kEventFields integers (see PageEvent);
// returns its kind.
int qz_next_event(std::int32_t* fields);
// Suspends while the input box is open; returns the answer's length in bytes, which
// qz_take_answer then copies out.
int qz_input_box(const char* prompt, int promptBytes, const char* title, int titleBytes,
                 const char* defaultText, int defaultBytes);
void qz_take_answer(char* out);
// Suspends while the message box is open; returns 0 OK, 1 Yes, 2 No.
int qz_message_box(const char* text, int textBytes, const char* title, int titleBytes, int yesNo,
                   int defaultNo);
// Takes the game away and shows the ended page; suspends for good.
void qz_end();

// The page's storage for the site, which keeps the game in progress (the lines of its record).
// qz_saved_game_bytes is the length of the game kept when the page loaded (0 for none, or for
// one the page could already tell was not this release's or was damaged), which
// qz_take_saved_game copies out; qz_save_game keeps the record, qz_forget_game removes it.
int qz_saved_game_bytes();
void qz_take_saved_game(char* out);
void qz_save_game(const char* text, int textBytes);
void qz_forget_game();
// A real number as the browser writes it: the shortest text that reads back as the same double
// (its length in bytes, at most `capacity`).
int qz_real_text(double value, char* out, int capacity);
// The compiled catalogue of the page's language, as start.js had it (0 bytes for English),
// which qz_take_catalogue copies out.
int qz_catalogue_bytes();
void qz_take_catalogue(std::uint8_t* out);
// The saved game cannot be replayed: the page warns once, forgets it, takes this game away
// without a word to the player and starts a new one; suspends for good.
void qz_replay_failed(const char* why, int whyBytes);
}
