#pragma once
// Text files of unknown encoding: what a file or a buffer holds (8-bit text, UTF-8,
// UTF-16 in either byte order, or a document or archive that is not text), loading text
// whose UTF-8 content was never declared, turning 8-bit text files into UTF-16 files, and
// writing text back as UTF-16 little-endian with its byte-order mark.
//
// Files this unit writes replace the old file only when the new one is complete: the
// bytes go to a temporary file beside the target, which is renamed over it at the end.
// A failure on the way removes the temporary file and leaves the original untouched.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "corvane/files/File_utils_operations.hpp"
#include "corvane/files/Text_encoding.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

// The kinds of content a file may hold; the ordinals are the bit positions of
// TFileContentsSet.
enum TFileContentsTypes : std::uint8_t {
  _8_bit = 0,            // 8-bit text in a single-byte code page, or plain ASCII
  _UTF8 = 1,             // UTF-8 text
  _16_bit = 2,           // UTF-16 little-endian
  _early_Word = 3,       // early word-processor document: DB A5 2D 00
  _Storage = 4,          // structured-storage (compound) document: D0 CF 11 E0
  _Zip = 5,              // zip archive: 50 4B 03 04
  _16_bit_reversed = 6,  // UTF-16 big-endian
};

// A set of TFileContentsTypes in one byte: bit n is the member of ordinal n. The empty
// set means the content could not be judged.
struct TFileContentsSet {
  std::uint8_t bits = 0;

  constexpr TFileContentsSet() = default;
  constexpr TFileContentsSet(std::initializer_list<TFileContentsTypes> members) {
    for (TFileContentsTypes m : members) bits |= static_cast<std::uint8_t>(1u << m);
  }
  static constexpr TFileContentsSet from_byte(std::uint8_t b) {
    TFileContentsSet s;
    s.bits = b;
    return s;
  }
  constexpr bool contains(TFileContentsTypes m) const { return (bits >> m) & 1u; }
  constexpr void include(TFileContentsTypes m) { bits |= static_cast<std::uint8_t>(1u << m); }
  constexpr bool empty() const { return bits == 0; }
  constexpr bool operator==(const TFileContentsSet&) const = default;
};

// The member's name as written in code ("_8_bit", "_UTF8" ...); empty for a bad value.
std::string_view file_contents_type_name(TFileContentsTypes type);
// The names of the verdict's members in order, joined by `separator`; "unknown" for none.
std::string file_contents_names(TFileContentsSet verdict, char separator);

// What a buffer of `size` bytes holds. Fewer than 4 bytes: the empty set. The signatures
// of zip archives, structured-storage and early word-processor documents decide first.
// Quick mode (thorough false) looks only at the first bytes: the UTF-8 signature adds
// _UTF8, and FF FE adds _16_bit, FE FF _16_bit_reversed, anything else _8_bit (so a
// UTF-8 signature gives {_8_bit, _UTF8}). Thorough mode, first rule that applies: for an
// even size, FF FE gives {_16_bit}, FE FF {_16_bit_reversed}, and text that
// looks_like_utf16 accepts {_16_bit}; the UTF-8 signature gives {_UTF8}; otherwise the
// bytes up to the first zero byte are {_UTF8} when their first non-ASCII sequence is
// well-formed UTF-8 and {_8_bit} when they are pure ASCII or it is not.
TFileContentsSet FileBufferType(const void* buffer, std::int64_t size, bool thorough);

// FileBufferType over a file: the whole file in thorough mode, its first 4 bytes in quick
// mode. A file that cannot be opened raises EFOpenError; a file shorter than 4 bytes, or
// any later read error, gives the empty set.
TFileContentsSet FileContentsType(const std::u16string& file_name, bool thorough);

// Orders two verdicts by their one-byte values: -1, 0 or 1 (two empty sets are equal).
std::int32_t FileContentsComparison(TFileContentsSet A, TFileContentsSet B);

// Our UTF-16 likelihood test (what the tools elsewhere ask the platform for). A buffer is
// judged UTF-16 little-endian text when all of these hold:
//  1. its size is even and at least 2;
//  2. it does not start with FE FF (big-endian); FF FE accepts it at once;
//  3. at most 1 in 100 of its code units are impossible in text: U+0000, U+FFFE, U+FFFF,
//     control characters other than tab, line feed, form feed and carriage return
//     (U+0001..U+001F, U+007F..U+009F), and unpaired surrogates;
//  4. at most 1 in 8 code units have a zero low byte and a non-zero high byte (the shape
//     of big-endian Latin text);
//  5. at least 1 in 40 bytes is a control byte (00..1F other than 09, 0A and 0D). Text in
//     an 8-bit code page or UTF-8 has almost none; UTF-16 has them in the high byte of
//     Latin, Greek, Cyrillic, Hebrew, Arabic and Indic letters (and of every space and
//     line break), and spread over the low bytes of CJK and Hangul text.
// So "Bush hid the facts" and other even-length ASCII is never UTF-16, and very short
// UTF-16 texts without a control byte (two CJK characters) are not recognised.
bool looks_like_utf16(const void* buffer, std::size_t size) noexcept;

