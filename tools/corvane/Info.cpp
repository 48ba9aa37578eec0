// corvane info: what the package's start-up sets, for a person checking an installation.
#include <ostream>

#include "corvane/files/Registry_utils.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {
const char* panic_name(Tpanic_mode mode) {
  switch (mode) {
    case panic_no_panic:
      return "panic_no_panic";
    case panic_stop_at_EOF:
      return "panic_stop_at_EOF";
    case panic_stop_asap:
      return "panic_stop_asap";
    case panic_stop:
      return "panic_stop";
  }
  return "?";
}
}  // namespace

int command_info(std::ostream& out) {
  TPackageScope package;
  out << "Units in start-up order:\n";
  int order = 0;
  for (const TPackageUnit& unit : PackageUnits()) {
    ++order;
    out << "  " << (order < 10 ? " " : "") << order << "  " << unit.name;
    if (unit.initialization) out << "  (start-up action)";
    out << '\n';
  }
  const TFormatSettings& f = UserDefaultFormatSettings;
  out << "Globals set by start-up:\n";
  out << "  my_temp_path        " << u8(my_temp_path) << '\n';
  out << "  panic_mode          " << panic_name(panic_mode) << '\n';
  out << "  Work_Area           " << Work_Area.Left << ',' << Work_Area.Top << ','
      << Work_Area.Right << ',' << Work_Area.Bottom << " (" << Work_Area.Width() << " x "
      << Work_Area.Height() << ")\n";
  out << "  thousand separator  \"" << u8(std::u16string(1, f.ThousandSeparator)) << "\"\n";
  out << "  decimal separator   \"" << u8(std::u16string(1, f.DecimalSeparator)) << "\"\n";
  out << "  short date format   " << u8(f.ShortDateFormat) << '\n';
  out << "  long date format    " << u8(f.LongDateFormat) << '\n';
  out << "  short time format   " << u8(f.ShortTimeFormat) << '\n';
  out << "  long month names    ";
  for (std::size_t i = 0; i < f.LongMonthNames.size(); ++i)
    out << (i ? ", " : "") << u8(f.LongMonthNames[i]);
  out << '\n';
  out << "The user:\n";
  try {
    out << "  user                " << u8(Registry_Current_User()) << '\n';
    out << "  user initials       " << u8(Registry_Current_User_Initials()) << '\n';
  } catch (const Exception& e) {
    out << "  user                (unknown: " << e.what() << ")\n";
  }
  return 0;
}

}  // namespace corvane::cli
