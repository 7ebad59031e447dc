// Information chunks: one request per chunk, answers handed out in chunk
// order, a reopen in the middle keeps the position.
#include "client_fixture.h"
#include "statuses.h"

namespace status = vemro::client::status;
using nlohmann::json;

TEST_F(ClientTest, OneRequestPerChunkAnsweredInChunkOrder) {
  openDatabase();
  answerInfo({seriesEntry("A"), {{"status", 2}}, seriesEntry("B")});
  SeriesInfo record;
  ASSERT_EQ(client.info(",,B", &record), status::ok);
  EXPECT_STREQ(record.code, "A");
  EXPECT_EQ(client.info(nullptr, &record), 2);
  EXPECT_STREQ(record.code, "A") << "a failed series leaves the record alone";
  ASSERT_EQ(client.info(nullptr, &record), status::ok);
  EXPECT_STREQ(record.code, "B");
  EXPECT_STREQ(record.textD, "title of B");
  EXPECT_EQ(int{record.frequency}, 40);
  EXPECT_EQ(client.info(nullptr, &record), status::noPendingChunk);
  EXPECT_EQ(service.countOf("/v1/info"), 1u);

  json sent = json::parse(service.requests().back().body);
  EXPECT_EQ(sent["codes"], json({"", "", "B"}));
  EXPECT_EQ(sent["db"], "db");
}

TEST_F(ClientTest, SettingsTravelWithEachRequest) {
  openDatabase();
  ASSERT_EQ(client.setMergeData(3), 0);
  ASSERT_EQ(client.setAggregationMode(1), 1);
  EXPECT_EQ(client.setMergeData(2), -1);
  EXPECT_EQ(client.setAggregationMode(2), -1);
  answerInfo({seriesEntry("A")});
  SeriesInfo record;
  ASSERT_EQ(client.info("A", &record), status::ok);
  json sent = json::parse(service.requests().back().body);
  EXPECT_EQ(sent["merge"], 3);
  EXPECT_EQ(sent["aggregation"], 1);
}

TEST_F(ClientTest, ReopeningInTheMiddleOfAChunkKeepsItsPosition) {
  openDatabase();
  answerInfo({seriesEntry("A"), seriesEntry("B"), seriesEntry("C")});
  SeriesInfo record;
  ASSERT_EQ(client.info("A,B,C", &record), status::ok);
  ASSERT_EQ(client.open("db"), status::ok);
  ASSERT_EQ(client.info(nullptr, &record), status::ok);
  EXPECT_STREQ(record.code, "B");
  ASSERT_EQ(client.open("other"), status::ok);
  ASSERT_EQ(client.info(nullptr, &record), status::ok);
  EXPECT_STREQ(record.code, "C");
  EXPECT_EQ(service.countOf("/v1/info"), 1u);
}

TEST_F(ClientTest, NoChunkOrNoDatabaseIsRefusedWithoutTraffic) {
  SeriesInfo record;
  EXPECT_EQ(client.info(nullptr, &record), status::noPendingChunk);
  EXPECT_EQ(client.info("A", &record), status::noDatabase);
  openDatabase();
  EXPECT_EQ(client.info("", &record), status::noPendingChunk);
  EXPECT_EQ(client.info("A", nullptr), status::badArgument);
  EXPECT_EQ(service.countOf("/v1/info"), 0u);
}

TEST_F(ClientTest, MalformedInformationAnswersWriteNothing) {
  openDatabase();
  std::string good = json{{"series", {seriesEntry("A"), seriesEntry("B")}}}.dump();
  json longText = seriesEntry("B");
  longText["textB"] = "12345678";  // needs 9 bytes with its NUL; the field has 8
  json missing = seriesEntry("B");
  missing.erase("attrF");
  json badStatus = {{"status", 7}};
  const std::vector<std::string> answers = {good.substr(0, good.size() / 2),
                                            good.substr(0, good.size() - 1),
                                            json{{"series", {seriesEntry("A")}}}.dump(),
                                            json{{"series", {seriesEntry("A"), longText}}}.dump(),
                                            json{{"series", {seriesEntry("A"), missing}}}.dump(),
                                            json{{"series", {seriesEntry("A"), badStatus}}}.dump(),
                                            R"({"series": "A,B"})",
                                            "[]"};
  for (const auto &answer : answers) {
    service.on("/v1/info", answerWith(200, answer));
    SeriesInfo record;
    std::memset(&record, 0x5a, sizeof record);
    EXPECT_EQ(client.info("A,B", &record), status::malformedAnswer) << answer;
    EXPECT_EQ(record.code[0], 0x5a) << answer;
    EXPECT_EQ(client.info(nullptr, &record), status::noPendingChunk) << answer;
  }
}
