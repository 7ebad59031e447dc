// Names that reach out of the root and requests that are malformed,
// oversized or of the wrong types get a 4xx answer, and the service goes
// on answering.
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "service_fixture.h"

using nlohmann::json;

namespace {

class RequestSafety : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    root.write("sub/inner", {monthly("A", 202001, {1, 2})});
    outside.write("secret", {monthly("SECRET", 202001, {42})});
    fs::create_symlink(outside.path() / "secret.vdb", root.path() / "escape.vdb");
    fs::create_symlink(outside.path(), root.path() / "outdir");
    fs::create_symlink(root.path() / "sub" / "inner.vdb", root.path() / "alias.vdb");
    start();
  }
  int openStatus(const std::string &name) {
    auto answer =
        service->http().Get("/v1/open", httplib::Params{{"db", name}}, httplib::Headers{});
    return answer ? answer->status : -1;
  }
  int post(const std::string &path, const std::string &body) {
    auto answer = service->http().Post(path.c_str(), body, "application/json");
    return answer ? answer->status : -1;
  }
  json infoBody(const std::string &db) const {
    return {{"db", db}, {"codes", {"A"}}, {"merge", 1}, {"aggregation", 0}};
  }
  ScratchRoot outside;
};

}  // namespace

TEST_F(RequestSafety, NamesLeadingOutOfTheRootAreRefused) {
  EXPECT_EQ(openStatus("sub/inner"), 200);
  EXPECT_EQ(openStatus("alias"), 200) << "a link that stays inside the root is fine";
  for (const std::string &name : std::vector<std::string>{
           "../" + outside.path().filename().string() + "/secret", "sub/../sub/inner",
           "./sub/inner", "sub//inner", (outside.path() / "secret").string(), "/etc/passwd",
           "escape", "outdir/secret", "sub\\inner", std::string("sub/inner\nx"), std::string()})
    EXPECT_EQ(openStatus(name), 403) << name;
  EXPECT_EQ(openStatus("missing"), 404);
  EXPECT_EQ(openStatus("sub/inner.vdb"), 404) << "names come without the extension";
  EXPECT_EQ(post("/v1/info", infoBody("escape").dump()), 403);
  EXPECT_EQ(post("/v1/info", infoBody("../x").dump()), 403);
  auto names = service->http().Get("/v1/names?db=outdir%2Fsecret");
  ASSERT_TRUE(names);
  EXPECT_EQ(names->status, 403);
  EXPECT_EQ(names->body.find("SECRET"), std::string::npos);
}

TEST_F(RequestSafety, MalformedRequestsGet4xxAndTheServiceGoesOn) {
  json wrongType = infoBody("sub/inner");
  wrongType["codes"] = "A";
  json codeNumber = infoBody("sub/inner");
  codeNumber["codes"] = {1};
  json badMerge = infoBody("sub/inner");
  badMerge["merge"] = 2;
  json badMode = infoBody("sub/inner");
  badMode["aggregation"] = "strict";
  json hugeMode = infoBody("sub/inner");
  hugeMode["aggregation"] = 1e300;
  json noDb = infoBody("sub/inner");
  noDb.erase("db");
  json nul = infoBody("sub/inner");
  nul["codes"] = {std::string("A\0B", 3)};
  json noPeriods = infoBody("sub/inner");
  for (const std::string &body :
       {std::string("{"), std::string("[]"), std::string("null"), std::string(),
        std::string("{\"db\": \"\xff\"}"), wrongType.dump(), codeNumber.dump(), badMerge.dump(),
        badMode.dump(), hugeMode.dump(), noDb.dump(), nul.dump()})
    EXPECT_EQ(post("/v1/info", body), 400) << body;
  EXPECT_EQ(post("/v1/data", noPeriods.dump()), 400) << "data needs first, last and frequency";
  EXPECT_EQ(post("/v1/token", "{\"user\": 1}"), 403) << "no users: no tokens";
  EXPECT_EQ(openStatus(""), 403);
  auto noDbParameter = service->http().Get("/v1/open");
  ASSERT_TRUE(noDbParameter);
  EXPECT_EQ(noDbParameter->status, 400);
  auto wrongMethod = service->http().Get("/v1/data");
  ASSERT_TRUE(wrongMethod);
  EXPECT_EQ(wrongMethod->status, 405);
  EXPECT_EQ(post("/v1/info", infoBody("sub/inner").dump()), 200) << "still answering";
}

TEST_F(RequestSafety, OversizedRequestsAndAnswersAreRefused) {
  json tooMany = infoBody("sub/inner");
  tooMany["codes"] = std::vector<std::string>(10001, "A");
  EXPECT_EQ(post("/v1/info", tooMany.dump()), 413);
  EXPECT_EQ(post("/v1/info", std::string(2 << 20, ' ')), 413) << "bodies over 1 MiB";
  json enormous = infoBody("sub/inner");
  enormous["codes"] = std::vector<std::string>(10000, "A");
  enormous["first"] = -99999999;
  enormous["last"] = 99999999;
  enormous["frequency"] = 61;
  EXPECT_EQ(post("/v1/data", enormous.dump()), 413) << "an answer of terabytes";
  json full = infoBody("sub/inner");
  full["codes"] = std::vector<std::string>(10000, "A");
  EXPECT_EQ(post("/v1/info", full.dump()), 200) << "the limit itself is served";
}
