#include "script.h"

#include <deque>
#include <map>

namespace vemro_double {
namespace {

std::map<std::string, std::deque<Answer>> &queues() {
  static std::map<std::string, std::deque<Answer>> scripted;
  return scripted;
}

std::vector<std::string> &log() {
  static std::vector<std::string> entries;
  return entries;
}

// Unscripted calls succeed and write nothing, except the two listings,
// which end at once so that a forgotten script cannot loop.
Answer defaultAnswer(const std::string &function) {
  Answer answer;
  if (function == "QVBGetNextVar") answer.status = 1;
  if (function == "QVBDGetNames") answer.status = 1011;
  return answer;
}

}  // namespace

Answer call(const char *function, std::initializer_list<std::string> args) {
  std::string entry = std::string(function) + "(";
  const char *separator = "";
  for (const std::string &arg : args) {
    entry += separator + arg;
    separator = ", ";
  }
  log().push_back(entry + ")");
  std::deque<Answer> &queue = queues()[function];
  if (queue.empty()) return defaultAnswer(function);
  Answer answer = queue.front();
  queue.pop_front();
  return answer;
}

std::string number(int value) { return std::to_string(value); }

std::string text(const char *value) {
  return value ? "\"" + std::string(value) + "\"" : std::string("NULL");
}

void reset() {
  queues().clear();
  log().clear();
}

void script(const std::string &function, Answer answer) {
  queues()[function].push_back(std::move(answer));
}

const std::vector<std::string> &calls() { return log(); }

}  // namespace vemro_double
