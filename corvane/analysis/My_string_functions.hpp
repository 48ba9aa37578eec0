#pragma once
// String and string-list routines of the text-analysis subsystem: lists from and to
// separated strings, clean-up of copies, readable character references, white-space
// trimming and title case, sentences, numbers, tab-separated fields, custom sort orders and
// the plain text of zipped word-processor documents. Every routine returns a new string the
// caller owns; only the sort direction flag of the field comparisons is kept between calls.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/frame/Basic_types.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

// ---- String lists from and to strings

// The pieces of `s` between separators, in order. One line feed directly after a separator
// is skipped, so with the default separator (carriage return) CR LF text splits into its
// lines; the rest after the last separator is the last piece, even when empty.
std::unique_ptr<TStringList> StringListFromString(char16_t separator, const std::u16string& s);
std::unique_ptr<TStringList> StringListFromString(const std::u16string& s);

// Clears `list` and fills it with the pieces between separators; double quotes are
// ordinary characters. Returns the number of entries (0 for an empty string).
int StringToStringListAllowDoubleQuotes(char16_t separator, const std::u16string& s,
                                        TStringList& list);

// Clears `list` and fills it with the items of `s`: a double quote toggles quoting and a
// closing quote ends an item; quotes are not copied. Returns the number of entries, negated
// when a quote is left open.
int StringToStringList(char16_t separator, const std::u16string& s, TStringList& list);

// The non-empty entries from `first` on joined by `separator`; once the result reaches
// `max_length` characters, it stops and, when entries remain, appends " etc." (the
// catalogue's text).
std::u16string StringListToString(char16_t separator, const TStringList& list, int first = 0,
                                  int max_length = INT32_MAX);

// `list_string`, then `separator` when `list_string` is not empty, then `item`.
std::u16string AddToListWithSeparatorIfNeeded(const std::u16string& list_string,
                                              const std::u16string& item,
                                              const std::u16string& separator);

// ---- Clean-up of copies

std::u16string StrippedOfChar(std::u16string_view s, char16_t c);
std::u16string StrippedOfChars(std::u16string_view s, std::u16string_view chars);
std::u16string StrippedOfCommas(std::u16string_view s);
// Every run of spaces shortened to one space.
std::u16string StrippedDoubleSpaces(std::u16string_view s);
// Every "&" removed unless the next character is also "&" ("&&" becomes "&").
std::u16string StrippedOfSingleAmpersands(std::u16string_view s);
// Every run of CR and LF that starts with a CR becomes that CR and the run's last
// character: several CR LF pairs in a row become one CR LF.
std::u16string StrippedMultipleLineEnds(std::u16string_view s);
// The same, keeping up to n CR LF pairs of each run (n = 1 is the form above).
std::u16string StrippedMultipleLineEnds(std::u16string_view s, int n);
// The trimmed string between two double quotes.
std::u16string DoubleQuotesAdded(std::u16string_view s);
// The trimmed string without any double quote.
std::u16string DoubleQuotesRemoved(std::u16string_view s);

// ---- Readable character references and title case

// The number text of a reference, upper-cased, a hexadecimal mark ("X" first, "H" last)
// turned into the "$" prefix the integer parser reads as hexadecimal: x41, X41 and 41h give
// $41; 65 stays 65.
std::u16string BracedNumberStrToDigitalformat(std::u16string_view s);

// `s` with every convertible "{CHR(n)}" reference (letters in any case) and "#n" / "#xhh;"
// reference replaced by its character. A braced reference whose number does not parse stays
// as typed; a hash reference that does not parse ends the hash pass.
std::u16string CVFormattedReadableStringToWorkString(std::u16string_view s);

// `s` with every character whose code is below `below` written as "{CHR(n)}".
std::u16string CVFormattedWorkStringToReadableString(std::u16string_view s, std::int32_t below);

// `s` without leading and trailing Unicode white space (the control codes of a parsed search
// word are not white space and remain).
std::u16string WideTrimSpaceOnly(std::u16string_view s);

// `s` in lower case with the first letter of each word (or of the first word only) in upper
// case; a letter counts as a word's first when it starts `s` or follows a code below 33.
std::u16string TitleCasedString(std::u16string_view s, bool only_first);

// True for the Unicode white-space property (used by the trimming above).
bool is_unicode_white_space(char16_t c);

