// UTF-8 text helpers: validity, and cutting on a whole character, into a
// fixed slot or for an error message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vemro::engine {

bool isValidUtf8(std::string_view text);

// Copies as much of text as fits in slotSize - 1 bytes without splitting
// a character, then a NUL. The slot must be zero-filled beforehand.
void copyTextToSlot(std::string_view text, char *slot, size_t slotSize);

// Text as a terminal may show it: control bytes, which it would act on,
// and bytes that are no whole UTF-8 character, as \xNN.
std::string escapedText(std::string_view text);

// A field as an error message quotes it: whole up to 40 bytes, else its
// first 40 bytes (cut on a whole character) and "...", escaped.
std::string excerptOf(std::string_view text);

}  // namespace vemro::engine
