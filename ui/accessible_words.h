#pragma once

#include "toolkit/accessibility.h"

// The window's words for the accessibility tree: what the dice are called, the words the
// tray shows, what holding one and rolling them say, and what a commit says. Read by the hosts that expose the tree.
const toolkit::AccessibleWords& accessibleWords();
