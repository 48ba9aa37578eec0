// The search-and-do engine's search: one search word over the buffer, hit by hit, with the
// host's events and the engine's log lines.

#include <unicode/unorm2.h>

#include <algorithm>
#include <limits>
#include <string>

#include "corvane/files/Logging_utilities.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/frame/Package_log.hpp"
#include "corvane/platform/CodePages.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FormatSettings.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane {
namespace {

// The longest byte form of a search copy converted for an 8-bit buffer.
constexpr std::size_t kMaxConvertedBytes = 100;
// How much text the log lines show.
constexpr std::int32_t kLogTextLength = 50;

// The text with decomposed sequences composed where a precomposed character exists, as the
// code-page conversion composes them before mapping; the text itself when ICU fails.
std::u16string composed(const std::u16string& text) {
  UErrorCode err = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&err);
  if (U_FAILURE(err) || text.empty()) return text;
  std::u16string out(text.size(), u'\0');
  const auto length = static_cast<int32_t>(text.size());
  int32_t n = unorm2_normalize(nfc, text.data(), length, out.data(), length, &err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    err = U_ZERO_ERROR;
    out.resize(static_cast<std::size_t>(n));
    n = unorm2_normalize(nfc, text.data(), length, out.data(), n, &err);
  }
  if (U_FAILURE(err)) return text;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

// Makes the four copies comparable with the bytes of an 8-bit buffer: each byte of a copy's
// code-page form, widened, replaces the character at its index, for as many characters as
// the search text has (0 where the byte form is shorter). A copy the code page cannot be
// opened for stays as it is.
void convert_copies_to_code_page(TSearch_word_format_rec& rec, int code_page) {
  const std::size_t n = rec.search_text.size();
  for (std::u16string& copy : rec.copies) {
    std::string bytes;
    if (!utf16_to_code_page(code_page, composed(copy), bytes)) continue;
    if (bytes.size() > kMaxConvertedBytes) bytes.resize(kMaxConvertedBytes);
    const std::size_t m = std::min(n, copy.size());
    for (std::size_t i = 0; i < m; ++i)
      copy[i] = i < bytes.size() ? static_cast<char16_t>(static_cast<unsigned char>(bytes[i])) : 0;
  }
  rec.copies_converted = true;
}

// Text for a log line: the mark-up delimiters shown as ">" and "<", other control
// characters as a space.
std::u16string loggable(std::u16string s) {
  for (char16_t& c : s) {
    if (c == kTagCloseCode)
      c = u'>';
    else if (c == kTagOpenCode)
      c = u'<';
    else if (c < 0x20)
      c = u' ';
  }
  return s;
}

// The log's numbers take "." as decimal separator whatever the user's settings.
const TFormatSettings& invariant_settings() {
  static const TFormatSettings settings;
  return settings;
}

std::u16string hex6(std::int64_t v) {
  return IntToHex(v, 6);
}

}  // namespace

std::int32_t TSearchAndDoEngine::lowest_start() const {
  const std::int32_t jump = Global_LowestJumpTo;
  return jump > 0 ? jump / char_size() : 0;
}

void TSearchAndDoEngine::log_seeking(const TSearch_word_format_rec& rec) const {
  std::u16string line = u"seeking ";
  for (int k : {upper_copy, lower_copy, title_copy})
    line += u"\r\n\"" + rec.copies[static_cast<std::size_t>(k)] + u"\"";
  line += u"\r\nand file begins \"" + buffer_text(0, kLogTextLength) + u"...\"";
  write_package_log_line(line);
}

void TSearchAndDoEngine::log_hit(const TSearchFound_Rec& hit, std::int32_t offset,
                                 std::int32_t remaining) const {
  const std::int32_t at = hit.hit_pos_in_characters;
  const std::int64_t file_byte =
      static_cast<std::int64_t>(FileBytePos) + static_cast<std::int64_t>(at) * char_size();
  std::u16string line = u"(";
  line += IntToStr(fHits_found);
  line += u") \"";
  line += loggable(buffer_text(at, kLogTextLength));
  line += u"\" at chunk " + hex6(FileBytePos) + u"+" + hex6(at) + u"= byte " + hex6(file_byte);
  line += u"\tdone: " + hex6(offset) + u"\tto go: " + hex6(remaining) + u"\t";
  line += FloatToStrF(hit.percent_of_file, ffFixed, 15, 2, invariant_settings());
  line += u"% words = " + IntToStr(hit.count_stats.number[stats_word]);
  write_package_log_line(line);
}

bool TSearchAndDoEngine::SearchAndDo(TSearch_word_format_rec* search_word, std::int32_t n) {
  current_search_number = n;
  return SearchAndDo(search_word);
}