// ---- Sentences and paragraphs
// Positions are 1-based code-unit positions. "Letter or digit" is a code unit of general
// category L* or Nd; "upper case" and "lower case" are the categories Lu and Ll.

// The information type of GetStringTypeExNT2000 that it answers: the type-1 classes.
inline constexpr std::uint32_t CT_CTYPE1 = 1;

// Fills types[0..length) with the type-1 class word (C1_* flags, see CharTypes.hpp) of each
// character of `text`: UTF-16 code units when `wide`, else bytes of the locale's 8-bit code
// page (each byte of a multi-byte character gets that character's class). A length of -1
// means "up to the terminating zero". False, with `types` untouched, when the locale names
// no locale, the information type is not CT_CTYPE1, a pointer is null or the length is
// below -1; a length of 0 succeeds and writes nothing.
bool GetStringTypeExNT2000(bool wide, std::uint32_t locale, std::uint32_t info_type,
                           const void* text, int length, std::uint16_t* types);

// Position of the end of the sentence that runs from `start`: once a letter or digit has
// been seen, the first terminator not followed by a letter or digit, else the last
// position of `s`. -1 when no letter or digit follows `start`.
int EndOfSentence(int start, std::u16string_view s);

// The first position at or after p (at least 1) that holds a letter or digit, looking no
// further than the last position: the length of `s` when none comes before it.
int FirstLetterOrDigitPosAfterSentenceEnd(std::u16string_view s, int p);

// False only when s[p] is a lower-case letter and not the last character of `s`.
bool FirstCharAfterSentenceEndUpperCase(std::u16string_view s, int p);

// Where the first acceptable sentence at or after p starts: a candidate beginning in lower
// case is taken as the continuation of the one before, and the search moves on to the
// next sentence end. The length of `s` when no acceptable start remains.
int FirstValidStartOfSentence(std::u16string_view s, int p);

// The sentences of a paragraph by Unicode categories. A sentence starts at an upper-case,
// other or title-case letter or a number, and ends at a terminator once it holds at least
// `minimum` word characters (a terminator before a decimal digit does not end it). Only
// sentences longer than `minimum` characters, trimmed, are kept. With `take_rest`, the
// sentence still open at the end of the paragraph is kept too (text after the last end that
// starts no sentence is not).
std::unique_ptr<TStringList> SentencesExtractedFromParagraph(bool take_rest, int minimum,
                                                             const std::u16string& para);

// The sentences of a paragraph, trimmed and non-empty. With a non-empty `marker`, the
// pieces between the markers. Without one, cut by the type-1 classes of the locale: a
// terminator ends a sentence unless the next letter or digit is lower case (or, for a full
// stop, question or exclamation mark, the next character is lower case or a digit);
// closing quotes and brackets after it stay with the sentence; "<...>" stretches of at most
// `longest_tag` characters count as punctuation. Empty when `locale` names no locale.
std::unique_ptr<TStringList> SentencesFromParagraph(const std::u16string& para,
                                                    const std::u16string& marker,
                                                    std::uint32_t locale, int longest_tag);

// Where SentencesFromParagraph (without a marker) cuts the paragraph: for each sentence but
// the last, the 1-based position of its last character (which may be the space after its
// closing quotes and brackets); the text after the last cut is the last sentence. False
// when `locale` names no locale.
bool sentence_ends_in_paragraph(std::u16string_view para, std::uint32_t locale, int longest_tag,
                                std::vector<int>& ends);

// True when `s` is not empty and begins with an upper-case letter.
bool FirstLetterIsCapitalised(std::u16string_view s);

// True when the first letter or digit at or after p is an upper-case letter.
bool NextWordCapitalised(std::u16string_view s, int p);

// The number of maximal runs of letters and digits ("don't" counts as 2).
int BasicWordCount(std::u16string_view s);

// ---- Numbers and number lists
// Formatting uses the user's default format settings (UserDefaultFormatSettings). A number
// list in compact form is decimal integers separated by commas, a run of three or more
// consecutive numbers written first-last ("1-3,5,7,8"); reading one ignores every
// character but digits, "," and "-".

// True when `s` reads as a 32-bit integer (as the runtime's integer reader reads it: "-3",
// " 42", "$1F"), or when every character is an ASCII digit, "%", ",", "." or a Unicode
// decimal digit; so "1,234.5" and "" are numbers, "12a" and "-3.5" are not.
bool IsANumber(std::u16string_view s);

