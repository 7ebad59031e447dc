// The shipped library through its exported functions, as the bridge calls
// them: credentials as R's .C hands them on, and the process-wide state.
#include <gtest/gtest.h>

#include <cstdlib>

#include "../canned_service.h"
#include "period_run.h"
#include "qvbdapi.h"

TEST(ExportedFunctions, CredentialsArriveAsRCharacterVectors) {
  CannedService service;
  service.on("/v1/token", [](const httplib::Request &request, httplib::Response &response) {
    bool ann = request.body.find("\"user\":\"ann\"") != std::string::npos &&
               request.body.find("\"key\":\"s3cret\"") != std::string::npos;
    response.status = ann ? 200 : 401;
    response.set_content(ann ? R"({"token": "t", "expires": 1})" : R"({"error": "no"})",
                         "application/json");
  });
  service.on("/v1/open", answerWith(200, R"({"db": "db", "series": 0})"));
  setenv("VEMRO_SERVICE", service.url().c_str(), 1);

  char user[] = "ann", key[] = "s3cret", wrong[] = "guess";
  char *userVector[] = {user}, *keyVector[] = {key}, *wrongVector[] = {wrong};
  EXPECT_EQ(QVBDAuthenticate(userVector, wrongVector), 1001);
  ASSERT_EQ(QVBDAuthenticate(userVector, keyVector), 0);
  ASSERT_EQ(QVBDOpenDatabase("db"), 0);
  EXPECT_EQ(service.requests().back().authorization, "Bearer t");
  EXPECT_EQ(QVBDAuthenticate(nullptr, keyVector), 1004);
  EXPECT_EQ(QVBDCloseDatabase(), 0);
}

TEST(ExportedFunctions, SettingsAreValidatedAsTheEngineDoes) {
  int merge = QVBDGetMergeData();
  EXPECT_EQ(QVBDSetMergeData(2), -1);
  EXPECT_EQ(QVBDGetMergeData(), merge);
  EXPECT_EQ(QVBDSetMergeData(3), merge);
  EXPECT_EQ(QVBDSetMergeData(merge), 3);
  EXPECT_EQ(QVBDSetAggregationMode(5), -1);
  EXPECT_EQ(QVBDSetAggregationMode(1), 1);
  EXPECT_EQ(QVBDGetAggregationMode(), 1);
  EXPECT_EQ(QVBDSetAggregationMode(0), 0);
  EXPECT_EQ(QVBDEnableRetries(1), 0);
  EXPECT_EQ(QVBDEnableRetries(0), 1);
}

TEST(ExportedFunctions, ObservationCountsAreTheEngineCalendars) {
  const int cases[][3] = {{1950, 1960, 10},         {19501, 19604, 30},       {195001, 196012, 40},
                          {20200101, 20201231, 60}, {20200101, 20201231, 61}, {1960, 1950, 10},
                          {1950, 1960, 99}};
  for (const auto &c : cases)
    EXPECT_EQ(QVBDGetObsNum(c[0], c[1], c[2]), vemro::engine::periodCount(c[0], c[1], c[2]));
  EXPECT_EQ(QVBDGetObsNum(195001, 196012, 40), 132);
}
