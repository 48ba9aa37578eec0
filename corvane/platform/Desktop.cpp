#include "corvane/platform/Desktop.hpp"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "corvane/rtl/Utf.hpp"

namespace corvane {

std::u16string temporary_folder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path folder = "/tmp";
  if (const char* env = std::getenv("TMPDIR"); env && *env && fs::is_directory(env, ec))
    folder = env;
  fs::path canonical = fs::weakly_canonical(folder, ec);
  if (ec || canonical.empty()) canonical = folder;
  std::string text = canonical.string();
  if (text.empty() || text.back() != '/') text += '/';
  return u16(text);
}

namespace {
std::optional<TRect>& chosen_area() {
  static std::optional<TRect> area;
  return area;
}
}  // namespace

std::optional<TRect> parse_rect(const std::string& text) {
  std::istringstream in(text);
  TRect r;
  char c1 = 0, c2 = 0, c3 = 0;
  if (!(in >> r.Left >> c1 >> r.Top >> c2 >> r.Right >> c3 >> r.Bottom)) return std::nullopt;
  in >> std::ws;
  if (c1 != ',' || c2 != ',' || c3 != ',' || !in.eof()) return std::nullopt;
  if (r.Right <= r.Left || r.Bottom <= r.Top) return std::nullopt;
  return r;
}

TRect desktop_work_area() {
  if (chosen_area()) return *chosen_area();
  if (const char* env = std::getenv("CORVANE_WORK_AREA"))
    if (auto r = parse_rect(env)) return *r;
  return TRect{0, 0, 1920, 1040};
}

void set_desktop_work_area(std::optional<TRect> area) {
  chosen_area() = area;
}

}  // namespace corvane
