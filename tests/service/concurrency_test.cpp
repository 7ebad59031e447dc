// Several clients at once get the same answers as one alone, and a client
// that stalls mid-request neither blocks the others nor holds its worker
// past the read timeout.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <nlohmann/json.hpp>

#include "service_fixture.h"

namespace {

const std::string dataBody =
    R"({"db":"vemro-example","codes":["AIRPASS","CO2","NOTTEM","NOSUCH"],"merge":1,)"
    R"("aggregation":1,"first":1950,"last":1990,"frequency":10})";

int portOf(const std::string &url) { return std::stoi(url.substr(url.rfind(':') + 1)); }

// A connection that sends half a request line and then nothing.
int stalledConnection(int port) {
  int fd = connectToLoopback(port);
  if (fd >= 0) send(fd, "POST /v1/da", 11, MSG_NOSIGNAL);
  return fd;
}

// Seconds until the service closes the connection; -1 if not within limit.
double secondsUntilClosed(int fd, double limit) {
  auto begin = std::chrono::steady_clock::now();
  pollfd ready{fd, POLLIN, 0};
  char buffer[256];
  while (poll(&ready, 1, static_cast<int>(limit * 1000)) == 1) {
    if (recv(fd, buffer, sizeof buffer, 0) <= 0)
      return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  }
  return -1;
}

}  // namespace

TEST_F(ServiceTest, ParallelClientsGetTheSameAnswers) {
  start();
  auto single = service->http().Post("/v1/data", dataBody, "application/json");
  ASSERT_TRUE(single);
  ASSERT_EQ(single->status, 200);
  ASSERT_EQ(single->body.size(), 4u * 4 + 8u * 4 * 41);
  std::atomic<int> same{0}, different{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < 6; ++c)
    clients.emplace_back([&] {
      httplib::Client http = service->http();
      for (int i = 0; i < 40; ++i) {
        auto answer = http.Post("/v1/data", dataBody, "application/json");
        (answer && answer->status == 200 && answer->body == single->body ? same : different)++;
      }
    });
  for (auto &client : clients) client.join();
  EXPECT_EQ(same, 240);
  EXPECT_EQ(different, 0);
}

TEST_F(ServiceTest, StalledClientsDoNotStallOthers) {
  start();  // four workers in tests
  int port = portOf(service->url());
  std::vector<int> stalled;
  for (int i = 0; i < 3; ++i) stalled.push_back(stalledConnection(port));
  auto begin = std::chrono::steady_clock::now();
  auto answer = service->http().Post("/v1/data", dataBody, "application/json");
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  EXPECT_LT(seconds, 1.0);
  double closedAfter = secondsUntilClosed(stalled[0], 8);
  EXPECT_GT(closedAfter, 3.0);
  EXPECT_LT(closedAfter, 7.0) << "the read timeout ends a stalled request";
  for (int fd : stalled) ::close(fd);
}