// A short form of a count: divided by 1000 while at least 1000 (k times), then "%0.n" for
// k = 0, "%.1nK", "%.1nM", "%.1nG" for k = 1, 2, 3 and "%.1nYikes" beyond. 999 is "999",
// 1234 "1.2K", 5.3 million "5.3M". Infinite values and NaN are formatted as they are.
std::u16string EasiestNRepresentationOfLargeNumber(float x);

// x formatted with the picture "###0," (thousands separators) or "###0", a decimal point
// and `decimals` zeros (0 to 18; other counts are held in that range), with "%" appended
// when `percent`. With 0 decimals there is no decimal separator.
std::u16string FormattedWithDecimals(float x, int decimals, bool thousands, bool percent);

// A p-value as text: when p lies within a ten-thousandth of itself of 0.05, or of 0.1,
// 0.01, 0.001 ... 1E-10 (tried in that order), that round value stands in its place;
// fixed-point with 16 decimals, trailing zeros removed (the decimal separator stays:
// 1 gives "1."). 0.0499999 gives "0.05", 0.00999999 gives "0.01".
std::u16string PValueStr(long double p);

// The format for the ordinal of n: "%dst", "%dnd", "%drd" when n mod 10 is 1, 2, 3 (so 11
// gives "%dst" and 13 "%drd"), else "%dth". The caller formats n with it.
std::u16string OrdinalFormatOf(std::int32_t n);

// The compact form of the integers in the order given: 1,2,3,5,7,8 gives "1-3,5,7,8" and
// 1,2,5 gives "1,2,5". Entries of the string list that are not integers are skipped.
std::u16string HumanAbbreviatedNumberListString(const TStringList& list);
std::u16string HumanAbbreviatedNumberListString(const std::vector<std::int32_t>& list);

// Reading the compact form. Digits make the current number; "," ends it; "-" takes it
// (0 when there is none) as a range's start and the digits that follow as its end, and
// stands for every number from start to end (none when the end is lower); the last number
// ends the text. A number beyond 2147483647, or more than 16 Mi (16,777,216) numbers in
// all, raise corvane::Exception rather than exhaust memory.
inline constexpr std::size_t HumanNumberListLimit = std::size_t{1} << 24;
// The numbers joined by ",": "2-4,9" gives "2,3,4,9".
std::u16string HumanAbbreviatedNumberListStringExpanded(std::u16string_view s);
// Each number minus the offset, in order ("2-4" with offset 1 gives 1, 2, 3); a difference
// outside 32 bits raises corvane::Exception.
std::vector<std::int32_t> HumanAbbreviatedNumberListStringAsIntegers(std::u16string_view s,
                                                                     std::int32_t offset);
// The k-th number (from 1) of the expanded list as text, the last one when the list is
// shorter, found without writing the list out: "2-4,9" gives "3" for k = 2 and "9" for
// k = 9. Empty for an empty list or k below 1; a number beyond 2147483647 raises
// corvane::Exception.
std::u16string ANumberInHumanString(std::u16string_view s, std::int32_t k);

// The string with the first occurrence of each month number "01" to "12" (in that order)
// replaced by that month's short name.
std::u16string HumanAbbreviatedNumberListStringToMonths(std::u16string_view s);

// n in decimal, left-padded with "0" to `width` characters when shorter (the sign counts
// as a character and is padded over: -5 at width 4 is "00-5"); widths beyond 1000 count as
// 1000.
std::u16string WithLeftZeros(std::int32_t width, std::int32_t n);

// Each character's code in upper-case hexadecimal, at least two digits, followed by ",":
// "AB" gives "41,42,".
std::u16string ToHexNumStr(std::u16string_view s);
// For each group of three characters, the first two read as a hexadecimal code give a
// character (a text of length L yields L div 3 characters); a group whose two characters are
// not hexadecimal digits gives nothing.
std::u16string FromHexNumStr(std::u16string_view s);
// The characters whose decimal codes are listed, each followed by ",": "65,66," gives "AB".
// A last code without a comma is ignored; pieces that are not codes 0 to 65535 are skipped.
std::u16string FromNumStr(std::u16string_view s);

// ---- Tab-separated fields and list sorting
// A line holds fields separated by tabs. The pre-tab part is the text before the first tab;
// the n-th after-tab part the text after the n-th tab up to the next tab or the end.

