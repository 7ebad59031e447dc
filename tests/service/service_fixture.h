// A scratch root of databases and the real service over it, run in this
// process on 127.0.0.1 with a free port; log lines are kept for the tests.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "series_record.h"
#include "service.h"

namespace fs = std::filesystem;

class ScratchRoot {
 public:
  ScratchRoot();
  ~ScratchRoot();
  const fs::path &path() const { return folder_; }
  // Writes ROOT/name.vdb through the engine's writer (atomic rename).
  void write(const std::string &name, std::vector<vemro::engine::SeriesRecord> records) const;
  void copyExample(const std::string &name) const;

 private:
  fs::path folder_;
};

class RunningService {
 public:
  explicit RunningService(vemro::service::ServiceSettings settings);
  ~RunningService();
  const std::string &url() const { return url_; }
  // The log so far, once it holds at least `atLeast` lines or after 2 s:
  // a line is written after its answer went out, so the client can have
  // the answer first.
  std::vector<std::string> logLines(size_t atLeast = 0);
  httplib::Client http() const;

 private:
  std::mutex mutex_;
  std::condition_variable logged_;
  std::vector<std::string> lines_;
  std::unique_ptr<vemro::service::Service> service_;
  std::string url_;
  std::thread thread_;
};

vemro::engine::SeriesRecord monthly(const std::string &code, int firstPeriod,
                                    std::vector<double> values, int aggregation = 1);
double na();

// A plain TCP connection to 127.0.0.1:port; -1 when refused.
int connectToLoopback(int port);

// The client's requests go to this service from now on.
void pointClientAt(const std::string &url);

class ServiceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Starts the service over root (again, if it runs).
  void start(vemro::service::ServiceSettings settings = {});

  ScratchRoot root;
  std::unique_ptr<RunningService> service;
};
