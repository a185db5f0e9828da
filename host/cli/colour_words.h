// Colours written as words: the CSS/X11 colour names and #RRGGBB, turned into the number
// the external takes for a colour of one's own, the negated 0x00BBGGRR value. Palette
// indexes stay numbers and never pass through here.
#pragma once

#include <string>

namespace figcli {

// False for a word that names no colour. Names match without regard to case.
bool ColourFromWord(const std::string &word, double *value);

// What a colour may be, for messages.
extern const char *const kColourForms;

}  // namespace figcli
