// The text of a code listing, built in place in a buffer that the caller
// owns and keeps for as long as the text is read. The text is always
// NUL-terminated and never runs past the buffer: an addition that would
// not fit is refused and leaves the text as it was.
#ifndef VEMRO_CODES_LISTING_TEXT_H
#define VEMRO_CODES_LISTING_TEXT_H

#include <cstddef>
#include <cstring>

namespace vemro {

class ListingText {
 public:
  // capacity counts the terminating NUL and is at least 1.
  ListingText(char *buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {
    buffer_[0] = '\0';
  }

  const char *text() const { return buffer_; }
  size_t length() const { return length_; }

  // Appends a code with a comma after it; false when the code, the comma
  // and the terminator do not fit.
  bool appendCode(const char *code, size_t length) {
    if (length + 2 > capacity_ - length_) return false;
    std::memcpy(buffer_ + length_, code, length);
    length_ += length;
    buffer_[length_++] = ',';
    buffer_[length_] = '\0';
    return true;
  }

  // The comma after the last appended code becomes the terminator.
  void dropFinalComma() {
    if (length_ > 0 && buffer_[length_ - 1] == ',') buffer_[--length_] = '\0';
  }

  // Pages: the first is written at the start, each next one after a comma.
  // The returned place has room for `pageBytes` bytes, or is null when the
  // buffer has not that much left.
  char *firstPagePlace(size_t pageBytes) { return pageBytes <= capacity_ ? buffer_ : nullptr; }
  char *nextPagePlace(size_t pageBytes) {
    if (pageBytes + 1 > capacity_ - length_) return nullptr;
    buffer_[length_] = ',';
    buffer_[length_ + 1] = '\0';
    return buffer_ + length_ + 1;
  }

  // The page at the last place handed out is kept, or dropped with the
  // comma before it. The first page has no comma before it.
  void keepFirstPage(size_t pageLength) { length_ = pageLength; }
  void keepNextPage(size_t pageLength) { length_ += 1 + pageLength; }
  void dropNextPage() { buffer_[length_] = '\0'; }

 private:
  char *buffer_;
  size_t capacity_;
  size_t length_ = 0;
};

}  // namespace vemro

#endif