// The text before the first tab; empty when the line has no tab.
std::u16string PreTabPart(std::u16string_view line);
// The text after the n-th tab up to the next one (or the end); empty when the line has
// fewer than n tabs or n is below 1.
std::u16string AfterTabPart(std::u16string_view line, std::int32_t n = 1);
// The pre-tab part (a path and file name).
std::u16string PreTabPathAndFilenameOf(std::u16string_view line);
// The file name, without its folder, of the pre-tab part.
std::u16string PreTabFilenameOf(std::u16string_view line);
// `s` itself when it reads as an integer; otherwise only its ASCII digits, in order, so
// "1,234" gives "1234" and "n/a" an empty string.
std::u16string DigitsOnlyOf(std::u16string_view s);
// The n-th after-tab part read as an integer after DigitsOnlyOf; -1 when that fails.
std::int32_t AfterTabIntegerOf(std::u16string_view line, std::int32_t n = 1);
// The n-th after-tab part read as a floating-point number with the user's decimal
// separator, held as an IEEE single; -1.0 when that fails.
float AfterTabFloatOf(std::u16string_view line, std::int32_t n);
// The n-th after-tab part read as a date and optional time with
// Global_StringToDateTimeFormat (day/month/year); the current date and time when that
// fails, so undated lines get keys that change from one call to the next.
TDateTime AfterTabDateOf(std::u16string_view line, std::int32_t n = 1);
// The line, a tab (only when the line is not empty) and the field.
std::u16string AddWithTab(std::u16string_view line, std::u16string_view field);
// Index of the first line whose pre-tab part equals `name` exactly (case matters); -1
// when none does.
std::int32_t IndexOfPreTabFnameOnly(const TStringList& list, std::u16string_view name);

// Stores `descending` in the sort direction flag that the comparisons below read, then
// custom-sorts the list with `compare`. The flag is per thread, so such sorts are not
// re-entrant on one thread but may run side by side on several.
void SetSortDescendingAndSort(bool descending, TStringList& list, TStringListSortCompare compare);

// Comparisons for TStringList::CustomSort: negative, 0 or positive for the keys of the two
// lines; equal keys compare as 0. With the direction flag false:
// - file name of the pre-tab part, upper-cased (ASCII letters, whatever the locale) and
//   compared by code unit: ascending;
// - AfterTabDateOf of field n (1 when not given): ascending, earlier first;
// - AfterTabIntegerOf / AfterTabFloatOf of field n: descending, largest first.
// The flag true reverses each order. The forms with n are not list comparisons themselves;
// wrap them to sort by another field.
int StringListCompareStringsFilenamePreTab(TStringList* list, std::int32_t index1,
                                           std::int32_t index2);
int StringListCompareStringsDateAfterTab(TStringList* list, std::int32_t index1,
                                         std::int32_t index2);
int StringListCompareStringsDateAfterTab(TStringList* list, std::int32_t index1,
                                         std::int32_t index2, std::int32_t n);
int StringListCompareStringsIntegerAfterTab(TStringList* list, std::int32_t index1,
                                            std::int32_t index2);
int StringListCompareStringsIntegerAfterTab(TStringList* list, std::int32_t index1,
                                            std::int32_t index2, std::int32_t n);
int StringListCompareStringsIntegerAfterTab2(TStringList* list, std::int32_t index1,
                                             std::int32_t index2);
int StringListCompareStringsIntegerAfterTab3(TStringList* list, std::int32_t index1,
                                             std::int32_t index2);
int StringListCompareStringsFloatAfterTab(TStringList* list, std::int32_t index1,
                                          std::int32_t index2);
int StringListCompareStringsFloatAfterTab2(TStringList* list, std::int32_t index1,
                                           std::int32_t index2);
int StringListCompareStringsFloatAfterTab3(TStringList* list, std::int32_t index1,
                                           std::int32_t index2);

// The keys the comparisons above compare, for callers that sort many lines and would
// rather read each line's key once: the upper-cased file name of the pre-tab part, and a
// view of the n-th after-tab part (empty as AfterTabPart's result is).
std::u16string filename_pre_tab_key(std::u16string_view line);
std::u16string_view after_tab_field(std::u16string_view line, std::int32_t n);
// The direction flag SetSortDescendingAndSort stores for this thread.
bool sort_descending_flag();

