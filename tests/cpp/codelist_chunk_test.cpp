// Code-list chunks: windows, separators, selection and the buffer bound.
#include "seriesinfo/codelist_chunk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/exports.h"

namespace {

constexpr int bufferBytes = 10000;

struct SeriesList {
  std::vector<std::string> codes, databases;
  std::vector<char *> codePointers, databasePointers;

  void add(const std::string &code, const std::string &database) {
    codes.push_back(code);
    databases.push_back(database);
  }
  int count() const { return static_cast<int>(codes.size()); }
  std::string chunk(int start, const char *database, char fill = 'x') {
    codePointers.clear();
    databasePointers.clear();
    for (auto &code : codes) codePointers.push_back(code.data());
    for (auto &name : databases) databasePointers.push_back(name.data());
    buffer.assign(bufferBytes, fill);
    directCodelist(buffer.data(), start, codePointers.data(), databasePointers.data(), database,
                   count());
    return std::string(buffer.data());
  }
  bool zeroAfterText() const {
    size_t end = std::string(buffer.data()).size();
    for (size_t i = end; i < buffer.size(); ++i)
      if (buffer[i] != '\0') return false;
    return true;
  }
  std::vector<char> buffer;
};

SeriesList numbered(int count, const std::string &database) {
  SeriesList list;
  for (int i = 0; i < count; ++i) list.add("C" + std::to_string(i), database);
  return list;
}

TEST(ChunkWindow, CoversAThousandPositionsCutAtTheCount) {
  SeriesList list = numbered(2500, "DB");
  std::string last = list.chunk(2000, "DB");
  EXPECT_EQ(last.rfind("C2000,", 0), 0u);
  EXPECT_EQ(last.substr(last.size() - 6), ",C2499");
  EXPECT_EQ(std::count(last.begin(), last.end(), ',') + 1, 500);

  SeriesList exact = numbered(1000, "DB");
  std::string whole = exact.chunk(0, "DB");
  EXPECT_EQ(std::count(whole.begin(), whole.end(), ',') + 1, 1000);
  EXPECT_EQ(whole.substr(whole.size() - 5), ",C999");

  SeriesList oneMore = numbered(1001, "DB");
  EXPECT_EQ(oneMore.chunk(1000, "DB"), "C1000");
  EXPECT_EQ(oneMore.chunk(0, "DB").find("C1000"), std::string::npos);
}

TEST(ChunkWindow, StartAtOrPastTheCountGivesAnAllZeroBuffer) {
  SeriesList list = numbered(10, "DB");
  EXPECT_EQ(list.chunk(10, "DB"), "");
  EXPECT_TRUE(list.zeroAfterText());
  EXPECT_EQ(list.chunk(5000, "DB"), "");
  EXPECT_TRUE(list.zeroAfterText());
  EXPECT_EQ(list.chunk(-1, "DB"), "");
  EXPECT_TRUE(list.zeroAfterText());
}

TEST(ChunkSelection, ExactByteComparisonOfDatabaseNames) {
  SeriesList list;
  list.add("X1", "DB");
  list.add("Y1", "db");
  list.add("X2", "DB");
  list.add("Z1", "DB ");
  list.add("X3", "DB");
  EXPECT_EQ(list.chunk(0, "DB"), "X1,X2,X3");
  EXPECT_EQ(list.chunk(0, "db"), "Y1");
  EXPECT_EQ(list.chunk(0, "OTHER"), "");
  EXPECT_TRUE(list.zeroAfterText());
}

TEST(ChunkSelection, EmptyCodesGiveEmptyFields) {
  SeriesList list;
  list.add("", "DB");
  list.add("B", "DB");
  EXPECT_EQ(list.chunk(0, "DB"), ",B");
  SeriesList lone;
  lone.add("", "DB");
  EXPECT_EQ(lone.chunk(0, "DB"), "");
}

TEST(ChunkBuffer, ClearedPastTheTextWhateverItHeld) {
  SeriesList list = numbered(3, "DB");
  EXPECT_EQ(list.chunk(0, "DB", '\x7f'), "C0,C1,C2");
  EXPECT_TRUE(list.zeroAfterText());
}

TEST(ChunkBuffer, AWindowThatDoesNotFitEndsBeforeTheFirstCodeThatDoesNot) {
  // 1000 codes of 11 bytes each would need 12,000 bytes.
  SeriesList list;
  for (int i = 0; i < 1000; ++i) list.add("LONGCODE" + std::to_string(100 + i), "DB");
  std::string text = list.chunk(0, "DB");
  EXPECT_LT(text.size(), static_cast<size_t>(bufferBytes));
  EXPECT_EQ(list.buffer[bufferBytes - 1], '\0');
  int fitted = static_cast<int>(std::count(text.begin(), text.end(), ',')) + 1;
  EXPECT_EQ(fitted, bufferBytes / 12);
  EXPECT_EQ(text.substr(text.size() - 11), "LONGCODE" + std::to_string(100 + fitted - 1));

  std::vector<char> buffer(bufferBytes);
  int end = vemro::buildChunk(
      buffer.data(), 0, list.count(), "DB", [&](int i) { return list.codes[i].c_str(); },
      [&](int i) { return list.databases[i].c_str(); });
  EXPECT_EQ(end, fitted);
}

TEST(ChunkBuffer, ExactlyFullWindowFits) {
  // 1000 codes of 9 bytes take 10,000 bytes with separators and NUL.
  SeriesList list;
  for (int i = 0; i < 1000; ++i) list.add("CODE" + std::to_string(10000 + i), "DB");
  std::string text = list.chunk(0, "DB");
  EXPECT_EQ(text.size(), static_cast<size_t>(bufferBytes - 1));
  EXPECT_EQ(text.substr(text.size() - 9), "CODE10999");
}

}  // namespace
