// The corpus search: workers take the texts in order; a large text is cut into byte
// ranges that idle workers take too. Each part's hits go to the sink as soon as every part
// before it has gone, so the sink sees the texts in order whoever searched what; parts
// finished early wait, and a worker starts no new part while a few already wait.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <unordered_set>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/Corpus_file_text.hpp"
#include "corvane/files/Corpus_gathering.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Corpus_search.hpp"
#include "corvane/search/Corpus_search_internal.hpp"

namespace corvane {

namespace {

using detail::part_hit;
using detail::part_output;

// Bytes of hits a part that waits for the parts before it may hold.
constexpr std::size_t kMostWaiting = std::size_t{4} << 20;

// A text made ready for the reader. A regular file is mapped where it lies, through
// /proc/self/fd when its name is not UTF-8; anything else (a pipe, a FIFO, a device, a
// /proc file that claims no size) is read as a stream into a temporary file, at most
// `stream_limit` bytes of it. An archive's entry is read into memory, at most
// `entry_limit` bytes. A word-processor document (a name ending in ".docx") is searched as
// its paragraphs, whatever its bytes say.
class readable_text {
 public:
  // Why the text cannot be searched, or "" when reader() can read it.
  std::string open(const gathered_text& text, const corpus_search_options& options,
                   entry_reader& entries) {
    docx_ = is_docx_file_name(u16(text.path));
    if (!text.archive.empty()) return open_entry(text, options.entry_limit, entries);
    return open_file(text.path, options.stream_limit);
  }
  ~readable_text() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
  }
  std::unique_ptr<text_file_reader> reader(const text_encoding_choice& encoding) {
    if (in_memory_) {
      if (!docx_) return std::make_unique<text_file_reader>(std::move(bytes_), encoding);
      const std::uint64_t size = bytes_.size();
      return std::make_unique<text_file_reader>(docx_text_of_bytes(bytes_, u16(entry_name_)), size,
                                                enc_utf8);
    }
    const std::u16string name = u16(name_);
    if (!docx_) return std::make_unique<text_file_reader>(name, encoding);
    // The document's paragraphs, read whole and searched as one part; there are no text
    // bytes to scan or cut.
    std::error_code ec;
    const auto size = std::filesystem::file_size(name_, ec);
    return std::make_unique<text_file_reader>(DOCXFileText(name), ec ? 0 : size, enc_utf8);
  }

 private:
  std::string open_entry(const gathered_text& text, std::uint64_t limit, entry_reader& entries) {
    in_memory_ = true;
    entry_name_ = text.path;
    std::string why;
    if (!entries.read(text, bytes_, limit, why)) return why;
    if (docx_) return {};
    return kind_reason(
        FileBufferType(bytes_.data(), static_cast<std::int64_t>(bytes_.size()), false));
  }

  std::string open_file(const std::string& path, std::uint64_t limit) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return "cannot be opened: " + error_reason(errno);
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return "cannot be opened: " + error_reason(errno);
    if (S_ISDIR(st.st_mode)) return "is a folder";
    if (S_ISREG(st.st_mode) && st.st_size > 0) {
      name_ = is_strict_utf8(reinterpret_cast<const unsigned char*>(path.data()), path.size())
                  ? path
                  : "/proc/self/fd/" + std::to_string(fd_);
      return file_kind_reason();
    }
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    std::string dir = "/tmp";
    if (const char* t = std::getenv("TMPDIR"); t != nullptr && *t != 0) dir = t;
    std::string temp = dir + "/corvane-stream-XXXXXX";
    const int out = ::mkstemp(temp.data());
    if (out < 0) return "cannot be read as a stream: no temporary file: " + error_reason(errno);
    temp_ = temp;
    ::close(out);
    std::ofstream copy(temp_, std::ios::binary);
    std::vector<char> block(std::size_t{1} << 16);
    std::uint64_t total = 0;
    for (;;) {
      const ssize_t got = ::read(fd_, block.data(), block.size());
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return "cannot be read: " + error_reason(errno);
      if (got == 0) break;
      total += static_cast<std::uint64_t>(got);
      if (total > limit)
        return "read as a stream: longer than " + std::to_string(limit) + " bytes, not searched";
      copy.write(block.data(), got);
      if (!copy) return "cannot be read as a stream: the temporary file cannot be written";
    }
    copy.close();
    if (!copy) return "cannot be read as a stream: the temporary file cannot be written";
    name_ = temp_;
    return file_kind_reason();
  }

  std::string file_kind_reason() const {
    if (docx_) return {};
    return kind_reason(FileContentsType(u16(name_), false));
  }
  static std::string kind_reason(const TFileContentsSet& kinds) {
    if (kinds.contains(_Zip) || kinds.contains(_Storage) || kinds.contains(_early_Word))
      return text_not_text().what();
    return {};
  }