// ---- Sorting many lines by a key read once
// What a line sorts by: the file name of its pre-tab part (ASCII letters upper-cased),
// the date, integer or float of after-tab field `field`, or its key in a prepared custom
// order. The order is the one the list comparisons above give: names and dates ascending,
// numbers largest first; the custom order ascending by key.
enum class line_key_kind { name, date, integer, floating, custom };
struct line_sort_key {
  line_key_kind kind = line_key_kind::name;
  std::int32_t field = 1;                 // for dates and numbers
  const TStringList* prepared = nullptr;  // for custom: CustomSortPreparedStringlist's list
};

// The indices of `lines` in the order of their keys; `descending` turns it round, as
// SetSortDescendingAndSort's flag does. Each line's key is read once. Lines with equal keys
// come in no set order unless `stable` (a custom order always keeps them in input
// order; turned round, last first). Large lists are keyed and sorted on two threads.
std::vector<std::uint32_t> sorted_line_order(const std::vector<std::u16string_view>& lines,
                                             const line_sort_key& key, bool descending,
                                             bool stable);
// A line's key as text: the upper-cased file name; the date as "yyyy-mm-dd hh:nn:ss"; the
// integer in decimal; the float as the shortest text of the IEEE single (a NaN as -1); the
// custom order's key.
std::u16string line_sort_key_text(std::u16string_view line, const line_sort_key& key);

// ---- Custom sort order
// A user's order is a comma-separated list of letters and letter groups ("a,b,c,ch,d").
// Prepared, it is a string list of those entries, longest first (equal lengths by code
// unit), each with its order number (its position in the user's list, from 0) in its
// object slot. A line's sort key replaces each character covered by an entry with the
// character 64 + the entry's order number; other characters stay as they are.

// The pieces between commas, each trimmed, then the rest after the last comma as it is
// (not trimmed) when not empty. Yields (MyYieldProcess) once per piece.
std::unique_ptr<TStringList> CommaSeparatedStrings(const std::u16string& s);
// The prepared form of a comma-separated order; empty pieces are skipped and do not take
// an order number. An order with more than 65,471 entries, whose numbers would not fit a
// code unit, raises corvane::Exception.
std::unique_ptr<TStringList> CustomSortPreparedStringlist(const std::u16string& order);
// The sort key of `line`: entries are matched longest first, each occurrence in the part
// of the line no longer entry has covered yet ("c,ch,h" gives "chc" the key "AA@").
std::u16string NormalisedLineForCustomSort(std::u16string_view line, const TStringList& prepared);
// The lines ordered by their keys, compared by code unit up to a U+0000; each entry's
// object slot holds the line's index in `lines`. Lines with equal keys keep their order.
std::unique_ptr<TStringList> CustomLinesSorted(const TStringList& lines,
                                               const TStringList& prepared);
// The highest order number a key character can hold.
inline constexpr std::int32_t CustomSortMaxOrderNumber = 0xFFFF - 64;

// ---- Tags and mark-up
// A tag is plain text from an opening character (normally "<") to the next closing
// character (normally ">"): no nesting, no attributes parsed. A closing ("off") tag begins
// with "</". Positions are 1-based.

// True when `tag` begins with "</".
bool IsAnOffTag(std::u16string_view tag);
// The closing form of a tag: "<b>" gives "</b>"; a tag without a leading "<" gets a
// leading "/" ("b>" gives "/b>"); "" gives "". Attributes stay ("<s n=1>" gives
// "</s n=1>").
std::u16string SameTagButSwitchedOff(std::u16string_view tag);
// A tag ending in ">" with ` "n"` inserted before the ">" ("<p>", 3 gives `<p "3">`);
// any other string unchanged.
std::u16string TagOnNumbered(std::u16string_view tag, std::int32_t n);
// `s` with "<" put before it unless it begins with "<" and ">" after it unless it ends with
// ">"; Bracketed does the same with "(" and ")".
std::u16string Angle_Bracketed(std::u16string_view s);
std::u16string Bracketed(std::u16string_view s);
// `s` without one leading "<" and without one trailing ">".
std::u16string UNAngle_Bracketed(std::u16string_view s);
// True when `s` begins with "<" and ends with ">" ("<" alone does not).
bool IsAngleBracketed(std::u16string_view s);
// True when no code unit of `s` is a lower-case letter (general category Ll); "" is true.
bool IsAllUppercase(std::u16string_view s);
bool ContainsAPercent(std::u16string_view s);
// The n characters before position p (from position 1 when p is near the start); "" when
// n <= 0 or p <= 1. Positions past the end are clipped as Copy clips them.
std::u16string PrecedingContext(std::u16string_view text, std::int32_t n, std::int32_t p);
// The text between the first "<name>" and the first "</name>", when both occur and the
// closing one starts after the opening one ends; `found` tells whether they did. Names
// are compared exactly (case matters).
std::u16string SimpleTagValue(std::u16string_view name, std::u16string_view text, bool& found);
// The same, trimmed of spaces and control characters at both ends.
std::u16string TrimmedSimpleTagValue(std::u16string_view name, std::u16string_view text,
                                     bool& found);
