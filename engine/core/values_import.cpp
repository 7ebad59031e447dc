// The binary values file of an import: see csv_import.h.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "calendar.h"
#include "csv_import.h"
#include "folder_check.h"

namespace vemro::engine {
namespace {

using File = std::unique_ptr<FILE, int (*)(FILE *)>;

std::runtime_error valuesError(const std::string &path, const std::string &reason) {
  return std::runtime_error(path + ": " + reason);
}

int64_t fileBytes(FILE *file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  long bytes = std::ftell(file);
  std::rewind(file);
  return bytes;
}

}  // namespace

void SeriesImport::readValues(const std::string &path) {
  if (isFolder(path)) throw valuesError(path, "is a folder, not a file");
  File file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) throw valuesError(path, std::string("cannot open: ") + std::strerror(errno));
  int64_t expected = 0;
  for (const ValuesShape &shape : shapes_) {
    if (shape.count < 0)
      throw valuesError(path, "series '" + shape.code + "' has no start and count in the metadata");
    expected += shape.count * 8;
  }
  int64_t bytes = fileBytes(file.get());
  if (bytes != expected) {
    throw valuesError(path, "holds " + std::to_string(bytes) + " bytes where the metadata's " +
                                "counts ask for " + std::to_string(expected));
  }
  std::vector<double> values;
  for (const ValuesShape &shape : shapes_) {
    values.resize(static_cast<size_t>(shape.count));
    if (std::fread(values.data(), 8, values.size(), file.get()) != values.size())
      throw valuesError(path, "cannot be read whole");
    Series &series = series_.at(shape.code);
    int64_t first = indexHoldingDay(shape.startDay, series.record.frequency);
    if (shape.count > 0 && endsAfterYear9999(first + shape.count - 1, series.record.frequency))
      throw valuesError(path, "series '" + shape.code + "' runs past 9999-12-31");
    for (size_t i = 0; i < values.size(); ++i) {
      double value = std::isnan(values[i]) ? std::nan("") : values[i];
      if (std::isinf(value))
        throw valuesError(path, "value " + std::to_string(i + 1) + " of series '" + shape.code +
                                    "' is infinite");
      ObservationRun::Added added = series.run.add(first + static_cast<int64_t>(i), value);
      if (added == ObservationRun::Added::duplicate)
        throw valuesError(path, "series '" + shape.code + "' has a value twice for one period");
      if (added == ObservationRun::Added::tooLong)
        throw valuesError(path, "series '" + shape.code + "' spans more than 10 million periods");
    }
  }
}

}  // namespace vemro::engine
