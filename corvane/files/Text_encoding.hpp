#pragma once
// Which encoding a corpus text is read in when its bytes do not say: the code page of an
// 8-bit text (fixed by the user, the language's, or named by a charset detector when it is
// sure enough, else the system's), when a text that is UTF-8 but for a few bad bytes is
// still read as UTF-8, and when a file is no text at all.
//
// The detector is uchardet's: it tells the windows-125x pages from their ISO-8859
// neighbours and the Cyrillic pages from each other better than ICU's. It names a
// charset but gives no confidence, so the confidence is ours: how plausibly the text reads
// in that charset (see charset_plausibility).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/platform/Locales.hpp"

namespace corvane {

// Below this confidence the detector's guess is not used and the system code page is.
inline constexpr double kLeastCharsetConfidence = 0.75;

// How the code page of 8-bit texts is chosen (the program's --encoding and --lang).
struct text_encoding_choice {
  enum class mode : std::uint8_t {
    automatic,  // the detector's guess when it is sure enough, else the system code page
    system,     // the system code page (CORVANE_ANSI_CODEPAGE), no detector
    fixed,      // `charset` for every 8-bit text (--encoding NAME)
    language,   // `charset` is the language's code page (--lang)
  };
  mode how = mode::automatic;
  std::string charset;  // an ICU converter name, for fixed and language
  double least_confidence = kLeastCharsetConfidence;
};

// The choice a user's --encoding value makes: "auto" (any letter case), a Windows code-page
// number ("1251") or an ICU converter name or alias ("windows-1251", "KOI8-R",
// "ISO-8859-7", "cp866"). False, and `choice` unchanged, for a name ICU cannot open.
bool text_encoding_from_name(std::string_view name, text_encoding_choice& choice);

// The choice --lang makes without --encoding: the language's 8-bit code page
// (LCIDToCodePage); automatic for a language whose script has none.
text_encoding_choice text_encoding_for_language(TLCID lcid);

// The ICU name of a Windows code page in the form users know ("windows-1251", "KOI8-R");
// the system code page for 0.
std::string charset_display_name(std::string_view charset);
std::string system_charset();

// What the detector makes of bytes, on at most their first MiB: the charset it names
// (empty when it names none, "ASCII" for bytes below 0x80) and our confidence in it, 0 to 1.
struct charset_guess {
  std::string charset;
  double confidence = 0;
};
charset_guess detect_charset(const unsigned char* p, std::size_t n);

// How plausibly bytes read in a charset, 0 to 1: the share of the characters that bytes of
// 0x80 and above decode to that read as text. A letter counts for it, unless the letter
// before it in the word is of another script (an accented letter of a Latin word read as
// Cyrillic or Greek) or a small letter comes before a capital; C1 controls, unmapped bytes
// and unassigned characters count against it; punctuation and symbols neither way. Text
// with none of these is 1; -1 when ICU cannot open the charset.
double charset_plausibility(const unsigned char* p, std::size_t n, std::string_view charset);

// Where the charset of an 8-bit text came from.
enum class charset_basis : std::uint8_t {
  fixed,     // --encoding
  language,  // --lang
  detected,  // the detector, sure enough
  system,    // the system code page: asked for, or the detector unsure
};

struct charset_decision {
  std::string charset;  // the ICU converter name the text is read with
  charset_basis basis = charset_basis::system;
  // The detector's guess and confidence, when it was asked (empty and -1 otherwise).
  std::string detected;
  double confidence = -1;
};

// The charset 8-bit bytes are read in under a choice.
charset_decision choose_charset(const unsigned char* p, std::size_t n,
                                const text_encoding_choice& choice);

// How UTF-8-like bytes are: the well-formed multi-byte sequences, the bytes that belong to
// none (each read as U+FFFD), and where the first such byte is.
struct utf8_census {
  std::uint64_t multibyte = 0;
  std::uint64_t bad = 0;
  std::uint64_t first_bad = 0;
};
utf8_census count_utf8(const unsigned char* p, std::size_t n);

// Whether bytes that are not strict UTF-8 are still read as UTF-8, their bad bytes as
// U+FFFD: when they hold at least as many well-formed multi-byte sequences as bad bytes.
// Text in an 8-bit code page almost never holds a well-formed sequence (a letter of 0xC0
// and above followed by one of 0x80 to 0xBF, 0xE0 and above by two), so one accented letter
// in it does not tip it; a UTF-8 text with a stray byte per word still reads as UTF-8.
bool mostly_utf8(const utf8_census& census);

// Whether bytes (a file's start, after its byte-order mark and UTF-16 checks) are no text:
// the signatures of executables (ELF, PE "MZ"), images (PNG, JPEG, GIF), gzip, bzip2, xz,
// zstd, PDF, zip, structured-storage and early word-processor documents; or, in the first
// 64 KiB of a file of 1 KiB or more, more than 1 zero byte in 100, or more than 1 zero or
// control byte in 10 (other than tab, line feed, carriage return, form feed, vertical tab
// and escape). A stray zero byte in a text is a blank, not a sign of a binary file.
bool looks_binary(const unsigned char* p, std::size_t n);

}  // namespace corvane