// The text between the first `start_mark` and the first `end_mark` searched from the start
// mark's position; "" when either is missing or empty.
std::u16string ExtractMarkupDataFromText(std::u16string_view text, std::u16string_view start_mark,
                                         std::u16string_view end_mark);
// Only the tags of the text, concatenated. Each opening character that has a closing one
// after it starts a copy through that closing character, so an opening character inside a
// tag starts a further, overlapping copy ("<a<b>" gives "<a<b><b>").
std::u16string MarkupWithoutText(std::u16string_view text, char16_t open, char16_t close);
std::u16string MarkupWithoutText(std::u16string_view text);
// The text without its tags. A tag is dropped when its closing character lies at most
// `longest` positions after its opening one (an opening character with no closing one
// counts the end of the text plus one: it drops the rest of the text); a longer stretch
// keeps its opening character as text. `longest` <= 0 gives the text unchanged.
std::u16string WithoutMarkup(std::u16string_view text, char16_t open, char16_t close,
                             std::int32_t longest);
std::u16string WithoutMarkup(std::u16string_view text, std::int32_t longest);
// The text with every "</p>", "</div>" and "</head>" (ASCII letters in any case) replaced
// by CR LF.
std::u16string ParaDivHeadingEndToCRLF(std::u16string_view text);
// The first opening tag ("<" to the next ">") whose closing form (SameTagButSwitchedOff)
// occurs nowhere in the text and which `accept` (when set) accepts; `accept` is given the
// tag's position, the tag and the `context_length` characters before it. Closing tags are
// passed over, and so are tags with "%" when `skip_percent`, and tags whose inner text holds
// a lower-case letter when `upper_only`. "" when there is none. The first two arguments
// are not used. Work is linear in the text plus the length of the tags looked at.
std::u16string OpenWithoutCloseTagInText(std::u16string_view unused1, std::u16string_view unused2,
                                         std::u16string_view text, bool skip_percent,
                                         bool upper_only, std::int32_t context_length,
                                         const T2StringsAndIntegerBoolFunct& accept);

// ---- Word-processor document text

// The part after the last "/" or "\" of `path`; the whole path when it holds neither.
std::u16string BothSlashesExtractFilename(const std::u16string& path);

// The plain text of a zipped word-processor document: the text runs of each paragraph of
// its body part (the first entry, in archive order, whose name without folders is
// "Document.xml" in any letter case), each paragraph ended by CR LF. Entities are not
// decoded, and tabs, breaks, headers, notes and every other part are left out. Empty when
// the file does not exist, holds no body part, or the body part is empty. An archive that
// cannot be opened, or a body part that cannot be read (damaged, or inflating beyond
// kDocxBodyLimit bytes), raises corvane::Exception naming the file and the reason.
std::u16string DOCXFileText(const std::u16string& file_name);

// The most a body part may inflate to: the zip component's per-entry limit (512 MiB).
inline constexpr std::uint64_t kDocxBodyLimit = std::uint64_t{512} << 20;

// The text DOCXFileText gives for a body part whose bytes (UTF-8; an ill-formed sequence
// becomes U+FFFD) are already in memory. Each alternate-content block gives way to its
// fallback; then paragraphs ("<w:p" followed by a space or ">", up to the next "</w:p>")
// and their text runs ("<w:t" followed by a space or ">", up to the next "</w:t>") are
// found by their tags, not by an XML parser, so damaged mark-up only loses what it
// damages. The work is linear in the size of the part and the text is never longer, in
// code units, than the part is in bytes.
std::u16string docx_body_text(std::string_view body);

}  // namespace corvane
