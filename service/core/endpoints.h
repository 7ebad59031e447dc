// The answers to each path of the protocol (service/README.md). Each
// handler either fills the response or throws RequestError.
#pragma once

#include <httplib.h>

#include <memory>
#include <string>

#include "database_pool.h"
#include "database_root.h"
#include "user_registry.h"

namespace vemro::service {

class Endpoints {
 public:
  // usersFile empty: anyone may read. Throws std::runtime_error when the
  // root or the users file cannot be used.
  Endpoints(const std::string &root, const std::string &usersFile, size_t pageBytes);

  bool needsTokens() const { return users_ != nullptr; }
  // Throws RequestError 401 unless the request carries a valid token.
  void requireToken(const httplib::Request &request);

  void open(const httplib::Request &request, httplib::Response &response);
  void info(const httplib::Request &request, httplib::Response &response);
  void data(const httplib::Request &request, httplib::Response &response);
  void names(const httplib::Request &request, httplib::Response &response);
  void token(const httplib::Request &request, httplib::Response &response);

 private:
  DatabaseLease lease(const std::string &name, std::string *path = nullptr);

  DatabaseRoot root_;
  DatabasePool pool_;
  std::unique_ptr<UserRegistry> users_;
  size_t pageBytes_;
};

}  // namespace vemro::service
