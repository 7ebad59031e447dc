// Statuses of the client beyond the engine's own (0, 1, 2, 3, 21, 22, 23),
// which pass through unchanged. client/README.md explains each one.
#pragma once

namespace vemro::client::status {

constexpr int ok = 0;
constexpr int noDatabase = 1;
constexpr int notAuthenticated = 1001;
constexpr int unreachable = 1002;
constexpr int malformedAnswer = 1003;
constexpr int refused = 1004;
constexpr int noPendingChunk = 1005;
constexpr int insecureCredentials = 1006;
constexpr int noMorePages = 1011;
constexpr int badArgument = 25;  // a required pointer is null, as in the engine

// The status of an answer that is not 200, from its HTTP code.
int fromHttpCode(long httpCode);

}  // namespace vemro::client::status
