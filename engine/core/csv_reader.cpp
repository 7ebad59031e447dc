#include "csv_reader.h"

#include "input_error.h"

namespace vemro::engine {

CsvReader::CsvReader(std::string path) : path_(std::move(path)), in_(path_, std::ios::binary) {
  if (!in_) throw InputError(path_, 0, "cannot open the file");
  // Spreadsheets start their UTF-8 CSV files with a byte-order mark.
  char mark[3] = {};
  in_.read(mark, 3);
  bool hasMark = in_.gcount() == 3 && mark[0] == '\xEF' && mark[1] == '\xBB' && mark[2] == '\xBF';
  in_.clear();
  if (!hasMark) in_.seekg(0);
}

bool CsvReader::readQuoted(std::string &field) {
  for (int c; (c = in_.get()) != EOF;) {
    if (c == '\0') throw InputError(path_, recordLine_, "a field contains a NUL byte");
    if (c == '\n') ++currentLine_;
    if (c != '"') {
      field += static_cast<char>(c);
    } else if (in_.peek() == '"') {
      field += static_cast<char>(in_.get());
    } else {
      return true;
    }
  }
  return false;
}

bool CsvReader::next(std::vector<std::string> &fields) {
  fields.clear();
  if (in_.peek() == EOF) return false;
  recordLine_ = currentLine_;
  std::string field;
  bool quoted = false;
  for (int c; (c = in_.get()) != EOF;) {
    if (c == '\0') throw InputError(path_, recordLine_, "a field contains a NUL byte");
    if (c == '"' && field.empty() && !quoted) {
      if (!readQuoted(field)) throw InputError(path_, recordLine_, "unterminated quoted field");
      quoted = true;
    } else if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
      quoted = false;
    } else if (c == '\n') {
      ++currentLine_;
      break;
    } else if (c == '\r' && in_.peek() == '\n') {
      continue;
    } else if (quoted) {
      throw InputError(path_, recordLine_, "text after a closing quote");
    } else {
      field += static_cast<char>(c);
    }
  }
  fields.push_back(std::move(field));
  return true;
}

}  // namespace vemro::engine
