// Users' keys: made at random, stored only as salted hashes
// (crypto_pwhash_str), checked against those hashes.
#pragma once

#include <string>

namespace vemro::service {

// Initialises libsodium once; throws std::runtime_error when it cannot.
void requireSodium();

// 32 random bytes, base64url without padding.
std::string newKey();
std::string hashOfKey(const std::string &key);
// At most a few checks run at once: each one takes tens of megabytes.
bool keyMatches(const std::string &hash, const std::string &key);
// Costs as much as a real check, so that an unknown user cannot be told
// from a wrong key by the time an answer takes.
void checkAgainstNoUser(const std::string &key);

}  // namespace vemro::service
