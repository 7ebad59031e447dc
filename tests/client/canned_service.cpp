#include "canned_service.h"

#include <chrono>

CannedService::CannedService() : server_(new httplib::Server), scheme_("http") { start(); }

CannedService::CannedService(const std::string &certFile, const std::string &keyFile)
    : server_(new httplib::SSLServer(certFile.c_str(), keyFile.c_str())), scheme_("https") {
  start();
}

void CannedService::start() {
  auto dispatch = [this](const httplib::Request &q, httplib::Response &r) { serve(q, r); };
  server_->Get(".*", dispatch);
  server_->Post(".*", dispatch);
  port_ = server_->bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

CannedService::~CannedService() {
  server_->stop();
  thread_.join();
}

void CannedService::on(const std::string &path, Handler handler) {
  std::lock_guard<std::mutex> lock(mutex_);
  handlers_[path] = std::move(handler);
}

std::string CannedService::url() const { return scheme_ + "://127.0.0.1:" + std::to_string(port_); }

void CannedService::serve(const httplib::Request &request, httplib::Response &response) {
  Handler handler;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    RecordedRequest recorded{
        request.method, request.path, request.body, request.get_header_value("Authorization"), {}};
    for (const auto &param : request.params) recorded.params[param.first] = param.second;
    requests_.push_back(recorded);
    auto found = handlers_.find(request.path);
    if (found != handlers_.end()) handler = found->second;
  }
  if (handler)
    handler(request, response);
  else
    response.status = 404;
}

std::vector<RecordedRequest> CannedService::requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

size_t CannedService::countOf(const std::string &path) {
  std::lock_guard<std::mutex> lock(mutex_);
  size_t count = 0;
  for (const auto &request : requests_) count += request.path == path;
  return count;
}

CannedService::Handler answerWith(int code, const std::string &body, const std::string &type) {
  return [code, body, type](const httplib::Request &, httplib::Response &response) {
    response.status = code;
    response.set_content(body, type.c_str());
  };
}
