#pragma once
// The runtime's general routines in one include: 1-based strings, number conversions,
// Format, file names and dates.

#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/FormatSettings.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Strings.hpp"
