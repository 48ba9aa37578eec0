#include "corvane/frame/Package_log.hpp"

namespace corvane {

std::function<void(const std::u16string&)> package_log_line;

void write_package_log_line(const std::u16string& line) {
  if (package_log_line) package_log_line(line);
}

}  // namespace corvane
