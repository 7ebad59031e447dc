#include "chunk_codes.h"

#include <gtest/gtest.h>

using vemro::client::chunkCodes;
using Codes = std::vector<std::string>;

TEST(ChunkCodes, SplitAtEveryCommaKeepingEmptyCodes) {
  EXPECT_EQ(chunkCodes(""), Codes{});
  EXPECT_EQ(chunkCodes("A"), Codes{"A"});
  EXPECT_EQ(chunkCodes("X1,X2,X3"), (Codes{"X1", "X2", "X3"}));
  EXPECT_EQ(chunkCodes(",B"), (Codes{"", "B"}));
  EXPECT_EQ(chunkCodes("A,,B"), (Codes{"A", "", "B"}));
  EXPECT_EQ(chunkCodes("A,"), (Codes{"A", ""}));
}
