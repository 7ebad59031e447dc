// A database file replaced while the service runs (as vemro-db import
// does, by rename) is served from its new version at the next request.
#include "direct_client.h"
#include "service_fixture.h"

TEST_F(ServiceTest, ReplacedFileIsPickedUpWithoutARestart) {
  root.write("live", {monthly("A", 202001, {1, 2, 3})});
  start();
  vemro::client::DirectClient client;
  ASSERT_EQ(client.open("live"), 0);
  std::vector<double> values(3);
  ASSERT_EQ(client.data("A", 202001, 202003, 40, values.data()), 0);
  EXPECT_EQ(values, std::vector<double>({1, 2, 3}));
  ASSERT_EQ(client.data("A", 202001, 202003, 40, values.data()), 0);  // handle reused

  root.write("live", {monthly("A", 202001, {7, 8, 9}), monthly("B", 202001, {4})});
  ASSERT_EQ(client.data("A", 202001, 202003, 40, values.data()), 0);
  EXPECT_EQ(values, std::vector<double>({7, 8, 9}));
  ASSERT_EQ(client.data("B", 202001, 202001, 40, values.data()), 0);
  EXPECT_EQ(values[0], 4);
  auto open = service->http().Get("/v1/open?db=live");
  ASSERT_TRUE(open);
  EXPECT_NE(open->body.find("\"series\":2"), std::string::npos) << open->body;

  fs::remove(root.path() / "live.vdb");
  EXPECT_EQ(client.data("A", 202001, 202003, 40, values.data()), 1) << "gone: database unknown";
}
