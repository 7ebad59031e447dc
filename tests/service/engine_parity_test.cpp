// The service answers what the local engine library answers for the same
// database and settings, bit for bit, through the real client.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "direct_client.h"
#include "qvbapi.h"
#include "service_fixture.h"
#include "statuses.h"

namespace {

struct Range {
  int frequency, first, last;
};

// Every frequency the engine knows and one it does not, each over a range
// wider than the example's series so that gaps at both ends are served.
const Range ranges[] = {{10, 1700, 2000},         {30, 17001, 20004},
                        {40, 174901, 200012},     {51, 19480105, 19531231},
                        {57, 19480105, 19531231}, {60, 19480105, 19531231},
                        {61, 19480101, 19531231}, {99, 1700, 2000}};

std::vector<std::string> codesOf(const std::string &file) {
  std::vector<std::string> codes;
  SeriesInfo info;
  for (int s = QVBGetNextVar(file.c_str(), "", &info); s == 0;
       s = QVBGetNextVar(nullptr, info.code, &info))
    codes.push_back(info.code);
  return codes;
}

std::string chunkOf(const std::vector<std::string> &codes) {
  std::string chunk;
  for (const std::string &code : codes) chunk += (chunk.empty() ? "" : ",") + code;
  return chunk;
}

class EngineParity : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    root.write("gaps", {monthly("GAPPY", 202001, {1, na(), 3, 4, 5, 6, na(), na(), na(), 10}),
                        monthly("FIXED", 202001, {1, 2, 3}, 0)});
    start();
    local = (root.path() / "vemro-example.vdb").string();
    codes = codesOf(local);
    ASSERT_EQ(codes.size(), 14u);
    codes.push_back("NOSUCH");  // unknown: status 2 from both
  }
  void TearDown() override { QVBSetAggregationMode(0); }

  // Reads every code through the service and the local library and
  // compares statuses and bytes.
  void compareData(const std::string &name, const std::string &file,
                   const std::vector<std::string> &which, const Range &range) {
    int n = QVBGetObsNum(range.first, range.last, range.frequency);
    std::vector<double> served(std::max(n, 1)), local(std::max(n, 1));  // never a null pointer
    std::string chunk = chunkOf(which);
    for (size_t i = 0; i < which.size(); ++i) {
      int viaService = client.data(i == 0 ? chunk.c_str() : nullptr, range.first, range.last,
                                   range.frequency, served.data());
      int viaEngine = QVBGetData(file.c_str(), which[i].c_str(), range.first, range.last,
                                 range.frequency, local.data());
      ASSERT_EQ(viaService, viaEngine) << name << " " << which[i] << " at " << range.frequency;
      if (viaEngine == 0) {
        EXPECT_EQ(std::memcmp(served.data(), local.data(), 8 * static_cast<size_t>(n)), 0)
            << name << " " << which[i] << " at " << range.frequency;
      }
    }
  }

  vemro::client::DirectClient client;
  std::string local;
  std::vector<std::string> codes;
};

}  // namespace

TEST_F(EngineParity, InformationOfEverySeriesIsTheEnginesRecord) {
  ASSERT_EQ(client.open("vemro-example"), 0);
  std::string chunk = chunkOf(codes);
  for (size_t i = 0; i < codes.size(); ++i) {
    SeriesInfo served, engine;
    std::memset(&served, 0x5a, sizeof served);
    std::memset(&engine, 0x5a, sizeof engine);
    int viaService = client.info(i == 0 ? chunk.c_str() : nullptr, &served);
    ASSERT_EQ(viaService, QVBGetInfo(local.c_str(), codes[i].c_str(), &engine)) << codes[i];
    EXPECT_EQ(std::memcmp(&served, &engine, sizeof served), 0) << codes[i];
  }
  EXPECT_EQ(codes.back(), "NOSUCH");
}

TEST_F(EngineParity, DataOfEverySeriesAtEveryFrequencyInBothModes) {
  ASSERT_EQ(client.open("vemro-example"), 0);
  for (int mode : {0, 1}) {
    ASSERT_EQ(client.setAggregationMode(mode), mode);
    ASSERT_EQ(QVBSetAggregationMode(mode), mode);
    for (const Range &range : ranges) compareData("vemro-example", local, codes, range);
  }
}

TEST_F(EngineParity, StrictAndRelaxedAggregationDifferAsLocally) {
  std::string file = (root.path() / "gaps.vdb").string();
  ASSERT_EQ(client.open("gaps"), 0);
  const Range quarters{30, 20201, 20204};
  std::vector<double> strict(4), relaxed(4);
  ASSERT_EQ(client.setAggregationMode(0), 0);
  ASSERT_EQ(client.data("GAPPY", quarters.first, quarters.last, 30, strict.data()), 0);
  ASSERT_EQ(client.setAggregationMode(1), 1);
  ASSERT_EQ(client.data("GAPPY", quarters.first, quarters.last, 30, relaxed.data()), 0);
  EXPECT_TRUE(std::isnan(strict[0])) << "a quarter with a missing month is missing when strict";
  EXPECT_DOUBLE_EQ(relaxed[0], 2.0) << "relaxed: the average of the months that are there";
  EXPECT_TRUE(std::isnan(relaxed[2])) << "nothing there: missing in both modes";
  for (int mode : {0, 1}) {
    ASSERT_EQ(client.setAggregationMode(mode), mode);
    ASSERT_EQ(QVBSetAggregationMode(mode), mode);
    compareData("gaps", file, {"GAPPY", "FIXED"}, quarters);
  }
}

TEST_F(EngineParity, EngineStatusesPassThrough) {
  std::vector<double> out(16);
  EXPECT_EQ(client.open("nowhere"), vemro::client::status::noDatabase);
  ASSERT_EQ(client.open("gaps"), 0);
  EXPECT_EQ(client.data("NOSUCH", 2020, 2020, 10, out.data()), 2);
  EXPECT_EQ(client.data("FIXED", 2020, 2020, 10, out.data()), 21) << "aggregation forbidden";
  EXPECT_EQ(client.data("GAPPY", 20200101, 20200110, 61, out.data()), 22) << "daily from monthly";
  EXPECT_EQ(client.data("GAPPY", 2020, 2020, 99, out.data()), 23) << "unlisted frequency";
  SeriesInfo info;
  EXPECT_EQ(client.info("NOSUCH", &info), 2);
}
