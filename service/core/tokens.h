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

// The claimed content, without any check of the signature; false when the
// token does not even have the shape of one.
bool readToken(const std::string &token, TokenContent *content);

enum class TokenCheck { valid, malformed, forged, expired };

TokenCheck checkToken(const std::string &token, const std::string &secret,
                      const std::string &keyHash, long long now);

}  // namespace vemro::service
