// Code listings in a bounded buffer: nothing is cut silently, nothing runs
// past the end.
#include "codes/listing_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vemro::ListingText;

TEST(ListingText, CodesAreJoinedAndTheLastCommaWithdrawn) {
  std::vector<char> buffer(16, 'x');
  ListingText listing(buffer.data(), buffer.size());
  EXPECT_STREQ(listing.text(), "");
  ASSERT_TRUE(listing.appendCode("K1", 2));
  ASSERT_TRUE(listing.appendCode("K22", 3));
  listing.dropFinalComma();
  EXPECT_STREQ(listing.text(), "K1,K22");
  EXPECT_EQ(listing.length(), 6u);
}

TEST(ListingText, ACodeThatDoesNotFitIsRefusedAndTheTextKept) {
  std::vector<char> buffer(8 + 1, 'x');  // one byte of guard after the capacity
  ListingText listing(buffer.data(), 8);
  ASSERT_TRUE(listing.appendCode("ABCD", 4));  // "ABCD," and its NUL: 6 bytes
  EXPECT_FALSE(listing.appendCode("EF", 2));   // would need 9
  ASSERT_TRUE(listing.appendCode("E", 1));     // exactly 8
  EXPECT_FALSE(listing.appendCode("", 0));
  EXPECT_STREQ(listing.text(), "ABCD,E,");
  EXPECT_EQ(buffer[8], 'x');
}

TEST(ListingText, APageIsOnlyPlacedWhereItsWholeBoundFits) {
  std::vector<char> buffer(12, 'x');
  ListingText listing(buffer.data(), buffer.size());
  EXPECT_EQ(listing.firstPagePlace(13), nullptr);
  char *first = listing.firstPagePlace(4);
  ASSERT_EQ(first, buffer.data());
  std::string("P0").copy(first, 2);
  first[2] = '\0';
  listing.keepFirstPage(2);
  char *next = listing.nextPagePlace(4);  // "P0," then 4 bytes: 7 of 12
  ASSERT_EQ(next, buffer.data() + 3);
  std::string("P1").copy(next, 2);
  next[2] = '\0';
  listing.keepNextPage(2);
  EXPECT_EQ(listing.nextPagePlace(7), nullptr);  // "P0,P1," and 7 bytes: 13
  EXPECT_STREQ(listing.text(), "P0,P1");
  ASSERT_NE(listing.nextPagePlace(6), nullptr);
  listing.dropNextPage();
  EXPECT_STREQ(listing.text(), "P0,P1");
  EXPECT_EQ(listing.length(), 5u);
}

}  // namespace
