#include "corvane/rtl/FormatSettings.hpp"

namespace corvane {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

}  // namespace corvane
