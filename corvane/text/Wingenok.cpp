#include "corvane/text/Wingenok.hpp"

#include "corvane/frame/Package_log.hpp"
#include "corvane/platform/LocaleFormats.hpp"

namespace corvane {

TRect Work_Area;
TFormatSettings UserDefaultFormatSettings;

void Wingenok_initialization() {
  Work_Area = desktop_work_area();
  UserDefaultFormatSettings = user_default_format_settings();
  FormatSettings() = UserDefaultFormatSettings;
}

void Wingenok_finalization() {
  write_package_log_line(u"quit wingenok, ");
  UserDefaultFormatSettings = TFormatSettings{};
}

}  // namespace corvane
