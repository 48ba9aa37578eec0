#pragma once
// Character, case, code-page and scanning services over the platform, and the desktop
// globals that the package sets at start-up.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "corvane/frame/Basic_types.hpp"
#include "corvane/platform/Desktop.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/FormatSettings.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

// The desktop work area (the screen less the panels), set at start-up.
extern TRect Work_Area;
// The number and date formats of the user's default locale, set at start-up.
extern TFormatSettings UserDefaultFormatSettings;

// ---- Constants ---------------------------------------------------------------------

// The UTF-8 byte-order mark.
inline constexpr std::array<std::uint8_t, 3> UTF8_signature = {0xEF, 0xBB, 0xBF};
inline constexpr std::u16string_view CRLF = u"\r\n";
inline constexpr std::u16string_view HexCharactersStr = u"0123456789ABCDEFabcdef";
// The characters that mark a hexadecimal number ("x1F", "$1F", "1Fh").
inline constexpr std::u16string_view HexSignalStr = u"Xx$Hh";
inline constexpr float mm_to_inch = 0.03937008f;
inline constexpr float inch_to_cm = 2.54f;
inline constexpr float inch_to_mm = 25.4f;
inline constexpr float inch_to_mm100 = 2540.0f;

// ---- A string list that knows its language ----------------------------------------

// The ordinary string list with the locale of its text and whether it is to be saved as
// UTF-16. The constructor stores the identifier in Language and sets SaveUnicode.
class TLanguageStringlist : public TStringList {
 public:
  explicit TLanguageStringlist(TLCID language) : Language(language) {}

  std::uint32_t Language = 0;
  bool SaveUnicode = true;
};

// ---- Character classes -------------------------------------------------------------

// True for the ten ASCII digits "0" to "9" only.
bool IsOrdinaryNumberChar(char16_t c) noexcept;
// True for any Unicode decimal digit (general category Nd): ASCII, Arabic-Indic,
// Devanagari, full-width and the rest.
bool IsADigitChar(char16_t c) noexcept;

// ---- Case --------------------------------------------------------------------------

// The string mapped with the casing rules of the locale (full mapping: Turkish and Azeri
// dotted and dotless i, Greek final sigma, sharp s upper-cased to "SS"). An identifier
// that names no locale gets the rules of no particular language.
std::u16string Lowercase(TLCID locale, std::u16string_view s);
std::u16string Uppercase(TLCID locale, std::u16string_view s);
// The string mapped with the locale-independent Unicode simple mapping (length kept).
std::u16string Lowercase(std::u16string_view s);
std::u16string Uppercase(std::u16string_view s);

// Maps the zero-terminated buffer in place with the casing rules of the locale, keeping
// its length (a mapping that would change the length, such as sharp s to "SS", falls back
// to the simple one for that character). Returns the number of characters written,
// counting the terminating zero as the system's mapping does for zero-terminated text; 0,
// with the buffer unchanged, when the buffer is null or the identifier names no locale.
int LowercaseIt(TLCID locale, char16_t* p);
int UppercaseIt(TLCID locale, char16_t* p);

// ---- Code pages and measurement ----------------------------------------------------

// The locale's default 8-bit ("ANSI") code page (0 for a locale whose script has none);
// the system's 8-bit code page for an identifier that names no locale we know. The two
// routines give the same results.
int CodePageFromLocale(TLCID lcid);
int LCIDToCodePage(TLCID lcid);

// False when the locale measures in the U.S. system; true otherwise, also when the
// locale's measurement system cannot be read.
bool UserDefaultMeasurements(TLCID lcid);

// ---- UTF-16 byte order and scanning ------------------------------------------------

// Swaps the two bytes of every code unit of a zero-terminated buffer, in place, up to the
// terminating zero. A null pointer is accepted.
void StrSwapByteOrder(char16_t* p) noexcept;

// The first of the first n code units of p that equals c; null when there is none, when
// n is 0 or less, or when p is null. Vectorised (SSE2, AVX2 where the processor has it).
const char16_t* StrLScanW(const char16_t* p, char16_t c, int n) noexcept;
inline char16_t* StrLScanW(char16_t* p, char16_t c, int n) noexcept {
  return const_cast<char16_t*>(StrLScanW(static_cast<const char16_t*>(p), c, n));
}

namespace detail {
// The reference StrLScanW, one code unit at a time; the vector kernels must agree with it.
const char16_t* StrLScanW_scalar(const char16_t* p, char16_t c, int n) noexcept;
// Which kernel StrLScanW uses: "avx2", "sse2" or "scalar".
const char* StrLScanW_kernel() noexcept;
// Every kernel this processor can run, the scalar reference first, for tests and
// benchmarks.
struct StrLScanW_kernel_entry {
  const char* name;
  const char16_t* (*fn)(const char16_t*, char16_t, int) noexcept;
};
std::span<const StrLScanW_kernel_entry> StrLScanW_kernels() noexcept;
}  // namespace detail

// ---- Small system services ---------------------------------------------------------
//
// Paths may be given in the form of settings written on Windows ("D:\\texts"): a drive
// letter names a mount point and "\\" is a delimiter (see corvane/platform/Drives.hpp for
// how letters map to mount points).

