// The users file keeps only salted hashes and is replaced atomically;
// tokens are signed, expire, and are accepted by every instance that
// shares the users file, and by no other.
#include <sodium.h>
#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include "credentials.h"
#include "direct_client.h"
#include "service_fixture.h"
#include "statuses.h"
#include "tokens.h"
#include "user_commands.h"
#include "users_file.h"

namespace status = vemro::client::status;
using vemro::service::UserCommand;

namespace {

std::string fileText(const fs::path &path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class Users : public ServiceTest {
 protected:
  // Runs `user add|remove`; the key it printed, or its exit status as text.
  std::string run(bool add, const std::string &name) {
    std::ostringstream out, errors;
    int exit =
        vemro::service::runUserCommand(UserCommand{add, usersFile.string(), name}, out, errors);
    lastErrors = errors.str();
    if (exit != 0) return "exit " + std::to_string(exit);
    std::string key = out.str();
    return key.empty() ? key : key.substr(0, key.size() - 1);  // its newline
  }
  void startWithUsers() {
    vemro::service::ServiceSettings settings;
    settings.usersFile = usersFile.string();
    start(settings);
  }
  ScratchRoot home;
  fs::path usersFile = home.path() / "users.json";
  std::string lastErrors;
};

}  // namespace

TEST_F(Users, FileKeepsOnlyHashesAndIsReplacedWhole) {
  std::string ann = run(true, "ann");
  std::string bob = run(true, "bob");
  ASSERT_GE(ann.size(), 40u);
  ASSERT_NE(ann, bob);
  struct stat info;
  ASSERT_EQ(stat(usersFile.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  std::string text = fileText(usersFile);
  EXPECT_EQ(text.find(ann), std::string::npos);
  EXPECT_EQ(text.find(bob), std::string::npos);
  auto users = vemro::service::loadUsersFile(usersFile.string());
  ASSERT_EQ(users.hashes.size(), 2u);
  EXPECT_TRUE(vemro::service::keyMatches(users.hashes["ann"], ann));
  EXPECT_FALSE(vemro::service::keyMatches(users.hashes["ann"], bob));

  std::string annAgain = run(true, "ann");
  users = vemro::service::loadUsersFile(usersFile.string());
  EXPECT_FALSE(vemro::service::keyMatches(users.hashes["ann"], ann)) << "replaced";
  EXPECT_TRUE(vemro::service::keyMatches(users.hashes["ann"], annAgain));
  EXPECT_EQ(run(false, "bob"), "");
  EXPECT_EQ(vemro::service::loadUsersFile(usersFile.string()).hashes.count("bob"), 0u);
  EXPECT_EQ(run(false, "bob"), "exit 1");
  EXPECT_EQ(run(true, "no body"), "exit 2");
  std::vector<std::string> left;
  for (const auto &entry : fs::directory_iterator(home.path()))
    left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"users.json"}) << "no temporary file left";
}

TEST_F(Users, RightKeyGivesATokenThatOpensWrongKeyDoesNot) {
  std::string key = run(true, "ann");
  startWithUsers();
  vemro::client::DirectClient client;
  EXPECT_EQ(client.open("vemro-example"), status::notAuthenticated) << "no token yet";
  EXPECT_EQ(client.authenticate("ann", "wrong"), status::notAuthenticated);
  EXPECT_EQ(client.authenticate("nobody", key.c_str()), status::notAuthenticated);
  ASSERT_EQ(client.authenticate("ann", key.c_str()), status::ok);
  ASSERT_EQ(client.open("vemro-example"), status::ok);
  SeriesInfo info;
  EXPECT_EQ(client.info("AIRPASS", &info), status::ok);
  for (const std::string &line : service->logLines(6)) {
    EXPECT_EQ(line.find(key), std::string::npos) << line;
    EXPECT_EQ(line.find("Bearer"), std::string::npos) << line;
  }
}

TEST_F(Users, ExpiredForgedAndForeignTokensAreRefused) {
  run(true, "ann");
  startWithUsers();
  auto users = vemro::service::loadUsersFile(usersFile.string());
  const std::string &hash = users.hashes["ann"];
  long long now = std::time(nullptr);
  auto opens = [&](const std::string &token) {
    auto answer =
        service->http().Get("/v1/open?db=vemro-example", {{"Authorization", "Bearer " + token}});
    return answer ? answer->status : -1;
  };
  std::string valid = vemro::service::issueToken(users.secret, {"ann", now + 60}, hash);
  EXPECT_EQ(opens(valid), 200);
  EXPECT_EQ(opens(vemro::service::issueToken(users.secret, {"ann", now - 1}, hash)), 401)
      << "expired";
  auto other = vemro::service::newUsersFile();
  EXPECT_EQ(opens(vemro::service::issueToken(other.secret, {"ann", now + 60}, hash)), 401)
      << "signed with another secret";
  std::string forged = valid;
  forged[forged.size() - 2] = forged[forged.size() - 2] == 'A' ? 'B' : 'A';
  EXPECT_EQ(opens(forged), 401) << "signature changed";
  std::string longer = vemro::service::issueToken(users.secret, {"ann", now + 60000}, hash);
  EXPECT_EQ(opens(longer.substr(0, longer.find('.')) + valid.substr(valid.find('.'))), 401)
      << "payload changed";
  EXPECT_EQ(opens("garbage"), 401);
  EXPECT_EQ(opens(""), 401);
  auto noHeader = service->http().Get("/v1/open?db=vemro-example");
  ASSERT_TRUE(noHeader);
  EXPECT_EQ(noHeader->status, 401);
  EXPECT_EQ(noHeader->body.find(valid), std::string::npos);

  run(true, "ann");  // a new key: tokens of the old one are void
  EXPECT_EQ(opens(valid), 401);
}

TEST_F(Users, SecondInstanceSharingTheFileAcceptsTheToken) {
  std::string key = run(true, "ann");
  startWithUsers();
  vemro::service::ServiceSettings settings;
  settings.root = root.path().string();
  settings.usersFile = usersFile.string();
  RunningService second(settings);

  vemro::client::DirectClient client;
  ASSERT_EQ(client.authenticate("ann", key.c_str()), status::ok);
  pointClientAt(second.url());
  EXPECT_EQ(client.open("vemro-example"), status::ok) << "a token of the first instance";
  std::vector<std::string> lines = second.logLines(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("GET /v1/open 200"), std::string::npos);

  EXPECT_EQ(run(false, "ann"), "");
  EXPECT_EQ(client.open("vemro-example"), status::notAuthenticated) << "removed while running";
}