// Whether a byte buffer is UTF-16: false below 4 bytes; true when it starts FF FE or
// FE FF; else looks_like_utf16.
bool StringIsInUnicode(const void* buffer, std::int32_t length);

// StringIsInUnicode over the whole file; an empty file gives false. Open failures raise
// EFOpenError.
bool TextFileInUnicode(const std::u16string& file_name);

// Rewrites an 8-bit text file as UTF-16 little-endian (FF FE, the lines each ended by
// CR LF), decoding it with the default 8-bit code page of the locale `lcid`. Returns
// whether the file exists. A file TextFileInUnicode calls UTF-16 is left as it is. A file
// that starts with the UTF-8 signature is read as UTF-8. So that no byte of the user's
// file is lost, the file is also left as it is when its bytes cannot be read in that code
// page without loss (a byte the code page does not map, an ill-formed multi-byte
// sequence, a zero byte). The new file replaces the old one only once it is complete;
// a failed write raises EFCreateError or EWriteError and leaves the original.
bool ConvertATextFileAnsiToUTF16(const std::u16string& file_name, std::uint32_t lcid);

// A string list that notices UTF-8 text in files that never said they hold it.
class TPossiblyDodgyTextStringlist : public TStringList {
 public:
  TPossiblyDodgyTextStringlist() = default;

  // Reads the file (EFOpenError when it cannot be opened). More than 2 bytes set
  // SignedUTF8 to whether the file starts with the UTF-8 signature. Byte-order marks are
  // honoured; text without one is UTF-8 when it is well-formed UTF-8 holding at least one
  // multi-byte sequence, and 8-bit text in the system code page otherwise.
  void LoadFromFile(const std::u16string& file_name) override;

  // Clears the list and adds the lines of text. When the text was decoded as 8-bit (the
  // last load said so, or SignedUTF8 is set) and its 8-bit form is well-formed UTF-8 of a
  // different length, the lines come from that UTF-8 instead. Text that is not
  // well-formed UTF-8 is kept as it was: a wrong guess never empties the list. With the
  // line break CR LF a line ends at CR LF, CR, LF or LF CR (which ends two); with another
  // line break only that string ends a line. U+0000 ends the text.
  void SetTextStr(const std::u16string& text) override;

  bool SignedUTF8 = false;

 private:
  void add_lines(std::u16string_view text);
  // How the last LoadFromFile decoded the bytes (the base list's Encoding() covers loads
  // through LoadFromStream).
  TTextEncodingKind loaded_encoding_ = enc_none;
};

// The whole text of a file as TPossiblyDodgyTextStringlist loads it, every line followed
// by CR LF; the empty string for a missing file.
std::u16string TextFileContents(const std::u16string& file_name);

// TextFileContents a part at a time: the same text, decoded straight into the caller's
// buffer, so that a large file can be worked through a buffer that stays in the cache.
// The encoding is decided on the whole file when the reader is made, exactly as
// TextFileContents decides it.
enum class text_decoding {
  decide,  // as TextFileContents decides; a large text may be taken for UTF-8 on trust
  checked  // as TextFileContents decides, every byte looked at first (after text_not_utf8)
};

// Thrown by text_file_reader::read when a large text it took for UTF-8 on the strength of
// its start turns out not to be: the text must be read again with
// text_decoding::checked (what was read of it so far is void).
class text_not_utf8 : public EReadError {
 public:
  text_not_utf8() : EReadError("the text is not plain UTF-8 after all") {}
};

// Thrown when a reader is made for a file that holds no text (looks_binary): an executable,
// an image, a compressed file, a PDF or office document.
class text_not_text : public EReadError {
 public:
  text_not_text() : EReadError("not a text file (binary)") {}
};

