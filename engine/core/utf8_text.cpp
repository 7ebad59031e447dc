#include "utf8_text.h"

#include <cstdio>
#include <cstring>

namespace vemro::engine {
namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the character a lead byte starts, 0 for a byte that cannot lead.
size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool isWellFormedSequence(const unsigned char *bytes, size_t length) {
  for (size_t i = 1; i < length; ++i) {
    if (!isContinuation(bytes[i])) return false;
  }
  unsigned lead = bytes[0], second = length > 1 ? bytes[1] : 0;
  if (lead == 0xE0 && second < 0xA0) return false;  // overlong
  if (lead == 0xED && second > 0x9F) return false;  // surrogate
  if (lead == 0xF0 && second < 0x90) return false;  // overlong
  if (lead == 0xF4 && second > 0x8F) return false;  // beyond U+10FFFF
  return true;
}

// Bytes of the longest prefix of text, at most limit long, that ends on a
// whole character.
size_t wholeCharacterPrefix(std::string_view text, size_t limit) {
  size_t length = text.size() < limit ? text.size() : limit;
  while (length > 0 && length < text.size() &&
         isContinuation(static_cast<unsigned char>(text[length]))) {
    --length;
  }
  return length;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
  const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
  for (size_t i = 0; i < text.size();) {
    size_t length = sequenceLength(bytes[i]);
    if (length == 0 || i + length > text.size()) return false;
    if (!isWellFormedSequence(bytes + i, length)) return false;
    i += length;
  }
  return true;
}

void copyTextToSlot(std::string_view text, char *slot, size_t slotSize) {
  size_t length = wholeCharacterPrefix(text, slotSize - 1);
  if (length > 0) std::memcpy(slot, text.data(), length);
  slot[length] = '\0';
}

// Control bytes, which a terminal would act on, and bytes that are no
// whole UTF-8 character, which it could not show, as \xNN.
std::string escapedText(std::string_view text) {
  const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
  std::string shown;
  for (size_t i = 0; i < text.size();) {
    size_t length = sequenceLength(bytes[i]);
    bool whole = length > 0 && i + length <= text.size() && isWellFormedSequence(bytes + i, length);
    bool control = length == 1 && (bytes[i] < 0x20 || bytes[i] == 0x7F);
    if (whole && !control) {
      shown.append(text.data() + i, length);
      i += length;
      continue;
    }
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", bytes[i++]);
    shown += escape;
  }
  return shown;
}

std::string excerptOf(std::string_view text) {
  constexpr size_t shownBytes = 40;
  if (text.size() <= shownBytes) return escapedText(text);
  return escapedText(text.substr(0, wholeCharacterPrefix(text, shownBytes))) + "...";
}

}  // namespace vemro::engine
