// Fuzz target for the corpus search: random bytes as a text (with no byte-order mark, or
// one of UTF-8, UTF-16LE, UTF-16BE), a random typed search line and random options
// (workers, piece and range sizes, counts, prefilter, context width). Every hit must lie
// inside the text, be the text at its position, and have contexts no wider than asked
// that are the text right before and after it.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Corpus_search.hpp"

namespace {

class Checker : public corvane::corpus_search_sink {
 public:
  Checker(const std::u16string& text, std::size_t context) : text_(text), context_(context) {}
  bool hit(const corvane::corpus_text&, const corvane::corpus_hit& h) override {
    const auto pos = static_cast<std::size_t>(h.position);
    if (h.position < 0 || h.length < 0 || pos + static_cast<std::size_t>(h.length) > text_.size())
      std::abort();
    const std::size_t end = pos + static_cast<std::size_t>(h.length);
    if (text_.compare(pos, end - pos, h.hit) != 0) std::abort();
    if (h.left.size() > context_ || h.right.size() > context_) std::abort();
    if (h.left.size() > pos || text_.compare(pos - h.left.size(), h.left.size(), h.left) != 0)
      std::abort();
    if (end + h.right.size() > text_.size() || text_.compare(end, h.right.size(), h.right) != 0)
      std::abort();
    return ++hits_ < 5000;
  }

 private:
  const std::u16string& text_;
  std::size_t context_;
  std::size_t hits_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint8_t flags = data[0], sizes = data[1];
  const std::size_t line_length = data[2] % 24;
  data += 3;
  size -= 3;
  if (line_length > size) return 0;
  const std::string line(reinterpret_cast<const char*>(data), line_length);
  std::string bytes;
  static const char* const kMarks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  bytes += kMarks[flags & 3];
  bytes.append(reinterpret_cast<const char*>(data + line_length), size - line_length);

  // A byte string is no valid UTF-8 search line as a rule: take it as Latin-1.
  std::u16string typed;
  for (const char c : line) typed += static_cast<char16_t>(static_cast<unsigned char>(c));
  const std::vector<corvane::TSearch_word_format_rec> words =
      corvane::parsed_search_line(typed, (flags & 4) != 0);
  if (words.empty()) return 0;

  char path[] = "/tmp/corvane-fuzz-corpus-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0) return 0;
  const bool written =
      ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  ::close(fd);
  if (written) {
    const std::u16string text = corvane::TextFileContents(corvane::u16(path));
    corvane::corpus_search_options o;
    o.workers = 1 + ((flags >> 3) & 1);
    o.piece = std::size_t{64} << (sizes & 7);
    o.range = std::size_t{4096} << ((sizes >> 3) & 3);
    o.counts =
        (flags & 16) != 0 ? corvane::corpus_counts::structure : corvane::corpus_counts::words;
    o.byte_prefilter = (flags & 32) == 0;
    o.count_only = (flags & 64) != 0;
    o.max_per_word = (sizes & 0x80) != 0 ? 3 : 0;
    o.context = (sizes >> 5) & 3 ? 7 * ((sizes >> 5) & 3) : 0;
    if ((flags & 128) != 0) o.sort_keys = {{'R', 1, true}, {'N', 0, false}};
    Checker checker(text, static_cast<std::size_t>(o.context));
    corvane::search_corpus({path}, words, o, checker);
  }
  ::unlink(path);
  return 0;
}
