// Data chunks: the binary answer is checked whole, then handed out one
// series per call.
#include <cmath>

#include "client_fixture.h"
#include "period_run.h"
#include "statuses.h"

namespace status = vemro::client::status;
using nlohmann::json;

namespace {
constexpr int first = 20000131, last = 20000430, monthly = 40;
// Whatever the calendar counts between them: the client must agree.
const int count = vemro::engine::periodCount(first, last, monthly);
}  // namespace

TEST_F(ClientTest, DataOfAChunkInOrderFromOneRequest) {
  openDatabase();
  ASSERT_GT(count, 1);
  std::vector<double> a(count), na(count, NAN), c(count);
  for (int i = 0; i < count; ++i) a[i] = i + 0.5, c[i] = -i;
  service.on("/v1/data", dataAnswer(dataBody({0, 2, 0}, {a, na, c}), count));
  std::vector<double> out(count, -1);
  ASSERT_EQ(client.data("A,X,C", first, last, monthly, out.data()), status::ok);
  EXPECT_EQ(out, a);
  EXPECT_EQ(client.data(nullptr, first, last, monthly, out.data()), 2);
  EXPECT_EQ(out, a) << "a failed series writes nothing";
  EXPECT_EQ(client.data(nullptr, first, last + 1, monthly, out.data()), status::noPendingChunk);
  ASSERT_EQ(client.data(nullptr, first, last, monthly, out.data()), status::ok);
  EXPECT_EQ(out, c);
  EXPECT_EQ(client.data(nullptr, first, last, monthly, out.data()), status::noPendingChunk);
  EXPECT_EQ(service.countOf("/v1/data"), 1u);

  json sent = json::parse(service.requests().back().body);
  EXPECT_EQ(sent["first"], first);
  EXPECT_EQ(sent["last"], last);
  EXPECT_EQ(sent["frequency"], monthly);
  EXPECT_EQ(sent["codes"], json({"A", "X", "C"}));
}

TEST_F(ClientTest, DataAnswersOfTheWrongSizeOrShapeWriteNothing) {
  openDatabase();
  std::vector<double> a(count, 1.25);
  std::string good = dataBody({0, 0}, {a, a});
  struct Case {
    std::string body;
    int announced;
  };
  const std::vector<Case> cases = {
      {good.substr(0, good.size() - 1), count},  // cut one byte short
      {good + "x", count},                       // one byte too many
      {good.substr(0, 8), count},                // statuses only
      {good, count + 1},                         // another count than ours
      {dataBody({0, 0}, {std::vector<double>(count + 1), std::vector<double>(count - 1)}),
       count + 1},
      {dataBody({0, 7}, {a, a}), count},  // a status the engine never gives
      {"", count}};
  for (const auto &bad : cases) {
    service.on("/v1/data", dataAnswer(bad.body, bad.announced));
    std::vector<double> out(count, -1);
    EXPECT_EQ(client.data("A,B", first, last, monthly, out.data()), status::malformedAnswer);
    EXPECT_EQ(out, std::vector<double>(count, -1));
    EXPECT_EQ(client.data(nullptr, first, last, monthly, out.data()), status::noPendingChunk);
  }
  service.on("/v1/data", answerWith(200, good, "application/octet-stream"));
  std::vector<double> out(count, -1);
  EXPECT_EQ(client.data("A,B", first, last, monthly, out.data()), status::malformedAnswer)
      << "an answer without its observation count is refused";
}

TEST_F(ClientTest, RefusalOfASmallDataRequestKeepsItsMeaning) {
  openDatabase();
  std::vector<double> out(1);
  service.on("/v1/data",
             answerWith(401, R"({"error": "not authenticated: token refused", "status": 401})"));
  EXPECT_EQ(client.data("A", 2020, 2020, 10, out.data()), status::notAuthenticated)
      << "an error text longer than the 12 bytes of the data answer";
  service.on("/v1/data", answerWith(404, R"({"error": "database unknown", "status": 404})"));
  EXPECT_EQ(client.data("A", 2020, 2020, 10, out.data()), status::noDatabase);
}
