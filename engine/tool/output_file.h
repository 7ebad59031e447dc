// One file that a command writes whole or not at all. A regular file (or
// a new one) is written beside itself and renamed over the old one by
// keep(), so a command that fails leaves whatever was there before; a
// terminal, a pipe or another special file is written directly.
#pragma once

#include <fstream>
#include <string>

namespace vemro::tool {

class OutputFile {
 public:
  explicit OutputFile(const std::string &path);  // throws naming the path
  ~OutputFile();                                 // without keep(), removes what it wrote
  OutputFile(const OutputFile &) = delete;
  OutputFile &operator=(const OutputFile &) = delete;

  std::ostream &stream() { return out_; }
  // Puts the file in place; throws when it cannot be written whole.
  void keep();

 private:
  std::string path_, written_;  // written_ is path_ itself when written directly
  std::ofstream out_;
  bool kept_ = false;
};

}  // namespace vemro::tool
