// Refusals, failures and retries: 4xx once, transient failures retried
// a bounded number of times when retries are on, never a hang.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "client_fixture.h"
#include "statuses.h"

namespace status = vemro::client::status;

namespace {

double secondsFor(const std::function<void()> &work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A loopback socket bound to a free port; listening when asked, else
// closed again so that nothing answers there.
struct LoopbackSocket {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  int port = 0;
  explicit LoopbackSocket(bool listening) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    port = ntohs(address.sin_port);
    if (listening)
      ::listen(fd, 4);
    else
      closeNow();
  }
  void closeNow() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  ~LoopbackSocket() { closeNow(); }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port); }
};

}  // namespace

TEST_F(ClientTest, RefusalsMapToTheirStatusesAndAreNeverRetried) {
  client.enableRetries(1);
  EXPECT_EQ(service.countOf("/v1/open"), 0u);
  const std::vector<std::pair<int, int>> cases = {{404, status::noDatabase},
                                                  {400, status::refused},
                                                  {403, status::refused},
                                                  {401, status::notAuthenticated}};
  for (const auto &c : cases) {
    service.on("/v1/open", answerWith(c.first, R"({"error": "no", "status": 0})"));
    size_t before = service.countOf("/v1/open");
    EXPECT_EQ(client.open("db"), c.second) << c.first;
    EXPECT_EQ(service.countOf("/v1/open"), before + 1) << c.first;
  }
  SeriesInfo record;
  EXPECT_EQ(client.info("A", &record), status::noDatabase) << "a failed open leaves none open";

  service.on("/v1/open", answerWith(200, R"({"db": "db", "series": 1})"));
  openDatabase();
  service.on("/v1/info", answerWith(413, R"({"error": "too many codes", "status": 413})"));
  EXPECT_EQ(client.info("A", &record), status::refused);
  EXPECT_EQ(service.countOf("/v1/info"), 1u);
}

TEST_F(ClientTest, ServerErrorsAreRetriedOnlyWhenRetriesAreOn) {
  openDatabase();
  service.on("/v1/info", answerWith(503, R"({"error": "shutting down", "status": 503})"));
  SeriesInfo record;
  EXPECT_EQ(client.enableRetries(0), 0);
  EXPECT_EQ(client.info("A", &record), status::unreachable);
  EXPECT_EQ(service.countOf("/v1/info"), 1u);
  EXPECT_EQ(client.enableRetries(1), 0);
  EXPECT_EQ(client.info("A", &record), status::unreachable);
  EXPECT_EQ(service.countOf("/v1/info"), 5u) << "one try and three retries";

  int calls = 0;
  service.on("/v1/info", [&calls](const httplib::Request &, httplib::Response &response) {
    if (++calls == 1)
      response.status = 500;
    else
      response.set_content(nlohmann::json{{"series", {seriesEntry("A")}}}.dump(),
                           "application/json");
  });
  ASSERT_EQ(client.info("A", &record), status::ok) << "a retry after a 500 succeeds";
  EXPECT_STREQ(record.code, "A");
}

TEST_F(ClientTest, ADeadServiceFailsWithinSeconds) {
  LoopbackSocket nobody(false);
  setenv("VEMRO_SERVICE", nobody.url().c_str(), 1);
  client.enableRetries(1);
  double seconds = secondsFor([&] { EXPECT_EQ(client.open("db"), status::unreachable); });
  EXPECT_LT(seconds, 5.0);
  client.enableRetries(0);
  seconds = secondsFor([&] { EXPECT_EQ(client.open("db"), status::unreachable); });
  EXPECT_LT(seconds, 2.5);
  setenv("VEMRO_SERVICE", service.url().c_str(), 1);
  EXPECT_EQ(client.open("db"), status::ok) << "a later open reaches the service again";
}

TEST_F(ClientTest, AServiceThatNeverAnswersTimesOut) {
  LoopbackSocket silent(true);  // accepts connections, never reads or writes
  setenv("VEMRO_SERVICE", silent.url().c_str(), 1);
  client.enableRetries(0);
  double seconds = secondsFor([&] { EXPECT_EQ(client.open("db"), status::unreachable); });
  EXPECT_LT(seconds, 8.0);
  client.enableRetries(1);
  seconds = secondsFor([&] { EXPECT_EQ(client.open("db"), status::unreachable); });
  EXPECT_LT(seconds, 16.0) << "retries stop within a bounded window";
}
