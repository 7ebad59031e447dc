// Reads a CSV file record by record: comma-separated fields, fields in
// double quotes may hold commas, newlines and doubled quotes; LF or CRLF
// line ends; a UTF-8 byte-order mark at the start is skipped. Malformed
// quoting and NUL bytes throw an InputError naming the line.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace vemro::engine {

class InputError;

class CsvReader {
 public:
  explicit CsvReader(std::string path);
  // False at the end of the file.
  bool next(std::vector<std::string> &fields);
  // Line on which the last record read starts.
  long line() const { return recordLine_; }
  const std::string &path() const { return path_; }

 private:
  // The file is read in large blocks; these take one byte at a time from
  // the block in hand.
  int get() { return at_ < size_ || refill() ? static_cast<unsigned char>(block_[at_++]) : EOF; }
  int peek() { return at_ < size_ || refill() ? static_cast<unsigned char>(block_[at_]) : EOF; }
  bool refill();
  bool readQuoted(std::string &field);
  int readQuotedField(std::string &field);
  int readPlain(std::string &field);
  InputError fieldError(const std::string &problem) const;  // names the field

  std::string path_;
  std::ifstream in_;
  std::vector<char> block_;
  size_t at_ = 0, size_ = 0;
  long currentLine_ = 1, recordLine_ = 0;
  size_t fieldNumber_ = 0;  // of the field being read, from 1, for messages
};

}  // namespace vemro::engine
