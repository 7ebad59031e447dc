// Pages of codes: never more than QVBD_MAX_PAGE_BYTES at the caller's
// place, each page asked for after the last code of the one before.
#include "client_fixture.h"
#include "statuses.h"

namespace status = vemro::client::status;
using nlohmann::json;

namespace {

// The caller's room plus a guard zone that must stay untouched.
struct PageBuffer {
  static constexpr size_t guard = 4096;
  std::vector<char> bytes = std::vector<char>(QVBD_MAX_PAGE_BYTES + guard, '#');
  char *page() { return bytes.data(); }
  bool guardIntact() const {
    for (size_t i = QVBD_MAX_PAGE_BYTES; i < bytes.size(); ++i)
      if (bytes[i] != '#') return false;
    return true;
  }
};

std::string page(const std::string &codes, bool more) {
  return json{{"codes", codes}, {"more", more}}.dump();
}

}  // namespace

TEST_F(ClientTest, PagesFollowEachOtherUntilNoneIsLeft) {
  service.on("/v1/names", [](const httplib::Request &request, httplib::Response &response) {
    std::string after = request.has_param("after") ? request.get_param_value("after") : "";
    if (after.empty())
      response.set_content(page("A,B", true), "application/json");
    else if (after == "B")
      response.set_content(page("C", true), "application/json");
    else
      response.set_content(page("D,E", false), "application/json");
  });
  PageBuffer buffer;
  ASSERT_EQ(client.names("db", buffer.page()), status::ok);
  EXPECT_STREQ(buffer.page(), "A,B");
  ASSERT_EQ(client.names(nullptr, buffer.page()), status::ok);
  EXPECT_STREQ(buffer.page(), "C");
  ASSERT_EQ(client.names(nullptr, buffer.page()), status::ok);
  EXPECT_STREQ(buffer.page(), "D,E");
  EXPECT_EQ(client.names(nullptr, buffer.page()), status::noMorePages);
  EXPECT_EQ(service.countOf("/v1/names"), 3u) << "no request once the service said no more";
  auto requests = service.requests();
  EXPECT_EQ(requests.back().params["after"], "C");
  EXPECT_EQ(requests.back().params["db"], "db");
}

TEST_F(ClientTest, APageFillsTheRoomExactlyButNeverMore) {
  std::string fits(QVBD_MAX_PAGE_BYTES - 1, 'K');
  service.on("/v1/names", answerWith(200, page(fits, true)));
  PageBuffer buffer;
  ASSERT_EQ(client.names("db", buffer.page()), status::ok);
  EXPECT_EQ(std::strlen(buffer.page()), fits.size());
  EXPECT_TRUE(buffer.guardIntact());

  PageBuffer untouched;
  service.on("/v1/names", answerWith(200, page(fits + "K", true)));
  EXPECT_EQ(client.names("db", untouched.page()), status::malformedAnswer);
  EXPECT_EQ(untouched.page()[0], '#');
  EXPECT_TRUE(untouched.guardIntact());
}

TEST_F(ClientTest, AFailedPageIsAskedForAgainAtTheSamePlace) {
  service.on("/v1/names", answerWith(200, page("A,B", true)));
  PageBuffer buffer;
  ASSERT_EQ(client.names("db", buffer.page()), status::ok);
  const std::vector<std::string> broken = {R"({"codes": "C"})", R"({"codes": 5, "more": true})",
                                           R"({"codes": "C", "more": tr)"};
  for (const auto &answer : broken) {
    service.on("/v1/names", answerWith(200, answer));
    EXPECT_EQ(client.names(nullptr, buffer.page()), status::malformedAnswer) << answer;
  }
  service.on("/v1/names", answerWith(200, page("C", false)));
  ASSERT_EQ(client.names(nullptr, buffer.page()), status::ok);
  EXPECT_STREQ(buffer.page(), "C");
  for (const auto &request : service.requests())
    if (request.params.count("after")) {
      EXPECT_EQ(request.params.at("after"), "B");
    }
}

TEST_F(ClientTest, NoPageBeforeAFirstOne) {
  PageBuffer buffer;
  EXPECT_EQ(client.names(nullptr, buffer.page()), status::noMorePages);
  EXPECT_EQ(client.names("db", nullptr), status::badArgument);
  EXPECT_TRUE(service.requests().empty());
}
