#include "corvane/platform/LocaleFormats.hpp"

namespace corvane {

TFormatSettings user_default_format_settings() {
  return TFormatSettings{};
}

}  // namespace corvane
