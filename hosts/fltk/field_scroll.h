#pragma once

namespace fltkhost {

// Called by the name field as it draws: how far its text is scrolled to the left so that the
// caret shows, moving the old scroll only as far as that needs, keeping a margin on the caret's
// side where the text goes on, and never leaving room after the end of the text.
double scrollFor(double caret, double lineWidth, double fieldWidth, double scroll);

}  // namespace fltkhost
