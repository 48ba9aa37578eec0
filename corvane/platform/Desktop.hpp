#pragma once
// The desktop as the library sees it: the temporary folder and the work area (the screen
// less the panels), both as the operating system reports them, the work area settable by
// a host that knows its display better.

#include <optional>
#include <string>

namespace corvane {

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// The user's temporary folder with a trailing "/": $TMPDIR when it names an existing
// folder, else /tmp, resolved to its canonical path (no symbolic links, no "..").
std::u16string temporary_folder();

// The desktop work area. A rectangle set by set_desktop_work_area wins; else the
// environment variable CORVANE_WORK_AREA ("left,top,right,bottom"); else, when no display
// can be asked, 1920 by 1080 less a 40-pixel panel at the bottom.
TRect desktop_work_area();
void set_desktop_work_area(std::optional<TRect> area);

// Parses "left,top,right,bottom" (blanks allowed round the numbers); nothing when the
// text is not four integers or the rectangle is empty.
std::optional<TRect> parse_rect(const std::string& text);

}  // namespace corvane
