// Tokens: asked for once, sent with every request after, never sent in
// clear to another machine; TLS verified against VEMRO_CA_FILE.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "client_fixture.h"
#include "statuses.h"

namespace status = vemro::client::status;
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

CannedService::Handler tokenFor(const std::string &user, const std::string &key) {
  return [user, key](const httplib::Request &request, httplib::Response &response) {
    json body = json::parse(request.body, nullptr, false);
    if (body.is_object() && body.value("user", "") == user && body.value("key", "") == key) {
      response.set_content(R"({"token": "t0ken", "expires": 1})", "application/json");
    } else {
      response.status = 401;
      response.set_content(R"({"error": "not authenticated", "status": 401})", "application/json");
    }
  };
}

// A self-signed certificate for 127.0.0.1, made afresh for the test.
struct SelfSigned {
  fs::path folder = fs::temp_directory_path() / ("vemro-tls-" + std::to_string(::getpid()));
  std::string cert = (folder / "cert.pem").string();
  std::string key = (folder / "key.pem").string();
  bool made = false;
  SelfSigned() {
    fs::create_directories(folder);
    std::string command =
        "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1"
        " -addext subjectAltName=IP:127.0.0.1 -keyout " +
        key + " -out " + cert + " 2>/dev/null";
    made = std::system(command.c_str()) == 0;
  }
  ~SelfSigned() { fs::remove_all(folder); }
};

}  // namespace

TEST_F(ClientTest, RefusedThenAcceptedCredentials) {
  service.on("/v1/token", tokenFor("ann", "s3cret"));
  EXPECT_EQ(client.authenticate("ann", "wrong"), status::notAuthenticated);
  EXPECT_EQ(client.authenticate("ann", nullptr), status::refused);
  ASSERT_EQ(client.authenticate("ann", "s3cret"), status::ok);
  openDatabase();
  EXPECT_EQ(service.requests().back().authorization, "Bearer t0ken");
  EXPECT_EQ(service.countOf("/v1/token"), 2u);

  service.on("/v1/open", answerWith(401, R"({"error": "token expired", "status": 401})"));
  EXPECT_EQ(client.open("db"), status::notAuthenticated);
  EXPECT_EQ(client.authenticate("ann", "wrong"), status::notAuthenticated);
  service.on("/v1/open", answerWith(200, R"({"db": "db", "series": 3})"));
  openDatabase();
  EXPECT_EQ(service.requests().back().authorization, "") << "a refused sign-in drops the token";
}

TEST_F(ClientTest, CredentialsNeverGoInClearToAnotherMachine) {
  service.on("/v1/token", tokenFor("ann", "s3cret"));
  ASSERT_EQ(client.authenticate("ann", "s3cret"), status::ok);
  // A documentation address (TEST-NET-1): nothing may be sent there, and
  // the refusal comes before any connection is tried.
  setenv("VEMRO_SERVICE", "http://192.0.2.1:8750", 1);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(client.open("db"), status::insecureCredentials) << "the token stays home";
  EXPECT_EQ(client.authenticate("ann", "s3cret"), status::insecureCredentials);
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed.count(), 0.5) << "no connection was tried";
}

TEST(Tls, VerifiedAgainstTheGivenCaFileAndRefusedWithoutIt) {
  SelfSigned certificate;
  ASSERT_TRUE(certificate.made) << "openssl could not make a certificate";
  CannedService service(certificate.cert, certificate.key);
  service.on("/v1/token", tokenFor("ann", "s3cret"));
  service.on("/v1/open", answerWith(200, R"({"db": "db", "series": 3})"));
  setenv("VEMRO_SERVICE", service.url().c_str(), 1);

  vemro::client::DirectClient client;
  unsetenv("VEMRO_CA_FILE");
  EXPECT_EQ(client.authenticate("ann", "s3cret"), status::unreachable)
      << "an unknown certificate is not trusted";
  EXPECT_EQ(service.countOf("/v1/token"), 0u);

  setenv("VEMRO_CA_FILE", certificate.cert.c_str(), 1);
  ASSERT_EQ(client.authenticate("ann", "s3cret"), status::ok);
  ASSERT_EQ(client.open("db"), status::ok);
  EXPECT_EQ(service.requests().back().authorization, "Bearer t0ken");
  unsetenv("VEMRO_CA_FILE");
}
