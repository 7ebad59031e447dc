#include "csv_reader.h"

#include "folder_check.h"
#include "input_error.h"

namespace vemro::engine {

namespace {
constexpr size_t blockBytes = 1 << 20;
}

CsvReader::CsvReader(std::string path)
    : path_(std::move(path)), in_(path_, std::ios::binary), block_(blockBytes) {
  if (isFolder(path_)) throw InputError(path_, 0, "is a folder, not a file");
  if (!in_) throw InputError(path_, 0, "cannot open the file");
  // Spreadsheets start their UTF-8 CSV files with a byte-order mark.
  refill();
  if (size_ >= 3 && block_[0] == '\xEF' && block_[1] == '\xBB' && block_[2] == '\xBF') at_ = 3;
}

bool CsvReader::refill() {
  if (!in_) return false;
  in_.read(block_.data(), static_cast<std::streamsize>(block_.size()));
  size_ = static_cast<size_t>(in_.gcount());
  at_ = 0;
  return size_ > 0;
}

// Takes a quoted field's bytes in runs from the block up to its closing
// quote; a doubled quote stands for one.
bool CsvReader::readQuoted(std::string &field) {
  for (;;) {
    size_t from = at_;
    while (at_ < size_) {
      char c = block_[at_];
      if (c == '"' || c == '\n' || c == '\0') break;
      ++at_;
    }
    field.append(block_.data() + from, at_ - from);
    if (at_ == size_ && refill()) continue;  // the field goes on in the next block
    int c = get();
    if (c == EOF) return false;
    if (c == '\0') throw fieldError("contains a NUL byte");
    if (c == '\n') {
      ++currentLine_;
      field += '\n';
    } else if (peek() == '"') {
      field += static_cast<char>(get());
    } else {
      return true;
    }
  }
}

InputError CsvReader::fieldError(const std::string &problem) const {
  return InputError(path_, recordLine_, "field " + std::to_string(fieldNumber_) + " " + problem);
}

bool CsvReader::next(std::vector<std::string> &fields) {
  if (peek() == EOF) {
    fields.clear();
    return false;
  }
  recordLine_ = currentLine_;
  // The strings of the last record are reused, so that a record of many
  // fields allocates nothing once the first has been read.
  size_t count = 0;
  int stop = ',';
  while (stop == ',') {
    if (count == fields.size()) fields.emplace_back();
    std::string &field = fields[count++];
    fieldNumber_ = count;
    field.clear();
    stop = peek() == '"' ? (get(), readQuotedField(field)) : readPlain(field);
  }
  fields.resize(count);
  return true;
}

int CsvReader::readQuotedField(std::string &field) {
  if (!readQuoted(field)) throw InputError(path_, recordLine_, "unterminated quoted field");
  int c = get();
  if (c == '\r' && peek() == '\n') c = get();
  if (c == '\n') ++currentLine_;
  if (c != ',' && c != '\n' && c != EOF) throw fieldError("has text after its closing quote");
  return c;
}

// Takes the bytes up to the comma or line end that ends the field in runs
// from the block, and returns that comma or line end (EOF at the end).
int CsvReader::readPlain(std::string &field) {
  for (;;) {
    size_t from = at_;
    while (at_ < size_) {
      char c = block_[at_];
      if (c == ',' || c == '\n' || c == '\r' || c == '\0') break;
      ++at_;
    }
    field.append(block_.data() + from, at_ - from);
    if (at_ == size_ && refill()) continue;  // the field goes on in the next block
    int c = get();
    if (c == EOF || c == ',') return c;
    if (c == '\n') {
      ++currentLine_;
      return c;
    }
    if (c == '\0') throw fieldError("contains a NUL byte");
    if (c == '\r') {
      if (peek() == '\n') continue;
      field += '\r';
    }
  }
}

}  // namespace vemro::engine
