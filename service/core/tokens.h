// Signed, expiring tokens. A token is base64url(user "\n" expiry) "."
// base64url(signature); the signature (HMAC-SHA-512-256, crypto_auth) covers
// the payload and the user's stored key hash under the users file's secret.
// Every instance that reads the same users file accepts the tokens of the
// others, the service keeps nothing per client, and a user whose key is
// replaced or who is removed loses the tokens issued before.
#pragma once

#include <string>

namespace vemro::service {

struct TokenContent {
  std::string user;
  long long expires = 0;  // seconds since the epoch
};

std::string issueToken(const std::string &secret, const TokenContent &content,
                       const std::string &keyHash);

// A token taken apart, before any check of its signature.
struct ParsedToken {
  TokenContent content;
  std::string payload, signature;
};

// False when the token does not even have the shape of one.
bool parseToken(const std::string &token, ParsedToken *parsed);

enum class TokenCheck { valid, forged, expired };

TokenCheck checkToken(const ParsedToken &token, const std::string &secret,
                      const std::string &keyHash, long long now);

}  // namespace vemro::service