bool TSearchAndDoEngine::SearchAndDo(TSearch_word_format_rec* search_word) {
  if (!fReady || !fSearchFoundEvent || fBuffer == nullptr || search_word == nullptr ||
      search_word->search_text.empty()) {
    if (package_log_line && log_is_kept()) {
      const auto text = [](bool b) { return std::u16string(b ? u"True" : u"False"); };
      write_package_log_line(u"item = nil: " + text(search_word == nullptr) +
                             u" and buffer = nil: " + text(fBuffer == nullptr) + u" ");
    }
    return false;
  }
  TSearch_word_format_rec& rec = *search_word;
  fCancelled = false;
  fChega = false;
  const std::int32_t wanted =
      rec.n_to_find > 0 ? rec.n_to_find : std::numeric_limits<std::int32_t>::max();

  if (!fBufferInUnicode && !rec.copies_converted) convert_copies_to_code_page(rec, Codepage);
  if (rec.flags.contains(myCaseIsSensitive)) {
    rec.copies[upper_copy] = rec.copies[unchanged_copy];
    rec.copies[lower_copy] = rec.copies[unchanged_copy];
    rec.copies[title_copy] = rec.copies[unchanged_copy];
  }
  if (package_log_line && log_is_kept() && !IsAdditionalEngine) log_seeking(rec);

  try {
    search_loop(rec, wanted);
    if (fWordCountEvent) fWordCountEvent(this, ThisFileChunk_Stats);
  } catch (...) {
    throw Exception(u"problem searching " + fFilename + u" for \"" + rec.typed_in_text + u"\"");
  }
  return true;
}

void TSearchAndDoEngine::search_loop(TSearch_word_format_rec& rec, std::int32_t wanted) {
  const auto length =
      static_cast<std::uint16_t>(std::min<std::size_t>(rec.search_text.size(), 0xFFFF));
  const std::u16string& upper = rec.copies[upper_copy];
  const std::u16string& lower = rec.copies[lower_copy];
  const std::u16string& title = rec.copies[title_copy];
  const bool case_sensitive = rec.flags.contains(myCaseIsSensitive);
  const bool left_bounded = rec.flags.contains(myLeftBounded);
  const bool right_bounded = rec.flags.contains(myRightBounded);
  const std::int32_t size = char_size();
  const auto* base = static_cast<const char*>(fBuffer);

  std::int32_t p = lowest_start();  // characters from fBuffer
  fLowestJumpToChanged = false;
  std::int32_t count = 0;
  bool found = false;
  do {
    MyYieldProcess();
    const std::int32_t offset = p;
    const std::int32_t remaining = fBuffer_Characters - offset;
    const void* at = nullptr;
    std::uint16_t extended = 0, exact = 0;
    if (remaining > 0) {
      // Markers of the ends of units in use: counts 1, 3, 5 and 7 (sentence, paragraph,
      // heading and section end).
      at = NewFindWantedInBuffer(
          base + static_cast<std::ptrdiff_t>(offset) * size, remaining,
          fBufferDetails ? fBufferDetails + offset : nullptr, details_first(), fBufferDetailsEnd,
          upper, lower, title, length, case_sensitive, left_bounded, right_bounded,
          fBufferInUnicode, fSkipPunctuation, fSkipAnyTags, extended, exact, ThisFileChunk_Stats,
          Global_in_heading, Arr_OfTextMarkersFound[1] > 0, Arr_OfTextMarkersFound[3] > 0,
          Arr_OfTextMarkersFound[5] > 0, Arr_OfTextMarkersFound[7] > 0);
    }
    found = at != nullptr;
    if (!found) break;

    const std::ptrdiff_t hit_bytes = static_cast<const char*>(at) - base;
    const auto hit_chars = static_cast<std::int32_t>(hit_bytes / size);
    TSearchFound_Rec hit;
    hit.start_of_text = fBuffer;
    hit.start_of_memory = fBuffer;
    hit.where_hit_started = at;
    // A file size of 0 or less gives no percentage rather than a division by zero.
    if (fComplete_file_size > 0)
      hit.percent_of_file = static_cast<float>((static_cast<double>(hit_bytes) + FileBytePos) *
                                               100.0 / fComplete_file_size);
    hit.hit_pos_in_wchar_kinds = hit_chars;
    hit.hit_pos_in_characters = hit_chars;
    hit.FileBytePos = FileBytePos;
    hit.exact_hit_len = exact;
    hit.hit_characters = extended;
    hit.search_number = current_search_number;
    hit.count_stats = ThisFileChunk_Stats;
    if (!Global_in_heading) {
      hit.count_stats.number[stats_heading] = -1;
      hit.count_stats.position[stats_heading] = -1;
    }
    ++fHits_found;
    ++count;
    if (package_log_line && log_is_kept() && !IsAdditionalEngine) log_hit(hit, offset, remaining);
    if (!fSearchFoundEvent(this, hit)) --count;

    if (fLowestJumpToChanged) {
      p = lowest_start();
      fLowestJumpToChanged = false;
    } else {
      p = hit_chars + 1;
    }
  } while (count < wanted && found && !fChega && !fCancelled);
}

}  // namespace corvane
