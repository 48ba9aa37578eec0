#pragma once
// The user's default number and date formats, from the locale data of the default locale
// (taken from the environment: LC_ALL, LC_NUMERIC/LC_TIME, LANG).

#include "corvane/rtl/FormatSettings.hpp"

namespace corvane {

TFormatSettings user_default_format_settings();

}  // namespace corvane
