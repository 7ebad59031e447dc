#include "service_fixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "missing_value.h"
#include "test_database.h"

ScratchRoot::ScratchRoot() {
  std::string pattern = (fs::temp_directory_path() / "vemro-service-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
  folder_ = pattern;
}

ScratchRoot::~ScratchRoot() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

void ScratchRoot::write(const std::string &name,
                        std::vector<vemro::engine::SeriesRecord> records) const {
  fs::path file = folder_ / (name + ".vdb");
  fs::create_directories(file.parent_path());
  vemro::engine::testing::writeDatabase(file.string(), std::move(records));
}

void ScratchRoot::copyExample(const std::string &name) const {
  fs::copy_file(VEMRO_EXAMPLE_DB, folder_ / (name + ".vdb"));
}

RunningService::RunningService(vemro::service::ServiceSettings settings) {
  settings.log = [this](const std::string &line) {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(line);
    logged_.notify_all();
  };
  settings.threads = 4;
  service_ = std::make_unique<vemro::service::Service>(settings);
  url_ = service_->bind({"127.0.0.1", 0});
  thread_ = std::thread([this] { service_->run(); });
}

RunningService::~RunningService() {
  service_->stop();
  thread_.join();
}

std::vector<std::string> RunningService::logLines(size_t atLeast) {
  std::unique_lock<std::mutex> lock(mutex_);
  logged_.wait_for(lock, std::chrono::seconds(2), [&] { return lines_.size() >= atLeast; });
  return lines_;
}

httplib::Client RunningService::http() const {
  httplib::Client client(url_);
  client.set_read_timeout(10);
  return client;
}

int connectToLoopback(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

vemro::engine::SeriesRecord monthly(const std::string &code, int firstPeriod,
                                    std::vector<double> values, int aggregation) {
  vemro::engine::SeriesRecord record =
      vemro::engine::testing::monthlySeries(code, firstPeriod, std::move(values));
  record.aggregation = aggregation;
  record.description = "series " + code;
  return record;
}

double na() { return vemro::engine::missingValue(); }

void pointClientAt(const std::string &url) {
  setenv("VEMRO_SERVICE", url.c_str(), 1);
  unsetenv("VEMRO_CA_FILE");
}

void ServiceTest::SetUp() { root.copyExample("vemro-example"); }

void ServiceTest::start(vemro::service::ServiceSettings settings) {
  service.reset();
  settings.root = root.path().string();
  service = std::make_unique<RunningService>(settings);
  pointClientAt(service->url());
}
