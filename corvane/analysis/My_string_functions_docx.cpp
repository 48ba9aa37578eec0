// The plain text of zipped word-processor documents: the paragraphs and text runs of the
// body part, found by their tags.
//
// The part is walked as UTF-8 bytes and only the runs' text is decoded. That gives the same
// text as decoding the whole part first: every tag looked for is ASCII, begins with "<"
// and holds no other "<", so every cut falls on an ASCII byte, and the decoder never takes
// an ASCII byte into a bad sequence, so pieces cut there decode as they would whole.
#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

static_assert(kDocxBodyLimit == kZipStringLimit);

namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr std::string_view kAlternate = "<mc:AlternateContent>";
constexpr std::string_view kAlternateEnd = "</mc:AlternateContent>";
constexpr std::string_view kFallback = "<mc:Fallback>";
constexpr std::string_view kFallbackEnd = "</mc:Fallback>";
constexpr std::string_view kParagraph = "<w:p";
constexpr std::string_view kParagraphEnd = "</w:p>";
constexpr std::string_view kRun = "<w:t";
constexpr std::string_view kRunEnd = "</w:t>";

// The next `c` at or after `from`. Inline and sixteen bytes at a time: in mark-up the next
// "<" or ">" is usually a few bytes away, where a call to memchr costs more than the scan.
inline std::size_t find_byte(std::string_view d, char c, std::size_t from) {
  const char* p = d.data();
  const std::size_t n = d.size();
  std::size_t i = from;
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi8(c);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, wanted)));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
  }
#endif
  for (; i < n; ++i)
    if (p[i] == c) return i;
  return npos;
}

// The next occurrence of an alternate-content tag (each begins "<mc:" or "</mc:") at or
// after `from`: candidates are found sixteen at a time by their "<" and the "c" of "mc"
// two or three bytes on, then compared in full.
std::size_t find_text(std::string_view d, std::string_view pattern, std::size_t from) {
  const std::size_t m = pattern.size();
  const std::size_t n = d.size();
  if (from >= n || n - from < m) return npos;
  const std::size_t c_offset = pattern.find('c');
  const std::size_t last = n - m;  // the last position a match can start at
  const char* p = d.data();
  std::size_t i = from;
#if defined(__SSE2__)
  const __m128i lt = _mm_set1_epi8('<');
  const __m128i c = _mm_set1_epi8('c');
  for (; i + 15 <= last; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + c_offset));
    unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, lt), _mm_cmpeq_epi8(b, c))));
    while (mask != 0) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      if (std::memcmp(p + at, pattern.data(), m) == 0) return at;
      mask &= mask - 1;
    }
  }
#endif
  for (; i <= last; ++i)
    if (p[i] == '<' && std::memcmp(p + i, pattern.data(), m) == 0) return i;
  return npos;
}

bool tag_at(std::string_view d, std::size_t i, std::string_view tag) {
  return d.size() - i >= tag.size() && std::memcmp(d.data() + i, tag.data(), tag.size()) == 0;
}

// "<w:p" or "<w:t" at `i` opens that element only when a space or ">" follows (or nothing
// does); "<w:pPr>", "<w:proofErr/>", "<w:tab/>", "<w:tbl>" are other elements.
bool opens_element(std::string_view d, std::size_t i) {
  const std::size_t after = i + 4;
  return after >= d.size() || d[after] == ' ' || d[after] == '>';
}

// ---- Alternate content
//
// Each "<mc:AlternateContent>" block, searched for from the start of the text, gives way to
// its fallback: the text from the block's start up to its "</mc:AlternateContent>" is
// replaced by the text from the next "<mc:Fallback>" up to the next "</mc:Fallback>" after
// it, and the search starts again where the replacement began (nothing before it can hold
// a block: no tag can straddle a cut, since each cut lies just before a "<"). A block
// without all three tags ends the replacement.
//
// When the fallback's closing tag comes after the block's end tag (nested or damaged
// blocks), that replacement would put a second copy of the text between the two tags into
// the text, and a damaged part could grow without end. There the text from the block's
// start up to its fallback (or up to its end tag, when that comes first) is removed
// instead: the same text as the replacement, each stretch kept once.
//
// Done as edits of one string the replacements would make the work quadratic. Instead the
// text stays where it is and only the removed stretches are recorded. Every search
// position only grows, so each tag is searched for once over the text, and removed
// stretches are stepped over.