  int fd_ = -1;
  std::string name_, temp_;
  bool docx_ = false;
  bool in_memory_ = false;
  std::string bytes_;       // an entry's bytes
  std::string entry_name_;  // its full name, for messages
};

struct part_slot {
  std::size_t from = 0, to = 0;
  bool started = false, done = false;
  part_output out;  // hits handed over and not yet reported; the counts once done
  std::string error;
};

enum class text_state { waiting, opening, open };

struct text_slot {
  corpus_text info;
  const gathered_text* source = nullptr;
  text_state state = text_state::waiting;
  std::unique_ptr<text_file_reader> reader;
  std::vector<part_slot> parts;
  std::string error;
  // What the parts reported so far add up to.
  bool begun = false;
  std::vector<TSearchStatsRec> before;  // each word's counts before the next part
  std::vector<std::int32_t> kept;       // hits of each word reported
  std::int64_t offset = 0;              // code units before the next part
  std::int64_t hits = 0, number = 0;
};

class corpus_run {
 public:
  corpus_run(const std::vector<gathered_text>& texts, const detail::search_plan& plan,
             corpus_search_sink& sink, const corpus_progress& progress, unsigned workers)
      : plan_(plan),
        sink_(sink),
        progress_(progress),
        workers_(workers),
        reading_(new std::atomic<std::uint64_t>[workers]) {
    // A text gathered twice (two masks match it) is searched where it first comes.
    std::unordered_set<std::string_view> seen;
    seen.reserve(texts.size());
    texts_.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (!seen.insert(texts[i].path).second) continue;
      text_slot& slot = texts_.emplace_back();
      slot.info.index = i;
      slot.info.path = texts[i].path;
      slot.info.number_within_zip = texts[i].number_within_zip;
      slot.source = &texts[i];
    }
    for (unsigned w = 0; w < workers; ++w) reading_[w] = 0;
  }

  bool run() {
    std::vector<std::thread> pool;
    for (unsigned w = 1; w < workers_; ++w) pool.emplace_back([this, w] { work(w); });
    work(0);
    for (std::thread& t : pool) t.join();
    if (failure_) std::rethrow_exception(failure_);
    return !stop_;
  }

 private:
  struct task {
    std::size_t text;
    std::size_t part;
    bool open;
  };

  // The lowest part not yet started, unless enough parts wait already.
  bool find_task(task& t) {
    if (outstanding_ > workers_) return false;
    for (std::size_t i = front_text_; i < texts_.size(); ++i) {
      text_slot& text = texts_[i];
      if (text.state == text_state::waiting) {
        text.state = text_state::opening;
        ++outstanding_;
        t = {i, 0, true};
        return true;
      }
      if (text.state == text_state::opening) continue;
      for (std::size_t k = 0; k < text.parts.size(); ++k) {
        if (!text.parts[k].started) {
          text.parts[k].started = true;
          ++outstanding_;
          t = {i, k, false};
          return true;
        }
      }
    }
    return false;
  }

  void work(unsigned worker) {
    detail::part_searcher searcher(plan_);
    entry_reader archive;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      task t{};
      wake_.wait(lock, [&] { return stop_ || front_text_ >= texts_.size() || find_task(t); });
      if (stop_ || front_text_ >= texts_.size()) {
        wake_.notify_all();
        return;
      }
      lock.unlock();
      if (t.open) open(t.text, searcher, archive);
      search_part(t.text, t.part, searcher, worker);
      lock.lock();
    }
  }

  // Reads the text's start, settles its encoding and cuts it into parts; part 0 is the
  // caller's to search.
  void open(std::size_t i, detail::part_searcher& searcher, entry_reader& archive) {
    text_slot& text = texts_[i];
    std::unique_ptr<text_file_reader> reader;
    std::vector<std::size_t> cuts = {0, 0};
    std::string error;
    try {
      readable_text readable;
      error = readable.open(*text.source, plan_.options, archive);
      if (error.empty()) {
        reader = readable.reader(plan_.options.encoding);
        reader->settle();
        cuts = {0, reader->raw_size()};
        if (workers_ > 1 && searcher.piecewise() &&
            reader->raw_size() > plan_.options.range + plan_.options.range / 2)
          cuts = detail::range_cuts(reader->raw_bytes(), reader->raw_size(), plan_.options.range,
                                    plan_.markers);
        // Looking for the cuts read a little round each.
        constexpr std::size_t kBlock = std::size_t{64} << 10;
        for (const std::size_t c : cuts) reader->release(c > kBlock ? c - kBlock : 0, c + kBlock);
      }
    } catch (const std::exception& e) {
      error = e.what();
      reader.reset();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    text.error = error;
    if (reader) {
      text.info.size = reader->bytes_total();
      text.info.encoding = reader->encoding();
      text.info.reading = reader->report();
    }
    text.reader = std::move(reader);
    text.parts.resize(cuts.size() - 1);
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      text.parts[k].from = cuts[k];
      text.parts[k].to = cuts[k + 1];
    }
    text.parts[0].started = true;
    text.state = text_state::open;
    wake_.notify_all();
  }

  void search_part(std::size_t i, std::size_t k, detail::part_searcher& searcher, unsigned worker) {
    text_slot& text = texts_[i];
    part_slot& part = text.parts[k];
    part_output out;
    std::string error;
    if (text.reader) {
      const detail::part_flush flush = [&](part_output& o) {
        std::unique_lock<std::mutex> lock(mutex_);
        hand_over(part.out.batch, o.batch);
        advance();
        report_progress();
        // A part ahead of the one being reported waits once it holds a few MiB of hits.
        wake_.wait(lock, [&] {
          return stop_ ||
                 part.out.batch.chars.size() * 2 + part.out.batch.hits.size() * sizeof(part_hit) <
                     kMostWaiting;
        });
        return !stop_;
      };
      try {
        searcher.search(*text.reader, part.from, part.to, k == 0, text.info.path, out, flush,
                        reading_[worker]);
      } catch (const std::exception& e) {
        error = e.what();
      }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    hand_over(part.out.batch, out.batch);
    part.out.counted = std::move(out.counted);
    part.out.stats = std::move(out.stats);
    part.out.units = out.units;
    part.error = error;
    part.done = true;
    bytes_done_ += part.to - part.from;
    reading_[worker] = 0;
    advance();
    report_progress();
    wake_.notify_all();
  }

  static void hand_over(detail::hit_batch& to, detail::hit_batch& from) {
    if (to.hits.empty()) {
      // Nothing waits: the buffers change hands (the emptied ones go back to the worker).
      to.clear();
      std::swap(to.hits, from.hits);
      std::swap(to.chars, from.chars);
      std::swap(to.keys, from.keys);
      return;
    }
    const std::size_t chars = to.chars.size(), keys = to.keys.size();
    for (part_hit h : from.hits) {
      h.chars_at += chars;
      h.keys_at += keys;
      to.hits.push_back(h);
    }
    to.chars += from.chars;
    to.keys.insert(to.keys.end(), from.keys.begin(), from.keys.end());
    from.clear();
  }

  void report_progress() {
    if (!progress_ || stop_) return;
    std::uint64_t bytes = bytes_done_;
    for (unsigned w = 0; w < workers_; ++w) bytes += reading_[w].load(std::memory_order_relaxed);
    try {
      progress_(bytes, front_text_);
    } catch (...) {
      fail();
    }
  }

  // What the host's sink or progress callback threw ends the search and leaves
  // search_corpus once every worker has stopped. Called with the lock held.
  void fail() {
    if (!failure_) failure_ = std::current_exception();
    stop_ = true;
    wake_.notify_all();
  }

  // Reports what can be reported, in order. Called with the lock held.
  void advance() {
    try {
      report_in_order();
    } catch (...) {
      fail();
    }
  }

  void report_in_order() {
    const std::size_t n_words = plan_.words.size();
    const std::int32_t max = plan_.options.max_per_word;
    while (!stop_ && front_text_ < texts_.size()) {
      text_slot& text = texts_[front_text_];
      if (text.state != text_state::open) return;
      if (!text.begun) {
        text.begun = true;
        text.before.assign(n_words, TSearchStatsRec{});
        text.kept.assign(n_words, 0);
        if (!sink_.text_begins(text.info)) stop_ = true;
      }
      while (!stop_ && front_part_ < text.parts.size()) {
        part_slot& part = text.parts[front_part_];
        detail::hit_batch& batch = part.out.batch;
        for (const part_hit& h : batch.hits) {
          const auto w = static_cast<std::size_t>(h.search_number);
          if (max > 0 && text.kept[w]++ >= max) continue;
          corpus_hit hit;
          hit.number = ++text.number;
          hit.position = h.position + text.offset;
          hit.length = h.length;
          hit.search_number = h.search_number;
          hit.counts = h.counts;
          for (int c = 0; c < 5; ++c) {
            // A hit outside a heading has no heading number.
            if (c == stats_heading) continue;
            // Word positions run on from the part before while no unit has begun in this one.
            if (c != stats_word && hit.counts.number[c] == 0)
              hit.counts.position[c] += text.before[w].position[c];
            hit.counts.number[c] += text.before[w].number[c];
          }
          const std::u16string_view chars(batch.chars);
          hit.left = chars.substr(h.chars_at, h.left);
          hit.hit = chars.substr(h.chars_at + h.left, h.hit);
          hit.right = chars.substr(h.chars_at + h.left + h.hit, h.right);
          hit.sort_keys =
              std::basic_string_view<unsigned char>(batch.keys.data() + h.keys_at, h.keys);
          ++text.hits;
          if (!sink_.hit(text.info, hit)) {
            stop_ = true;
            break;
          }
        }
        if (!batch.hits.empty()) wake_.notify_all();
        batch.clear();
        // A part that waited may have gathered more than a piece's hits: that memory goes
        // back now.
        if (batch.chars.capacity() > (std::size_t{2} << 20)) batch.release();
        if (stop_ || !part.done) return;
        // The part is finished: its counts carry on into the next.
        for (std::size_t w = 0; w < part.out.counted.size(); ++w) {
          std::int64_t c = part.out.counted[w];
          if (max > 0) {
            c = std::min<std::int64_t>(c, std::max(0, max - text.kept[w]));
            text.kept[w] += static_cast<std::int32_t>(c);
          }
          text.hits += c;
        }
        text.offset += part.out.units;
        for (std::size_t w = 0; w < n_words && w < part.out.stats.size(); ++w) {
          const TSearchStatsRec& end = part.out.stats[w];
          TSearchStatsRec& before = text.before[w];
          for (int c = 0; c < 5; ++c) {
            if (c == stats_heading) continue;
            before.position[c] =
                end.number[c] > 0 ? end.position[c] : before.position[c] + end.position[c];
            before.number[c] += end.number[c];
          }
        }
        if (text.error.empty()) text.error = part.error;
        part.out.batch.release();
        part.out = part_output{};
        --outstanding_;
        ++front_part_;
      }
      if (stop_) return;
      corpus_text_end end;
      end.hits = text.hits;
      end.error = text.error;
      // Every text ends with a line break, whose "a word starts next" the spare class word
      // after the last piece wrongly confirms.
      if (n_words > 0 && text.offset > 0)
        end.words = std::max<std::int64_t>(0, text.before[0].number[stats_word] - 1);
      if (!text.error.empty()) end.words = end.hits = 0;
      if (!sink_.text_ends(text.info, end)) stop_ = true;
      text.reader.reset();
      text.parts.clear();
      text.parts.shrink_to_fit();
      ++front_text_;
      front_part_ = 0;
      wake_.notify_all();
    }
  }

  const detail::search_plan& plan_;
  corpus_search_sink& sink_;
  const corpus_progress& progress_;
  const unsigned workers_;
  std::vector<text_slot> texts_;
  std::unique_ptr<std::atomic<std::uint64_t>[]> reading_;  // bytes read of each worker's part
  std::mutex mutex_;
  std::condition_variable wake_;
  std::size_t front_text_ = 0, front_part_ = 0;
  unsigned outstanding_ = 0;  // parts started and not yet reported in full
  std::uint64_t bytes_done_ = 0;
  bool stop_ = false;
  std::exception_ptr failure_;
};

}  // namespace

