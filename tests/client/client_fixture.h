// A fresh client (not the library's process-wide one) pointed at a fresh
// canned service, and builders of the service's answers.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "canned_service.h"
#include "direct_client.h"

inline nlohmann::json seriesEntry(const std::string &code, int frequency = 40) {
  return {{"status", 0},
          {"code", code},
          {"firstPeriod", 20000131},
          {"lastPeriod", 20001231},
          {"attrA", 12},
          {"frequency", frequency},
          {"attrB", 1},
          {"attrC", 2},
          {"attrD", 3},
          {"attrE", 4},
          {"attrF", 1},
          {"textA", "units"},
          {"textB", "b"},
          {"textC", "c"},
          {"textD", "title of " + code},
          {"textE", "e"},
          {"textF", "source"}};
}

// A data answer body: the statuses, then each code's block of values.
inline std::string dataBody(const std::vector<int32_t> &statuses,
                            const std::vector<std::vector<double>> &blocks) {
  std::string body;
  for (int32_t s : statuses) body.append(reinterpret_cast<const char *>(&s), 4);
  for (const auto &block : blocks)
    body.append(reinterpret_cast<const char *>(block.data()), 8 * block.size());
  return body;
}

inline CannedService::Handler dataAnswer(const std::string &body, int observations) {
  return [body, observations](const httplib::Request &, httplib::Response &response) {
    response.set_header("X-Vemro-Observations", std::to_string(observations));
    response.set_content(body, "application/octet-stream");
  };
}

class ClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("VEMRO_SERVICE", service.url().c_str(), 1);
    unsetenv("VEMRO_CA_FILE");
    service.on("/v1/open", answerWith(200, R"({"db": "db", "series": 3})"));
  }
  void openDatabase() { ASSERT_EQ(client.open("db"), 0); }
  void answerInfo(const std::vector<nlohmann::json> &entries) {
    service.on("/v1/info", answerWith(200, nlohmann::json{{"series", entries}}.dump()));
  }

  CannedService service;
  vemro::client::DirectClient client;
};