// Removed stretches [first, last) of the text, added in increasing order.
class removed_stretches {
 public:
  void add(std::size_t first, std::size_t last) { stretches_.emplace_back(first, last); }

  // The end of the removed stretch holding `pos`; `pos` itself when none holds it.
  std::size_t step_over(std::size_t pos) const {
    auto it = std::upper_bound(stretches_.begin(), stretches_.end(), pos,
                               [](std::size_t p, const auto& s) { return p < s.first; });
    if (it == stretches_.begin()) return pos;
    --it;
    return pos < it->second ? it->second : pos;
  }

  // Appends the text from `from` to `to` without the removed stretches in it. Calls come
  // in increasing order.
  void copy_kept(std::string_view d, std::size_t from, std::size_t to, std::string& out) {
    while (from < to) {
      while (next_ < stretches_.size() && stretches_[next_].second <= from) ++next_;
      if (next_ == stretches_.size() || stretches_[next_].first >= to) {
        out.append(d.data() + from, to - from);
        return;
      }
      const auto [first, last] = stretches_[next_];
      if (first > from) out.append(d.data() + from, first - from);
      from = last;
    }
  }

 private:
  std::vector<std::pair<std::size_t, std::size_t>> stretches_;
  std::size_t next_ = 0;
};

// Finds one tag at search positions that only grow, remembering the last hit so that no
// stretch of the text is searched twice.
class tag_finder {
 public:
  tag_finder(std::string_view d, std::string_view tag) : d_(d), tag_(tag) {}

  // The first occurrence at or after `from` that is not removed; npos when there is none.
  std::size_t next(std::size_t from, const removed_stretches& removed) {
    if (!known_ || from < searched_from_ || (hit_ != npos && from > hit_)) {
      searched_from_ = from;
      hit_ = find_text(d_, tag_, from);
      known_ = true;
    }
    // No occurrence from searched_from_ up to hit_ is left; stretches are only ever added,
    // so that stays true, and only hit_ itself may have been removed since.
    while (hit_ != npos) {
      const std::size_t after = removed.step_over(hit_);
      if (after == hit_) return hit_;
      hit_ = find_text(d_, tag_, after);
    }
    return npos;
  }

 private:
  std::string_view d_, tag_;
  bool known_ = false;
  std::size_t searched_from_ = 0;
  std::size_t hit_ = npos;
};

// The text with its alternate-content blocks replaced, in `out`; false (and `out` left
// alone) when the text holds no block.
bool replace_alternate_content(std::string_view d, std::string& out) {
  removed_stretches removed;
  tag_finder block(d, kAlternate), block_end(d, kAlternateEnd);
  tag_finder fallback(d, kFallback), fallback_end(d, kFallbackEnd);
  std::size_t a = block.next(0, removed);
  if (a == npos) return false;
  out.clear();
  out.reserve(d.size());
  std::size_t start = 0;  // the text before it is final
  while (a != npos) {
    const std::size_t z = block_end.next(a + 1, removed);
    const std::size_t f = fallback.next(a + 1, removed);
    const std::size_t g = f == npos ? npos : fallback_end.next(f + 1, removed);
    if (z == npos || g == npos) break;
    removed.copy_kept(d, start, a, out);
    if (g < z) {
      removed.add(g, z);
      start = f;
    } else {
      start = std::min(f, z);
    }
    a = block.next(start, removed);
  }
  removed.copy_kept(d, start, d.size(), out);
  return true;
}

// ---- Paragraphs and runs