bool search_corpus(const std::vector<gathered_text>& texts,
                   const std::vector<TSearch_word_format_rec>& words,
                   const corpus_search_options& options, corpus_search_sink& sink,
                   const corpus_progress& progress) {
  if (words.empty()) throw std::invalid_argument("search_corpus: no search words");
  if (options.context < 0) throw std::invalid_argument("search_corpus: negative context");
  detail::search_plan plan;
  plan.words = words;
  plan.options = options;
  plan.markers = options.counts == corpus_counts::structure && !options.count_only;
  // One unit more than the context, to see whether its last unit starts a surrogate pair;
  // the sort keys look further.
  plan.window = static_cast<std::size_t>(options.context) + 1;
  if (!options.sort_keys.empty()) plan.window = std::max<std::size_t>(plan.window, 1024);
  if (!options.sort_keys.empty()) concordance_sorter check(options.sort_keys);
  const unsigned workers =
      options.workers > 0 ? options.workers : std::max(1u, std::thread::hardware_concurrency());
  corpus_run run(texts, plan, sink, progress, workers);
  return run.run();
}

bool search_corpus(const std::vector<std::string>& paths,
                   const std::vector<TSearch_word_format_rec>& words,
                   const corpus_search_options& options, corpus_search_sink& sink,
                   const corpus_progress& progress) {
  std::vector<gathered_text> texts;
  texts.reserve(paths.size());
  for (const std::string& p : paths) texts.push_back(text_named(p));
  return search_corpus(texts, words, options, sink, progress);
}

}  // namespace corvane