// How a reader reads a text, for its host to report: where the encoding came from, and
// what bytes it could not decode.
struct text_reading_report {
  enum class how : std::uint8_t {
    none,       // not read (a missing file)
    mark,       // its byte-order mark
    utf16,      // UTF-16 without a byte-order mark, by the shape of its bytes
    utf8,       // UTF-8 without a mark (with `bad_bytes` read as U+FFFD)
    ascii,      // no byte of 0x80 or above
    eight_bit,  // an 8-bit (or other legacy) charset, chosen as `decision` says
    document,   // text handed over already decoded
  };
  how found = how::none;
  std::string charset;          // as users name it: "UTF-8", "UTF-16LE", "windows-1251" ...
  charset_decision decision;    // for eight_bit
  std::uint64_t bad_bytes = 0;  // bytes read as U+FFFD or the charset's substitute
  std::uint64_t first_bad = 0;  // the first one's offset in the file
  bool first_bad_known = false;

  // "read as windows-1251 (detected, confidence 0.87)", "read as UTF-16LE (no byte-order
  // mark)", "read as windows-1252 (the system code page; the detector was unsure: ISO-8859-5,
  // confidence 0.40)".
  std::string describe() const;
  // For text lost or replaced: "2 bytes not valid in UTF-8, read as U+FFFD (the first at
  // offset 5)", "1 byte not valid in windows-1251 (the first at offset 9)"; empty when
  // every byte decoded.
  std::string losses() const;
};

// How text_file_reader would read a file, decided without decoding it: for `detect`, and
// for hosts that only want to know. UTF-16 without a byte-order mark is judged on the
// file's first 64 KiB. A missing file gives how::none; a file that is no text raises
// text_not_text; one that cannot be opened EFOpenError.
text_reading_report text_encoding_of(const std::u16string& file_name,
                                     const text_encoding_choice& encoding);

// True when the bytes are strict UTF-8 (no overlong form, surrogate or value above
// U+10FFFF, no sequence cut short).
bool is_strict_utf8(const unsigned char* p, std::size_t n);

class text_file_reader {
 public:
  // Maps the file; a missing file reads as the empty text. Throws EFOpenError when the
  // file exists but cannot be opened. A large text whose start is well-formed UTF-8 is
  // read as UTF-8 on trust (see text_not_utf8); a text with a byte-order mark, and one
  // that is UTF-16 without a mark (little-endian as looks_like_utf16 judges, big-endian
  // where its bytes read swapped pass that test), is decoded whole when the reader is made.
  //
  // The bytes of a text without a byte-order mark that is not UTF-16 are read as UTF-8 when
  // they are strict UTF-8 or mostly_utf8 (bad bytes as U+FFFD), else in the charset that
  // `encoding` chooses (choose_charset). A file that looks_binary raises text_not_text.
  explicit text_file_reader(const std::u16string& file_name,
                            text_decoding choice = text_decoding::decide);
  text_file_reader(const std::u16string& file_name, const text_encoding_choice& encoding,
                   text_decoding choice = text_decoding::decide);
  // The same over bytes already in memory (an archive's entry), decoded exactly as a
  // file of those bytes would be; the reader keeps them.
  explicit text_file_reader(std::string bytes, text_decoding choice = text_decoding::decide);
  text_file_reader(std::string bytes, const text_encoding_choice& encoding,
                   text_decoding choice = text_decoding::decide);
  ~text_file_reader();
  text_file_reader(const text_file_reader&) = delete;
  text_file_reader& operator=(const text_file_reader&) = delete;

  // Writes the next part of the text to out[0..), at most `capacity` code units (which
  // must be at least 32), and returns how many; 0 once the whole text has been read.
  // Parts never split a character or a CR LF pair.
  std::size_t read(char16_t* out, std::size_t capacity);
  // The text's bytes, when it is decoded from them a part at a time (not for a text with
  // a byte-order mark): hosts may cut it into byte ranges and read them apart. A zero byte
  // is read as a blank (U+0020), never as the end of the text. Null and 0 otherwise.
  const unsigned char* raw_bytes() const;
  std::size_t raw_size() const;
  // True when the raw bytes hold a zero byte (known once settled): a host that reads them
  // itself must read it as a blank.
  bool raw_has_zeros() const;
  // Where this reader's bytes start in raw_bytes() (0, or a range's start).
  std::size_t raw_from() const;
  // How the raw bytes become characters: null for UTF-8, else the 256 characters of the
  // 8-bit code page (bytes below 0x80 are always ASCII).
  const char16_t* raw_byte_map() const;
  // True when the text is UTF-8 with bytes that are not (read as U+FFFD): a host that reads
  // the raw bytes itself must read them so.
  bool raw_repaired() const;
  // How the text is read (complete once settled).
  const text_reading_report& report() const;
  // True when the text is taken for UTF-8 on trust (see text_not_utf8): a host that reads
  // the raw bytes itself must throw text_not_utf8 at ill-formed UTF-8.
  bool raw_trusted() const;
  // A reader of bytes [from, to) of whole's raw bytes, decoded as whole decodes them. The
  // range must start and end at character boundaries, never between CR and LF; only the
  // range that ends the text closes an open last line. Ranges read in order make the
  // whole text. Throws EReadError for a range outside the text.
  text_file_reader(const text_file_reader& whole, std::size_t from, std::size_t to);
  // A reader of a text already decoded (a document's paragraphs): read() serves `text`;
  // there are no raw bytes. bytes_total() reports `file_size`, encoding() `encoding`.
  text_file_reader(std::u16string text, std::uint64_t file_size, TTextEncodingKind encoding);

