#pragma once

#include "toolkit/canvas.h"
#include "toolkit/form.h"

namespace toolkit {

// Called by a front end whenever the window needs drawing: paints the whole form from its
// controls' properties, back to front in stacking order. Changes nothing.
void paintForm(const Form& form, Canvas& canvas);

}  // namespace toolkit
