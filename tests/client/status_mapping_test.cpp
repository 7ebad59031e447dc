#include <gtest/gtest.h>

#include "service_endpoint.h"
#include "statuses.h"

namespace status = vemro::client::status;
using vemro::client::endpointFor;

TEST(StatusMapping, EveryHttpCodeOfTheProtocolHasItsStatus) {
  EXPECT_EQ(status::fromHttpCode(200), 0);
  EXPECT_EQ(status::fromHttpCode(401), status::notAuthenticated);
  EXPECT_EQ(status::fromHttpCode(404), status::noDatabase);
  for (long code : {400L, 403L, 405L, 413L}) EXPECT_EQ(status::fromHttpCode(code), status::refused);
  for (long code : {500L, 503L}) EXPECT_EQ(status::fromHttpCode(code), status::unreachable);
  for (long code : {204L, 302L, 418L})
    EXPECT_EQ(status::fromHttpCode(code), status::malformedAnswer);
}

TEST(ServiceEndpoint, CredentialsTravelOnlyOverTlsOrToThisMachine) {
  EXPECT_TRUE(endpointFor("http://127.0.0.1:8750", "").safeForCredentials);
  EXPECT_TRUE(endpointFor("http://localhost:1/", "").safeForCredentials);
  EXPECT_TRUE(endpointFor("http://[::1]:1", "").safeForCredentials);
  EXPECT_TRUE(endpointFor("https://data.example.org", "").safeForCredentials);
  EXPECT_FALSE(endpointFor("http://data.example.org", "").safeForCredentials);
  EXPECT_FALSE(endpointFor("http://127.example.org", "").safeForCredentials);
  EXPECT_FALSE(endpointFor("http://10.0.0.1:8750", "").safeForCredentials);
  EXPECT_FALSE(endpointFor("ftp://127.0.0.1", "").valid);
  EXPECT_FALSE(endpointFor("not a url", "").valid);
  EXPECT_EQ(endpointFor("http://127.0.0.1:1//", "").baseUrl, "http://127.0.0.1:1");
}
