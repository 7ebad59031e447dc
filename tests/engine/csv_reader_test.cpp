// The CSV reader takes its file in blocks of 1 MiB: fields that cross a
// block's end, quoted or plain, come back whole.
#include "csv_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

TEST(CsvReader, FieldsThatCrossBlockEndsComeBackWhole) {
  ScratchFolder folder;
  std::vector<std::vector<std::string>> written;
  std::string text;
  // Records of odd lengths put every kind of field across some block end.
  for (int i = 0; text.size() < 3u << 20; ++i) {
    std::string plain = "p" + std::to_string(i * 7919);
    std::string quoted = "q,\"" + std::string(static_cast<size_t>(i % 37), 'x') + "\n" + plain;
    written.push_back({plain, quoted, std::to_string(i)});
    std::string escaped;
    for (char c : quoted) escaped += c == '"' ? std::string("\"\"") : std::string(1, c);
    text += plain + ",\"" + escaped + "\"," + std::to_string(i) + (i % 3 ? "\n" : "\r\n");
  }
  writeBytes(folder.path("big.csv"), text);
  CsvReader reader(folder.path("big.csv"));
  std::vector<std::string> fields;
  size_t records = 0;
  while (reader.next(fields)) {
    ASSERT_LT(records, written.size());
    ASSERT_EQ(fields, written[records]) << "record " << records;
    ++records;
  }
  EXPECT_EQ(records, written.size());
}

}  // namespace
