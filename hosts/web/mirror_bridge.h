#pragma once

// The page's side of the accessibility mirror (mirror.js, reached through library_mirror.js).
// Texts are UTF-8 with their length in bytes; positions and sizes are in the layout pixels of
// the board the page shows (the window's own, unless a touch screen lays its parts out anew),
// where each control stands and can be tapped. Called only by PageMirror.
extern "C" {

// A whole tree: begin with the board's size and the focused node's id (0 for none), one call
// per node in keyboard order (role: 0 button, 1 check box, 2 text, 3 group), then end, which
// brings the page's elements up to date.
void qz_mirror_begin(int windowWidth, int windowHeight, int focusedId);
void qz_mirror_node(int id, int parentId, int role, const char* name, int nameBytes, int checked,
                    int x, int y, int w, int h);
void qz_mirror_end();
// One sentence for the polite live region.
void qz_announce(const char* text, int textBytes);
}
