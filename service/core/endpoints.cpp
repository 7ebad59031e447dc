#include "endpoints.h"

#include <nlohmann/json.hpp>

#include "chunk_request.h"
#include "period_run.h"
#include "request_error.h"
#include "series_answers.h"

namespace vemro::service {
namespace {

using nlohmann::json;

constexpr const char *jsonType = "application/json";

void answerJson(httplib::Response &response, const json &body) {
  response.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), jsonType);
}

std::string queryParameter(const httplib::Request &request, const char *name, bool required) {
  if (request.get_param_value_count(name) > 1)
    throw RequestError(400, std::string("parameter '") + name + "' given more than once");
  if (required && !request.has_param(name))
    throw RequestError(400, std::string("parameter '") + name + "' is missing");
  return request.get_param_value(name);
}

std::string bearerToken(const httplib::Request &request) {
  const std::string header = request.get_header_value("Authorization");
  const std::string scheme = "Bearer ";
  if (header.compare(0, scheme.size(), scheme) != 0) return {};
  return header.substr(scheme.size());
}

}  // namespace

Endpoints::Endpoints(const std::string &root, const std::string &usersFile, size_t pageBytes)
    : root_(root),
      users_(usersFile.empty() ? nullptr : std::make_unique<UserRegistry>(usersFile)),
      pageBytes_(pageBytes) {}

void Endpoints::requireToken(const httplib::Request &request) {
  std::string token = bearerToken(request);
  if (token.empty()) throw RequestError(401, "not authenticated: a token is required");
  if (!users_->admits(token)) throw RequestError(401, "not authenticated: token refused");
}

DatabaseLease Endpoints::lease(const std::string &name, std::string *path) {
  std::string file;
  switch (root_.resolve(name, &file)) {
    case NameLookup::refused:
      throw RequestError(403, "database name refused");
    case NameLookup::missing:
      throw RequestError(404, "database unknown");
    case NameLookup::found:
      break;
  }
  DatabaseLease database = pool_.borrow(file);
  if (!database) throw RequestError(404, "database cannot be opened");
  if (path) *path = file;
  return database;
}

void Endpoints::open(const httplib::Request &request, httplib::Response &response) {
  std::string name = queryParameter(request, "db", true);
  std::string path;
  DatabaseLease database = lease(name, &path);
  answerJson(response, {{"db", name}, {"series", pool_.seriesCount(path, database)}});
}

void Endpoints::info(const httplib::Request &request, httplib::Response &response) {
  ChunkRequest chunk = parseChunkRequest(request.body, false);
  DatabaseLease database = lease(chunk.database);
  answerJson(response, infoAnswer(*database, chunk.codes));
}

void Endpoints::data(const httplib::Request &request, httplib::Response &response) {
  ChunkRequest chunk = parseChunkRequest(request.body, true);
  DatabaseLease database = lease(chunk.database);
  int observations =
      vemro::engine::periodCount(chunk.firstPeriod, chunk.lastPeriod, chunk.frequency);
  response.body = dataAnswer(*database, chunk, observations);
  response.set_header("Content-Type", "application/octet-stream");
  response.set_header("X-Vemro-Observations", std::to_string(observations));
}

void Endpoints::names(const httplib::Request &request, httplib::Response &response) {
  DatabaseLease database = lease(queryParameter(request, "db", true));
  NamesPage page = namesPage(*database, queryParameter(request, "after", false), pageBytes_);
  answerJson(response, {{"codes", page.codes}, {"more", page.more}});
}

void Endpoints::token(const httplib::Request &request, httplib::Response &response) {
  if (!users_) throw RequestError(403, "this service has no users: no token is needed");
  json body = json::parse(request.body, nullptr, false);
  if (body.is_discarded() || !body.is_object() || !body.contains("user") ||
      !body["user"].is_string() || !body.contains("key") || !body["key"].is_string())
    throw RequestError(400, "the body must be {\"user\": string, \"key\": string}");
  TokenContent issued;
  std::string token =
      users_->signIn(body["user"].get<std::string>(), body["key"].get<std::string>(), &issued);
  if (token.empty()) throw RequestError(401, "not authenticated: user or key refused");
  answerJson(response, {{"token", token}, {"expires", issued.expires}});
}

}  // namespace vemro::service
