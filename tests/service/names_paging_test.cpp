// Listing a database page by page: every code once, in code order, across
// many pages, through the client and through raw requests.
#include <cstring>
#include <nlohmann/json.hpp>

#include "direct_client.h"
#include "qvbdapi.h"
#include "service_fixture.h"
#include "statuses.h"

namespace {

std::vector<std::string> split(const std::string &page) {
  std::vector<std::string> codes;
  size_t start = 0;
  while (start <= page.size() && !page.empty()) {
    size_t comma = page.find(',', start);
    codes.push_back(page.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return codes;
}

class NamesPaging : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    std::vector<vemro::engine::SeriesRecord> records;
    for (int i = 0; i < 300; ++i) {
      expected.push_back("S" + std::to_string(1000 + i * 7));
      records.push_back(monthly(expected.back(), 202001, {double(i)}));
    }
    root.write("many", records);
    vemro::service::ServiceSettings settings;
    settings.pageBytes = 64;  // about a dozen codes a page
    start(settings);
  }
  std::vector<std::string> expected;  // in code order: same length, rising numbers
};

}  // namespace

TEST_F(NamesPaging, EveryCodeOnceInOrderAcrossPages) {
  vemro::client::DirectClient client;
  std::vector<char> page(QVBD_MAX_PAGE_BYTES);
  std::vector<std::string> listed;
  int pages = 0;
  for (int s = client.names("many", page.data()); s == 0; s = client.names(nullptr, page.data())) {
    ++pages;
    ASSERT_LE(std::strlen(page.data()) + 1, 64u);
    for (const std::string &code : split(page.data())) listed.push_back(code);
    ASSERT_LT(pages, 1000) << "the listing does not end";
  }
  EXPECT_EQ(listed, expected);
  EXPECT_GT(pages, 20);
  EXPECT_EQ(client.names(nullptr, page.data()), vemro::client::status::noMorePages);
}

TEST_F(NamesPaging, AfterAnyCodeOrBetweenCodesGoesOnWithTheNext) {
  httplib::Client http = service->http();
  auto firstOf = [&](const std::string &after) {
    auto answer = http.Get(("/v1/names?db=many&after=" + after).c_str());
    EXPECT_TRUE(answer && answer->status == 200);
    auto body = nlohmann::json::parse(answer->body);
    return split(body["codes"].get<std::string>()).front();
  };
  EXPECT_EQ(firstOf("S1000"), "S1007");
  EXPECT_EQ(firstOf("S1001"), "S1007") << "a code that is not there";
  EXPECT_EQ(firstOf("A"), "S1000");
  auto last = http.Get("/v1/names?db=many&after=S3093");
  ASSERT_TRUE(last);
  EXPECT_EQ(nlohmann::json::parse(last->body), nlohmann::json({{"codes", ""}, {"more", false}}));
}
