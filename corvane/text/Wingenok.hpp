#pragma once
// Character, case, code-page and scanning services over the platform, and the desktop
// globals that the package sets at start-up.

#include "corvane/platform/Desktop.hpp"
#include "corvane/rtl/FormatSettings.hpp"

namespace corvane {

// The desktop work area (the screen less the panels), set at start-up.
extern TRect Work_Area;
// The number and date formats of the user's default locale, set at start-up.
extern TFormatSettings UserDefaultFormatSettings;

void Wingenok_initialization();
void Wingenok_finalization();

}  // namespace corvane
