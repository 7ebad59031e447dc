// The vemro-serve program: what it prints, what it refuses to start with,
// how it ends on SIGTERM, and its user commands.
#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "command_line.h"
#include "listen_address.h"
#include "service_fixture.h"

namespace {

// vemro-serve in a child process: stdout read through a pipe, stderr into
// a file. Killed at the end of the test if still running.
class ServeProgram {
 public:
  explicit ServeProgram(std::vector<std::string> args) : errors_(home_.path() / "stderr") {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("no pipe");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      int err = ::open(errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(err, STDERR_FILENO);
      std::vector<char *> argv{const_cast<char *>(VEMRO_SERVE_PROGRAM)};
      for (std::string &arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    ::close(out[1]);
    stdout_ = out[0];
  }
  ~ServeProgram() {
    if (pid_ > 0 && exit_ < 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    ::close(stdout_);
  }
  // The first line on stdout, waiting at most 10 s; empty at end of file.
  std::string firstLine() {
    std::string line;
    char c;
    pollfd ready{stdout_, POLLIN, 0};
    while (poll(&ready, 1, 10000) == 1 && ::read(stdout_, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }
  // The exit status, waiting at most 10 s; -1 if it has not ended by then.
  int waitForExit() {
    for (int i = 0; i < 1000 && exit_ < 0; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_)
        exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      else
        usleep(10000);
    }
    return exit_;
  }
  void signal(int number) { kill(pid_, number); }
  std::string errors() const {
    std::ifstream in(errors_);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  ScratchRoot home_;
  fs::path errors_;
  pid_t pid_ = -1;
  int stdout_ = -1;
  int exit_ = -1;
};

int portOf(const std::string &listening) {
  std::smatch match;
  std::regex pattern("listening on http://127\\.0\\.0\\.1:([0-9]+)");
  return std::regex_match(listening, match, pattern) ? std::stoi(match[1]) : -1;
}

void sendAll(int fd, const std::string &text) {
  ASSERT_EQ(send(fd, text.data(), text.size(), MSG_NOSIGNAL), static_cast<ssize_t>(text.size()));
}

std::string receiveAll(int fd) {
  std::string answer;
  char buffer[4096];
  pollfd ready{fd, POLLIN, 0};
  for (ssize_t n; poll(&ready, 1, 10000) == 1 && (n = recv(fd, buffer, sizeof buffer, 0)) > 0;)
    answer.append(buffer, static_cast<size_t>(n));
  return answer;
}

}  // namespace

TEST_F(ServiceTest, ProgramSaysWhereItListensServesAndEndsOnSigterm) {
  ServeProgram program({"--root", root.path().string(), "--listen", "127.0.0.1:0"});
  int port = portOf(program.firstLine());
  ASSERT_GT(port, 0) << program.errors();
  httplib::Client http("127.0.0.1", port);
  auto answer = http.Get("/v1/open?db=vemro-example");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->body, R"({"db":"vemro-example","series":14})");
  program.signal(SIGTERM);
  EXPECT_EQ(program.waitForExit(), 0);
  EXPECT_TRUE(
      std::regex_search(program.errors(), std::regex("GET /v1/open 200 34 bytes [0-9.]+ ms\n")))
      << program.errors();
}

TEST_F(ServiceTest, RequestInFlightIsAnsweredBeforeTheProgramEnds) {
  ServeProgram program({"--root", root.path().string(), "--listen", "127.0.0.1:0"});
  int port = portOf(program.firstLine());
  ASSERT_GT(port, 0) << program.errors();
  int fd = connectToLoopback(port);
  ASSERT_GE(fd, 0);
  std::string body = R"({"db":"vemro-example","codes":["NILE"],"merge":1,"aggregation":0})";
  sendAll(fd,
          "POST /v1/info HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
          "Content-Length: " +
              std::to_string(body.size()) + "\r\n\r\n");
  usleep(200000);
  program.signal(SIGINT);
  usleep(200000);
  sendAll(fd, body);
  std::string answer = receiveAll(fd);
  ::close(fd);
  EXPECT_EQ(answer.rfind("HTTP/1.1 200 OK", 0), 0u) << answer;
  EXPECT_NE(answer.find("\"code\":\"NILE\""), std::string::npos);
  EXPECT_EQ(program.waitForExit(), 0);
  EXPECT_LT(connectToLoopback(port), 0) << "no longer accepting";
}

// Which hosts count as loopback is decided from the text alone: no name is
// looked up and no socket is opened.
TEST(ServeCommandLine, OnlyLiteralLoopbackHostsAndLocalhostAreLoopback) {
  for (const char *host : {"0.0.0.0", "192.0.2.1", "::", "example.org", "127.0.0.1.example.org"}) {
    EXPECT_FALSE(vemro::service::isLoopbackHost(host)) << host;
  }
  for (const char *host : {"127.0.0.1", "::1", "localhost"}) {
    EXPECT_TRUE(vemro::service::isLoopbackHost(host)) << host;
  }
}

// Without users, an address that is not loopback is refused before any socket.
TEST(ServeCommandLine, NoUsersMeansLoopbackOnly) {
  auto problemWith = [](const char *address) {
    return vemro::service::startupProblem(
        vemro::service::parseCommandLine({"--root", "/srv", "--listen", address}).options);
  };
  EXPECT_NE(problemWith("192.0.2.1:0").find("not a loopback address"), std::string::npos);
  for (const char *address : {"127.0.0.1:0", "[::1]:0", "localhost:0"}) {
    EXPECT_EQ(problemWith(address), "") << address;
  }
}

// The program itself, given an address of the documentation range that no
// machine holds: even if the check were lost, nothing could listen there.
TEST_F(ServiceTest, ProgramRefusesToServeWithoutUsersBeyondLoopback) {
  ServeProgram program({"--root", root.path().string(), "--listen", "192.0.2.1:0"});
  EXPECT_EQ(program.firstLine(), "");
  EXPECT_EQ(program.waitForExit(), 2);
  EXPECT_NE(program.errors().find("not a loopback address"), std::string::npos) << program.errors();
}

TEST_F(ServiceTest, ProgramRefusesBadCommandLines) {
  const std::vector<std::vector<std::string>> lines = {
      {},
      {"--listen", "127.0.0.1:0"},
      {"--root", root.path().string(), "--listen", "127.0.0.1"},
      {"--root", root.path().string(), "--listen", "127.0.0.1:99999"},
      {"--root", root.path().string(), "--cert", "c.pem"},
      {"--root", root.path().string(), "--verbose", "1"},
      {"user", "add", "file"}};
  for (const auto &line : lines) {
    ServeProgram program(line);
    EXPECT_EQ(program.waitForExit(), 2);
    EXPECT_NE(program.errors().find("usage: vemro-serve"), std::string::npos) << program.errors();
  }
  ServeProgram noRoot({"--root", (root.path() / "nowhere").string(), "--listen", "127.0.0.1:0"});
  EXPECT_EQ(noRoot.waitForExit(), 1);
  EXPECT_NE(noRoot.errors().find("is not a folder"), std::string::npos);
}

TEST_F(ServiceTest, ProgramPrintsTheNewKeyOnceAndKeepsItOutOfTheLog) {
  std::string users = (root.path() / "users.json").string();
  ServeProgram add({"user", "add", users, "ann"});
  std::string key = add.firstLine();
  EXPECT_EQ(add.waitForExit(), 0);
  ASSERT_TRUE(std::regex_match(key, std::regex("[A-Za-z0-9_-]{43}"))) << key;
  ServeProgram program(
      {"--root", root.path().string(), "--listen", "127.0.0.1:0", "--users", users});
  int port = portOf(program.firstLine());
  ASSERT_GT(port, 0) << program.errors();
  httplib::Client http("127.0.0.1", port);
  auto token = http.Post("/v1/token", R"({"user":"ann","key":")" + key + "\"}", "application/json");
  ASSERT_TRUE(token);
  ASSERT_EQ(token->status, 200);
  std::string issued = nlohmann::json::parse(token->body)["token"];
  auto wrong = http.Post("/v1/token", R"({"user":"ann","key":"nope"})", "application/json");
  ASSERT_TRUE(wrong);
  EXPECT_EQ(wrong->status, 401);
  auto open = http.Get("/v1/open?db=vemro-example", {{"Authorization", "Bearer " + issued}});
  ASSERT_TRUE(open);
  EXPECT_EQ(open->status, 200);
  program.signal(SIGTERM);
  EXPECT_EQ(program.waitForExit(), 0);
  std::string log = program.errors();
  EXPECT_NE(log.find("POST /v1/token 200"), std::string::npos) << log;
  EXPECT_NE(log.find("POST /v1/token 401"), std::string::npos) << log;
  EXPECT_EQ(log.find(key), std::string::npos);
  EXPECT_EQ(log.find(issued), std::string::npos);

  ServeProgram remove({"user", "remove", users, "ann"});
  EXPECT_EQ(remove.firstLine(), "");
  EXPECT_EQ(remove.waitForExit(), 0);
}
