#include "corvane/files/Corpus_word_lists.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <new>

#include "corvane/files/Corpus_file_text.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

// Every part of the reader's text, one after another.
std::u16string read_whole(text_file_reader& reader) {
  std::u16string text;
  // A text of n bytes holds at most n code units.
  const std::uint64_t bytes = reader.bytes_total();
  if (bytes < (std::uint64_t{1} << 32)) text.reserve(static_cast<std::size_t>(bytes) + 16);
  std::u16string part(std::size_t{1} << 16, u'\0');
  while (const std::size_t got = reader.read(part.data(), part.size())) text.append(part, 0, got);
  return text;
}

// An open descriptor, closed when it goes.
struct descriptor {
  int fd = -1;
  ~descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

namespace {

// A gathered text made ready for reading: its reader, and a file's descriptor, open while
// it is read.
struct opened_text {
  descriptor d;
  std::unique_ptr<text_file_reader> reader;
};

// Opens a gathered text; false with `why` when it cannot be read. Throws what the reader
// throws (a text that is no text, one that cannot be opened).
bool open_corpus_text(const gathered_text& gathered, const text_encoding_choice& encoding,
                      entry_reader& entries, std::uint64_t entry_limit, opened_text& opened,
                      std::string& why) {
  const bool docx = is_docx_file_name(u16(gathered.path));
  if (!gathered.archive.empty()) {
    std::string bytes;
    if (!entries.read(gathered, bytes, entry_limit, why)) return false;
    if (docx)
      opened.reader = std::make_unique<text_file_reader>(
          docx_text_of_bytes(bytes, u16(gathered.path)), bytes.size(), enc_utf8);
    else
      opened.reader = std::make_unique<text_file_reader>(std::move(bytes), encoding);
    opened.reader->settle();
    return true;
  }
  // Opened here, so that a name that is not UTF-8 is read through its descriptor, and
  // something that is no regular file is refused before a reader could wait on it.
  descriptor& d = opened.d;
  d.fd = ::open(gathered.path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (d.fd < 0) {
    why = errno == ENOENT ? "no such file" : "cannot be opened: " + error_reason(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(d.fd, &st) != 0) {
    why = "cannot be opened: " + error_reason(errno);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    why = "is a folder";
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    why = "not a regular file (a FIFO, socket or device)";
    return false;
  }
  const std::string& p = gathered.path;
  const std::string name =
      is_strict_utf8(reinterpret_cast<const unsigned char*>(p.data()), p.size())
          ? p
          : "/proc/self/fd/" + std::to_string(d.fd);
  if (docx)
    opened.reader = std::make_unique<text_file_reader>(
        DOCXFileText(u16(name)), static_cast<std::uint64_t>(st.st_size), enc_utf8);
  else
    opened.reader = std::make_unique<text_file_reader>(u16(name), encoding);
  opened.reader->settle();
  return true;
}

// Runs `read` on an opened text, turning what it throws into `why`.
template <class F>
bool with_corpus_text(const gathered_text& gathered, const text_encoding_choice& encoding,
                      entry_reader& entries, std::uint64_t entry_limit, std::string& why,
                      text_reading_report* report, F&& read) {
  why.clear();
  try {
    opened_text opened;
    if (!open_corpus_text(gathered, encoding, entries, entry_limit, opened, why)) return false;
    read(*opened.reader);
    if (report != nullptr) *report = opened.reader->report();
  } catch (const std::bad_alloc&) {
    why = "not enough memory to read it";
    return false;
  } catch (const std::exception& e) {
    why = e.what();
    return false;
  }
  return true;
}

}  // namespace

bool read_corpus_text(const gathered_text& gathered, const text_encoding_choice& encoding,
                      entry_reader& entries, std::u16string& text, std::string& why,
                      text_reading_report* report, std::uint64_t entry_limit) {
  text.clear();
  const bool ok = with_corpus_text(gathered, encoding, entries, entry_limit, why, report,
                                   [&](text_file_reader& reader) { text = read_whole(reader); });
  if (!ok) text = std::u16string();
  return ok;
}

corpus_word_list::corpus_word_list(const corpus_word_list_options& options) : options_(options) {}

corpus_word_list::~corpus_word_list() = default;

bool corpus_word_list::add(const gathered_text& gathered, std::string& why,
                           text_reading_report* report) {
  if (options_.ngrams > 0) {
    // The n-gram window runs over the whole text.
    std::u16string text;
    if (!read_corpus_text(gathered, options_.encoding, entries_, text, why, report,
                          options_.entry_limit))
      return false;
    add_text(std::move(text));
    return true;
  }
  // Words are counted a part at a time, the word running on at a part's end carried into
  // the next (parts never split a character): memory stays flat whatever the text's size.
  // The reader has checked the text's bytes before the first part (settle), so a text
  // fails before it is counted, not half-way.
  word_frequency_index& words = index_;
  const bool ok = with_corpus_text(
      gathered, options_.encoding, entries_, options_.entry_limit, why, report,
      [&](text_file_reader& reader) {
        std::u16string buffer;
        std::u16string part(std::size_t{1} << 16, u'\0');
        while (const std::size_t got = reader.read(part.data(), part.size())) {
          buffer.append(part, 0, got);
          const std::size_t cut = trailing_word_start(buffer);
          if (cut == 0) continue;
          add_words_of_text(std::u16string_view(buffer).substr(0, cut), options_.min_length, words);
          buffer.erase(0, cut);
        }
        add_words_of_text(buffer, options_.min_length, words);
      });
  if (!ok) return false;
  ++texts_;
  return true;
}

void corpus_word_list::add_text(std::u16string text) {
  ++texts_;
  if (options_.ngrams <= 0) {
    add_words_of_text(text, options_.min_length, index_);
    return;
  }
  for (char16_t& c : text)
    if (c == u'\r' || c == u'\n') c = u' ';
  add_ngrams_of_text(text, options_.ngrams, options_.longest_tag, index_, progress);
}

std::unique_ptr<TStringList> corpus_word_list::list() const {
  const std::size_t min_length = options_.ngrams > 0 && options_.min_length > 0
                                     ? static_cast<std::size_t>(options_.min_length)
                                     : 0;
  return index_.list(options_.by_freq, min_length);
}

}  // namespace corvane