  // Checks every byte of a text taken for UTF-8 on trust now, rather than part by part:
  // afterwards read() never throws text_not_utf8, and the verdict (UTF-8, or the system
  // 8-bit code page) rests on every byte. Call before making ranges.
  void settle();
  // The code units that raw bytes [from, to) decode to (a range that ends the text closes
  // its last line). The bytes must start and end at character boundaries, never between
  // CR and LF. Throws EReadError for bytes outside the text, text_not_utf8 for ill-formed
  // bytes of a text read as UTF-8.
  std::uint64_t count_units(std::size_t from, std::size_t to) const;
  // The memory that holds raw bytes [from, to) may be given back; they stay readable.
  void release(std::size_t from, std::size_t to) const;
  // How the text is decoded: enc_utf8, enc_ansi (the system 8-bit code page), or, for a
  // text with a byte-order mark or UTF-16 without one, its encoding.
  TTextEncodingKind encoding() const;

  // The file's bytes read so far and in all (for progress reports; for a range, its own).
  std::uint64_t bytes_done() const;
  std::uint64_t bytes_total() const;

 private:
  struct state;
  // Reads bytes that are not strict UTF-8: as UTF-8 with U+FFFD when mostly_utf8, else in
  // the chosen charset.
  void decide_not_utf8();
  std::unique_ptr<state> s_;
  // Settles how the bytes in s_ are decoded; `file_name` names their file (null: none).
  void take_bytes(text_decoding choice);
};

// Writes FF FE and the text's code units little-endian, with no terminator, replacing any
// file of that name. An empty text returns false and touches nothing. A failure to create
// or write raises EFCreateError or EWriteError and leaves any old file as it was.
bool SavedTextAsStream(const std::u16string& text, const std::u16string& file_name);

// Start-up: zip entries extracted to strings are decoded as text files are (see
// TZipForge::ExtractToString). Shut-down undoes it.
void File_utils_initialization();
void File_utils_finalization();

namespace detail {

// A file's bytes decoded as TPossiblyDodgyTextStringlist::LoadFromFile decodes them:
// byte-order marks honoured, else decode_unmarked_text.
std::u16string decode_file_bytes(std::string_view bytes);

// True when the name is that of an existing regular file (or a link to one).
bool file_exists(const std::u16string& file_name);

// Decodes bytes that hold no byte-order mark as TPossiblyDodgyTextStringlist does:
// well-formed UTF-8 with a multi-byte sequence as UTF-8, anything else in the system
// 8-bit code page. `kind` receives enc_utf8 or enc_ansi.
std::u16string decode_unmarked_text(std::string_view bytes, TTextEncodingKind& kind);

// Strict UTF-8 to UTF-16: false (and `out` unspecified) on any ill-formed sequence,
// overlong form, surrogate or value above U+10FFFF. `has_multibyte` tells whether a
// sequence longer than one byte was seen.
bool strict_utf8_to_utf16(std::string_view bytes, std::u16string& out, bool& has_multibyte);

// Single-byte code pages through a 256-entry table; false when the code page is not
// single-byte or cannot be opened. `lossless` is false when some byte does not map (it
// becomes U+FFFD).
bool single_byte_to_utf16(int code_page, std::string_view bytes, std::u16string& out,
                          bool& lossless);

// Writes `bytes` to a temporary file beside `file_name`, then renames it over the
// target. EFCreateError when the temporary file cannot be made, EWriteError when a write
// or the rename fails; the temporary file is removed and the target left as it was.
void write_file_replacing(const std::u16string& file_name, std::string_view bytes);

// For tests: the next writes of write_file_replacing fail once `bytes` bytes have been
// written (a negative value, the default, turns this off).
void set_write_failure_after(std::int64_t bytes);

}  // namespace detail

}  // namespace corvane
