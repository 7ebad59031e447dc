// HTTPS with a throwaway certificate: the client trusts it only through
// VEMRO_CA_FILE; and credentials never go in clear to another machine.
#include <chrono>
#include <cstdlib>
#include <sstream>

#include "direct_client.h"
#include "service_fixture.h"
#include "statuses.h"
#include "user_commands.h"

namespace status = vemro::client::status;

namespace {

// A self-signed certificate for 127.0.0.1, made afresh by openssl.
struct Certificate {
  ScratchRoot folder;
  std::string cert = (folder.path() / "cert.pem").string();
  std::string key = (folder.path() / "key.pem").string();
  bool made = std::system(("openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1"
                           " -addext subjectAltName=IP:127.0.0.1 -keyout " +
                           key + " -out " + cert + " 2>/dev/null")
                              .c_str()) == 0;
};

std::string addUser(const std::string &file, const std::string &name) {
  std::ostringstream key, errors;
  vemro::service::runUserCommand({true, file, name}, key, errors);
  return key.str().substr(0, key.str().size() - 1);
}

}  // namespace

TEST_F(ServiceTest, HttpsRoundTripTrustedThroughTheCaFile) {
  Certificate certificate;
  ASSERT_TRUE(certificate.made) << "openssl could not make a certificate";
  std::string users = (certificate.folder.path() / "users.json").string();
  std::string key = addUser(users, "ann");
  vemro::service::ServiceSettings settings;
  settings.certFile = certificate.cert;
  settings.keyFile = certificate.key;
  settings.usersFile = users;
  start(settings);
  ASSERT_EQ(service->url().rfind("https://127.0.0.1:", 0), 0u) << service->url();

  vemro::client::DirectClient client;
  EXPECT_EQ(client.authenticate("ann", key.c_str()), status::unreachable) << "not trusted yet";
  setenv("VEMRO_CA_FILE", certificate.cert.c_str(), 1);
  ASSERT_EQ(client.authenticate("ann", key.c_str()), status::ok);
  ASSERT_EQ(client.open("vemro-example"), status::ok);
  std::vector<double> values(12);
  ASSERT_EQ(client.data("AIRPASS", 194901, 194912, 40, values.data()), status::ok);
  EXPECT_EQ(values[0], 112) << "AirPassengers, January 1949";
  unsetenv("VEMRO_CA_FILE");
}

TEST_F(ServiceTest, CertificateThatCannotBeUsedStopsTheStart) {
  vemro::service::ServiceSettings settings;
  settings.root = root.path().string();
  settings.certFile = (root.path() / "missing.pem").string();
  settings.keyFile = settings.certFile;
  EXPECT_THROW(vemro::service::Service service(settings), std::runtime_error);
}

TEST_F(ServiceTest, TokenIsNotSentInClearToAnotherMachine) {
  ScratchRoot home;
  std::string users = (home.path() / "users.json").string();
  std::string key = addUser(users, "ann");
  vemro::service::ServiceSettings settings;
  settings.usersFile = users;
  start(settings);
  vemro::client::DirectClient client;
  ASSERT_EQ(client.authenticate("ann", key.c_str()), status::ok);
  ASSERT_EQ(client.open("vemro-example"), status::ok);
  // A documentation address (TEST-NET-1): the refusal comes before any
  // connection is tried.
  setenv("VEMRO_SERVICE", "http://192.0.2.1:8750", 1);
  auto begin = std::chrono::steady_clock::now();
  EXPECT_EQ(client.open("vemro-example"), status::insecureCredentials);
  EXPECT_EQ(client.authenticate("ann", key.c_str()), status::insecureCredentials);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 0.5);
}
