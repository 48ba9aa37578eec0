#pragma once
// The visual style in use. Styles are numbered 0 to 12 (see Tms_utils for the colours each
// one gives); the start-up value is style 7 (white backgrounds, black text, yellow
// selection), the style the tools show until the user picks another.

#include <cstdint>

namespace corvane {

using TTMSStyle = std::int32_t;

// The style every colour table defaults to; 7 after start-up.
extern TTMSStyle GlobalTMSStyle;
constexpr TTMSStyle kStartUpTMSStyle = 7;

// Start-up: GlobalTMSStyle := 7.
void Mytmsstylebase_initialization();

}  // namespace corvane
