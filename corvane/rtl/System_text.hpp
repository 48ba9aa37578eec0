#pragma once
// The system's text conventions as the runtime layer needs them: the default locale that
// comparisons collate by, and how 8-bit text in the system's code page becomes UTF-16.
//
// Code pages belong to the platform layer, which sits above this one. The platform's code
// page unit (CodePages) installs its decoder here when it is initialised: as the shared
// library is loaded, or at a static program's start when the program links that unit. A
// program that does not gets the built-in windows-1252 decoder, which is also the
// platform's default system code page.

#include <string>
#include <string_view>

namespace corvane {

// The ICU locale name of the environment's default locale ("en_US" for the C/POSIX locale).
std::string default_icu_locale();

// Decodes 8-bit text in the system's code page into `out`; false when it cannot (the code
// page is unavailable), leaving `out` unspecified.
using TAnsiDecoder = bool (*)(std::string_view bytes, std::u16string& out);

// Installs the system's 8-bit decoder; null goes back to the built-in one. Returns the one
// installed before (null for the built-in).
TAnsiDecoder set_ansi_decoder(TAnsiDecoder decoder);

// 8-bit text to UTF-16 with the installed decoder, or windows-1252 when none is installed
// or it fails. Never fails: windows-1252 gives every byte a character (its five unassigned
// bytes become the C1 controls of the same value, as Windows maps them).
std::u16string decode_ansi_text(std::string_view bytes);

// windows-1252 alone.
std::u16string windows_1252_to_utf16(std::string_view bytes);

}  // namespace corvane
