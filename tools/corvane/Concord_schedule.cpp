// How corvane concord shares its texts among its workers: each worker takes the next text;
// a large text is cut into byte ranges, the worker that opened it searches the first and
// the other workers take the rest before they take new texts. The parts are joined once
// every worker has finished, so the output does not depend on who searched what.
#include <deque>
#include <fstream>
#include <mutex>
#include <optional>

#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Concord_internal.hpp"

namespace corvane::cli {

namespace {

// Why a file cannot be searched as text, or "" when it can.
std::string unreadable_reason(const std::string& path) {
  std::ifstream probe(path, std::ios::binary);
  if (!probe) return "cannot be opened for reading";
  const TFileContentsSet kinds = FileContentsType(u16(path), false);
  if (kinds.contains(_Zip) || kinds.contains(_Storage) || kinds.contains(_early_Word))
    return "not a plain text file";
  return {};
}

struct RangeTask {
  std::size_t text;
  std::size_t part;
  std::shared_ptr<text_file_reader> whole;
  std::size_t from, to;
};

struct TextState {
  std::vector<PartResult> parts;
  std::vector<std::string> errors;  // by part
  std::atomic<std::size_t> parts_left{0};
  std::atomic<bool> not_utf8{false};  // taken for UTF-8 on trust, wrongly
};

}  // namespace

void search_texts(std::vector<FileResult>& results, const SearchPlan& plan, unsigned threads,
                  progress_meter& progress) {
  std::vector<TextState> texts(results.size());
  std::atomic<std::size_t> next{0};
  std::mutex queue_mutex;
  std::deque<RangeTask> queue;

  auto run_part = [&](file_searcher& searcher, unsigned worker, std::size_t i, std::size_t part,
                      text_file_reader& reader) {
    TextState& t = texts[i];
    try {
      searcher.search(reader, part == 0, results[i].path, t.parts[part], progress.bytes_of(worker));
    } catch (const text_not_utf8&) {
      t.not_utf8 = true;
    } catch (const std::exception& e) {
      t.errors[part] = e.what();
    }
    const bool finished = t.parts_left.fetch_sub(1) == 1;
    progress.part_done(worker, reader.bytes_total(), finished);
  };

  auto work = [&](unsigned worker) {
    file_searcher searcher(plan);
    for (;;) {
      std::optional<RangeTask> task;
      {
        std::lock_guard<std::mutex> lock(queue_mutex);
        if (!queue.empty()) {
          task = std::move(queue.front());
          queue.pop_front();
        }
      }
      if (task) {
        text_file_reader range(*task->whole, task->from, task->to);
        run_part(searcher, worker, task->text, task->part, range);
        continue;
      }
      const std::size_t i = next.fetch_add(1);
      if (i >= results.size()) break;
      FileResult& r = results[i];
      TextState& t = texts[i];
      r.error = unreadable_reason(r.path);
      std::shared_ptr<text_file_reader> reader;
      if (r.error.empty()) {
        try {
          reader = std::make_shared<text_file_reader>(u16(r.path));
        } catch (const std::exception& e) {
          r.error = e.what();
        }
      }
      if (!reader) {
        progress.part_done(worker, 0, true);
        continue;
      }
      r.bytes = reader->bytes_total();
      std::vector<std::size_t> cuts = {0, 0};
      if (threads > 1 && searcher.piecewise() && reader->raw_size() > plan.range + plan.range / 2)
        cuts = range_cuts(reader->raw_bytes(), reader->raw_size(), plan.range, plan.markers);
      const std::size_t n_parts = cuts.size() - 1;
      t.parts.resize(n_parts);
      t.errors.resize(n_parts);
      t.parts_left = n_parts;
      if (n_parts == 1) {
        run_part(searcher, worker, i, 0, *reader);
        continue;
      }
      {
        std::lock_guard<std::mutex> lock(queue_mutex);
        for (std::size_t k = 1; k < n_parts; ++k)
          queue.push_back({i, k, reader, cuts[k], cuts[k + 1]});
      }
      text_file_reader range(*reader, cuts[0], cuts[1]);
      run_part(searcher, worker, i, 0, range);
    }
  };
  std::vector<std::thread> pool;
  for (unsigned w = 1; w < threads; ++w) pool.emplace_back(work, w);
  work(0);
  for (std::thread& th : pool) th.join();

  // A text taken for UTF-8 on trust that turned out not to be (or to hold U+0000) is
  // searched again, whole, checked first.
  file_searcher searcher(plan);
  std::atomic<std::uint64_t> ignored{0};
  for (std::size_t i = 0; i < results.size(); ++i) {
    FileResult& r = results[i];
    TextState& t = texts[i];
    if (t.not_utf8) {
      t.parts.assign(1, PartResult{});
      t.errors.assign(1, std::string());
      try {
        text_file_reader reader(u16(r.path), text_decoding::checked);
        searcher.search(reader, true, r.path, t.parts[0], ignored);
      } catch (const std::exception& e) {
        t.errors[0] = e.what();
      }
    }
    for (const std::string& e : t.errors)
      if (r.error.empty() && !e.empty()) r.error = e;
    if (r.error.empty()) join_parts(r, t.parts, plan);
    t.parts.clear();
  }
}

}  // namespace corvane::cli