// The bit mask of existing drive letters (bit 0 = A), refreshed by each drive test.
extern std::uint32_t DriveBits;

// For a path longer than 3 characters: its absolute form, "." and ".." resolved, without
// a trailing delimiter; a shorter one (a drive root such as "C:\\" or "/") unchanged.
std::u16string NormalisedPath(const std::u16string& path);
// The same, written into the buffer (zero-filled first, at most 260 characters,
// zero-terminated).
void NormalisedPathW(const std::u16string& path, maxpathwidechar& buffer);
// A new list (the caller owns it) whose first entry is the folder as given; when
// include_subfolders, followed by every subfolder, depth first, as a full path. Hidden
// folders (their name begins with ".") are left out, and a symbolic link to a folder is
// never entered. The names keep their case: folder names differ by case on this system.
// Yields once per entry.
TStringList* ListOfSubFolders(const std::u16string& folder, bool include_subfolders);
// The system's text for the last error (errno), at most 255 characters.
std::u16string GetLastErrorString();
// Whether to go on writing `needed` bytes under `path`: false for an empty path; true
// when the free space cannot be read or suffices; otherwise the user is asked
// "Only %dMb space left on %s -- Proceed?" (OK and Cancel) and OK goes on.
bool ProceedIfLittleDiskSpace(const std::u16string& path, std::int64_t needed);
// True when no file of the name exists, or when the user answers Yes to "Overwrite %s?".
bool OKToOverwrite(const std::u16string& file_name);
// As OKToOverwrite, asking "Overwrite %s (with backup)?"; on Yes the file is first copied
// to the same name with the extension ".bak" (replacing an older backup). When that copy
// fails the answer is false, so nothing is overwritten without its backup.
bool OKToOverwriteWithBackup(const std::u16string& file_name);
// Changes the name until no file (or folder, or link) of that name exists: a name without
// "." (in its own part, not its folder's) gets one; then, while the name is taken, the batch number
// goes up by 1 and "_", the number with at least three digits, and the extension replace the
// extension (so "report.txt" becomes "report_001.txt", then "report_001_002.txt"). Returns true.
bool ForcedToBeNewFile(std::u16string& file_name);
// The process-wide batch number (0 at start-up); set to the larger of n and 0.
void SetBatchFileStartNumberTo(std::int32_t n);
std::int32_t GetBatchFileStartNumber();
// "true" or "false" (the catalogue's texts).
std::u16string BooleanToStr(bool value);
// True when the text equals the catalogue's "true", ignoring case.
bool StrToBoolean(const std::u16string& text);
bool FileNameHasWildCards(const std::u16string& name);
// True when the letter names an existing drive (DriveBits, refreshed first) whose size
// can be read.
bool ValidDrive(char letter);
bool ValidDriveW(char16_t letter);
// True when the root (a mount point, or a letter root such as "C:\\") is a fixed,
// non-removable, local drive.
bool Fixed_Drive(const std::u16string& root);
// True when the path exists and is a folder (a link to a folder counts).
bool sIsADirectory(const std::u16string& path);
// "r" read-only (0x01), "a" archive (0x20), "s" system (0x04), "h" hidden (0x02),
// "d" directory (0x10), in that order; empty when none is set.
std::u16string AttributesToStr(std::uint16_t attributes);
// The last n characters (the whole string when it is shorter; empty for n <= 0).
std::u16string Rightstr(const std::u16string& s, std::int32_t n);
// Every "&" that is not next to another "&" doubled: "Save & Close" gives "Save && Close",
// "A&&B" stays.
std::u16string DoubleAnyAmpersands(const std::u16string& s);
// The last-write time of the running program's file (local time); 0 when unknown.
TDateTime Compilation_DateTime();
// That date in the user's short date format, and its year in four digits.
std::u16string Compilation_Date();
std::u16string Compilation_Year();
// Today as a whole day number (days since 30 December 1899).
std::int32_t TodayAsLongint();
// The seconds between the date-time and now, counting only the fraction of a day,
// rounded to the nearest second (ties to even).
std::int32_t SecondsElapsedSince(TDateTime since);
// The seconds since midnight of the date-time, rounded (ties to even).
std::int32_t TodaysTimeInSeconds(TDateTime time);
// The number with thousands separators and no decimals, formatted through an IEEE single
// (so beyond about 16 million the last digits are rounded); "*" when formatting fails.
std::u16string IntToDecStr(std::int32_t value, const TFormatSettings& settings);
std::u16string IntToDecStr(std::int64_t value, const TFormatSettings& settings);
// The number with thousands separators and two decimals ("####,.00"); "*" on failure.
std::u16string RealToDecStr(double value, const TFormatSettings& settings);
float Int64ToSingle(std::int64_t value);

// A copy of a file beside the target, renamed into place when complete (the target's
// permission bits and owner are kept when it is replaced). False on any failure, with the
// target as it was.
bool copy_file_replacing(const std::u16string& source, const std::u16string& target);

void Wingenok_initialization();
void Wingenok_finalization();

}  // namespace corvane
