#include "tokens.h"

#include <sodium.h>

#include <stdexcept>

#include "credentials.h"

namespace vemro::service {
namespace {

constexpr int variant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;
constexpr size_t maxTokenBytes = 512;

std::string toBase64(const std::string &bytes) {
  std::string text(sodium_base64_ENCODED_LEN(bytes.size(), variant), '\0');
  sodium_bin2base64(&text[0], text.size(), reinterpret_cast<const unsigned char *>(bytes.data()),
                    bytes.size(), variant);
  text.resize(text.size() - 1);  // the terminating NUL
  return text;
}

bool fromBase64(const std::string &text, std::string *bytes) {
  std::string decoded(text.size(), '\0');
  size_t length = 0;
  const char *end = nullptr;
  if (sodium_base642bin(reinterpret_cast<unsigned char *>(&decoded[0]), decoded.size(), text.data(),
                        text.size(), nullptr, &length, &end, variant) != 0 ||
      end != text.data() + text.size())
    return false;
  decoded.resize(length);
  bytes->swap(decoded);
  return true;
}

std::string signatureOf(const std::string &payload, const std::string &secret,
                        const std::string &keyHash) {
  if (secret.size() != crypto_auth_KEYBYTES) throw std::logic_error("token secret of wrong size");
  std::string message = payload + '\0' + keyHash;
  unsigned char mac[crypto_auth_BYTES];
  crypto_auth(mac, reinterpret_cast<const unsigned char *>(message.data()), message.size(),
              reinterpret_cast<const unsigned char *>(secret.data()));
  return std::string(reinterpret_cast<const char *>(mac), sizeof mac);
}

bool splitToken(const std::string &token, std::string *payload, std::string *signature) {
  size_t dot = token.find('.');
  return token.size() <= maxTokenBytes && dot != std::string::npos &&
         fromBase64(token.substr(0, dot), payload) && fromBase64(token.substr(dot + 1), signature);
}

}  // namespace

std::string issueToken(const std::string &secret, const TokenContent &content,
                       const std::string &keyHash) {
  requireSodium();
  std::string payload = content.user + '\n' + std::to_string(content.expires);
  return toBase64(payload) + "." + toBase64(signatureOf(payload, secret, keyHash));
}

bool parseToken(const std::string &token, ParsedToken *parsed) {
  requireSodium();
  if (!splitToken(token, &parsed->payload, &parsed->signature)) return false;
  const std::string &payload = parsed->payload;
  size_t newline = payload.rfind('\n');
  if (newline == std::string::npos || newline == 0) return false;
  std::string expires = payload.substr(newline + 1);
  if (expires.empty() || expires.size() > 18 ||
      expires.find_first_not_of("0123456789") != std::string::npos)
    return false;
  parsed->content.user = payload.substr(0, newline);
  parsed->content.expires = std::stoll(expires);
  return true;
}

TokenCheck checkToken(const ParsedToken &token, const std::string &secret,
                      const std::string &keyHash, long long now) {
  std::string expected = signatureOf(token.payload, secret, keyHash);
  if (token.signature.size() != expected.size() ||
      sodium_memcmp(token.signature.data(), expected.data(), expected.size()) != 0)
    return TokenCheck::forged;
  return token.content.expires <= now ? TokenCheck::expired : TokenCheck::valid;
}

}  // namespace vemro::service
