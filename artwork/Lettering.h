#pragma once
// The lettering of the title pictures and prompts.

#include <cairo.h>

#include "Canvas.h"
#include "Fonts.h"

namespace artwork {

// Text with a dark outline, a gold-to-white fill and a soft shadow, centred on centre_x.
void HeadlineText(cairo_t* cr, const Font& font, double size, double centre_x, double baseline, const char* text,
                  double outline);
// A light line of text with a dark shadow, centred on centre_x.
void PromptText(cairo_t* cr, double centre_x, double baseline, const char* text);

}  // namespace artwork
