// UTF-8 text helpers: validity, and copying into a fixed slot cut on a
// whole character.
#pragma once

#include <cstddef>
#include <string_view>

namespace vemro::engine {

bool isValidUtf8(std::string_view text);

// Copies as much of text as fits in slotSize - 1 bytes without splitting
// a character, then a NUL. The slot must be zero-filled beforehand.
void copyTextToSlot(std::string_view text, char *slot, size_t slotSize);

}  // namespace vemro::engine