// Appends the text runs of a paragraph whose content starts at `from`, and answers where
// its "</w:p>" begins; npos when no "</w:p>" follows (the caller then drops what was
// appended). Each run's text is taken up to the next "</w:t>" and the walk goes on after
// that tag, so no stretch of the part is taken twice: in a sound part a run's text holds
// no "<" and this is the same as going on after the run's opening tag.
std::size_t append_paragraph_runs(std::string_view d, std::size_t from, std::u16string& text) {
  std::size_t i = from;
  for (;;) {
    i = find_byte(d, '<', i);
    if (i == npos) return npos;
    if (tag_at(d, i, kParagraphEnd)) return i;
    if (!tag_at(d, i, kRun)) {
      ++i;
      continue;
    }
    MyYieldProcess();
    if (!opens_element(d, i)) {
      ++i;
      continue;
    }
    const std::size_t r = find_byte(d, '>', i + kRun.size());
    if (r == npos) return npos;
    // The paragraph's "</w:p>" ends inside the run's opening tag: the run has no text.
    if (r >= i + kRun.size() + 5 && tag_at(d, r - 5, kParagraphEnd)) return r - 5;
    std::size_t j = r + 1;
    for (;;) {
      j = find_byte(d, '<', j);
      if (j == npos) return npos;
      if (tag_at(d, j, kRunEnd)) break;
      if (tag_at(d, j, kParagraphEnd)) return j;  // a run cut off by its paragraph's end
      ++j;
    }
    append_utf8_as_utf16(text, d.substr(r + 1, j - r - 1));
    i = j + kRunEnd.size();
  }
}

std::u16string paragraphs_text(std::string_view d) {
  std::u16string text;
  // The text is never longer than the part, so it is never moved while it grows; pages
  // that stay unused are never touched.
  text.reserve(d.size());
  std::size_t pos = 0;
  for (;;) {
    MyYieldProcess();
    std::size_t p = find_byte(d, '<', pos);
    while (p != npos && !tag_at(d, p, kParagraph)) p = find_byte(d, '<', p + 1);
    if (p == npos) break;
    if (!opens_element(d, p)) {
      pos = p + 1;
      continue;
    }
    const std::size_t q = find_byte(d, '>', p + kParagraph.size());
    // No ">" after it means no "</w:p>" either: no paragraph can follow.
    if (q == npos) break;
    if (d[q - 1] == '/') {  // an empty paragraph, <w:p .../>
      pos = q + 1;
      continue;
    }
    const std::size_t mark = text.size();
    const std::size_t end = append_paragraph_runs(d, q + 1, text);
    if (end == npos) {
      // Without its "</w:p>" the paragraph adds nothing, and none after it can close.
      text.resize(mark);
      break;
    }
    text += u"\r\n";
    pos = end;
  }
  return text;
}

}  // namespace

std::u16string BothSlashesExtractFilename(const std::u16string& path) {
  const std::size_t last = path.find_last_of(u"/\\");
  return last == std::u16string::npos ? path : path.substr(last + 1);
}

std::u16string docx_body_text(std::string_view body) {
  std::string replaced;
  if (replace_alternate_content(body, replaced)) return paragraphs_text(replaced);
  return paragraphs_text(body);
}

std::u16string DOCXFileText(const std::u16string& file_name) {
  std::error_code ec;
  const std::filesystem::path path(utf16_to_utf8(file_name));
  if (file_name.empty() || !std::filesystem::exists(path, ec) ||
      std::filesystem::is_directory(path, ec))
    return {};

  TZipForge zip;
  zip.FileName = file_name;
  zip.StreamLimit = kDocxBodyLimit;
  std::u16string reason;
  zip.OnProcessFileFailure = [&reason](const std::u16string&, const std::u16string& why) {
    reason = why;
  };
  zip.OpenArchive();  // raises, naming the file, when it is not a readable zip archive

  const std::int32_t count = zip.GetEntryCount();
  std::int32_t body = -1;
  for (std::int32_t i = 0; i < count; ++i) {
    MyYieldProcess();
    if (SameText(BothSlashesExtractFilename(zip.GetAZipMainDetail(i)), u"Document.xml")) {
      body = i;
      break;
    }
  }
  if (body < 0) return {};

  TMemoryStream stream;
  if (!zip.ExtractToStream(body, stream))
    throw Exception(u"Cannot read \"" + zip.GetAZipMainDetail(body) + u"\" in \"" + file_name +
                    u"\": " + reason);
  stream.Seek(0, soFromBeginning);
  const auto& bytes = stream.bytes();
  if (bytes.empty()) return {};
  return docx_body_text(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace corvane
