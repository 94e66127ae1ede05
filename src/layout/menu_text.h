#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts from players' files, made fit for the bitmap fonts: every character the fonts have no glyph for
// (anything but printable ASCII; a UTF-8 sequence counts as one character) shows as "?", and a text longer
// than maxChars ends in "..." within that many characters.
std::string fontSafeText(std::string_view text, std::size_t maxChars);
