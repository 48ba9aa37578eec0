// The corpus search's pieces, ranges, byte prefilter and workers must be invisible: a text
// searched in small pieces, cut into byte ranges, or scanned on its bytes first, gives
// exactly the hits, counts and contexts of the text searched whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Corpus_search.hpp"
#include "corvane/search/Corpus_search_internal.hpp"
#include "corvane/search/Search_parsing.hpp"
#include "testing/Docx_writer.hpp"
#include "testing/Test_support.hpp"
#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Lines of sentences with blank lines, indentation, apostrophes, hyphens, punctuation,
// accented and Cyrillic letters, in UTF-8 with LF or CR LF line ends.
std::string sample_text(unsigned seed, bool crlf) {
  const char* const words[] = {
      "the", "cat", "sat", "on", "mat", "dog's", "well-known", "café", "снег", "The", "Cat",
      "caterpillar", "o'clock", "-", "a", "x-ray", "CAT", "cats",
      // no-break, next-line, ideographic and line-separator blanks
      "cat\u00A0the", "\u0085the", "\u3000cat", "the\u2028", "\U0001F600cat", "\x7F", "\t\x0B"};
  const char* const ends[] = {".", "?", "!", ",", ";", "", "", ".\"", ")."};
  std::mt19937 g(seed);
  std::string text;
  for (int line = 0; line < 1500; ++line) {
    const unsigned kind = g() % 10;
    if (kind == 0) {
      text += crlf ? "\r\n" : "\n";
      continue;
    }
    if (kind == 1) text += "   ";
    const int n = 1 + static_cast<int>(g() % 25);
    for (int w = 0; w < n; ++w) {
      if (w > 0) text += g() % 7 == 0 ? "  " : " ";
      text += words[g() % std::size(words)];
      text += ends[g() % std::size(ends)];
    }
    if (g() % 5 == 0) text += " ";
    text += crlf ? "\r\n" : "\n";
  }
  return text;
}

struct Hit {
  std::int64_t number, position;
  std::int32_t length, search_number;
  TSearchStatsRec counts;
  std::u16string left, hit, right;
};

struct Text {
  std::string path;
  std::vector<Hit> hits;
  std::int64_t hit_count = -1, words = -1;
  std::string error;
};

// Keeps everything the search reports, and checks the order of the calls.
class Collector : public corpus_search_sink {
 public:
  std::vector<Text> texts;
  std::size_t stop_after = SIZE_MAX;  // hits
  std::size_t hits_seen = 0;
  bool text_begins(const corpus_text& t) override {
    EXPECT_EQ(t.index, texts.size());
    EXPECT_TRUE(texts.empty() || texts.back().hit_count >= 0) << "a text began inside another";
    texts.push_back({t.path, {}, -1, -1, {}});
    return true;
  }
  bool hit(const corpus_text& t, const corpus_hit& h) override {
    EXPECT_EQ(t.path, texts.back().path);
    EXPECT_EQ(h.number, static_cast<std::int64_t>(texts.back().hits.size()) + 1);
    texts.back().hits.push_back({h.number, h.position, h.length, h.search_number, h.counts,
                                 std::u16string(h.left), std::u16string(h.hit),
                                 std::u16string(h.right)});
    return ++hits_seen < stop_after;
  }
  bool text_ends(const corpus_text& t, const corpus_text_end& end) override {
    texts.back().hit_count = end.hits;
    texts.back().words = end.words;
    texts.back().error = end.error;
    return true;
  }
};

TSearch_word_format_rec word(const std::u16string& typed) {
  std::u16string s = typed;
  TSearch_word_format_rec rec;
  Parsed_SearchWord(TIgnore_tag_type{}, s, rec);
  return rec;
}

std::vector<TSearch_word_format_rec> words_of(const std::vector<std::u16string>& typed) {
  std::vector<TSearch_word_format_rec> words;
  for (const std::u16string& t : typed) words.push_back(word(t));
  return words;
}

Text search(const std::string& path, const std::vector<TSearch_word_format_rec>& words,
            const corpus_search_options& options) {
  Collector c;
  EXPECT_TRUE(search_corpus({path}, words, options, c));
  EXPECT_EQ(c.texts.size(), 1u);
  if (c.texts.empty()) return {};
  EXPECT_EQ(c.texts[0].error, "");
  return c.texts[0];
}

void expect_same(const Text& a, const Text& b, const std::string& what) {
  EXPECT_EQ(a.hit_count, b.hit_count) << what;
  EXPECT_EQ(a.words, b.words) << what;
  ASSERT_EQ(a.hits.size(), b.hits.size()) << what;
  for (std::size_t i = 0; i < a.hits.size(); ++i) {
    const Hit& x = a.hits[i];
    const Hit& y = b.hits[i];
    ASSERT_EQ(x.position, y.position) << what << " hit " << i;
    EXPECT_EQ(x.length, y.length) << what << " hit " << i;
    EXPECT_EQ(x.search_number, y.search_number) << what << " hit " << i;
    EXPECT_TRUE(x.left == y.left && x.hit == y.hit && x.right == y.right)
        << what << " hit " << i << ": [" << u8(x.left) << "|" << u8(x.hit) << "|" << u8(x.right)
        << "] against [" << u8(y.left) << "|" << u8(y.hit) << "|" << u8(y.right) << "]";
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(x.counts.number[k], y.counts.number[k]) << what << " hit " << i << " kind " << k;
      EXPECT_EQ(x.counts.position[k], y.counts.position[k])
          << what << " hit " << i << " kind " << k;
    }
  }
}

// Each hit's context is the text round it: `width` units each side, cut at the text's
// ends and never inside a surrogate pair.
void expect_contexts_of(const Text& t, const std::u16string& text, std::size_t width) {
  auto low = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
  for (const Hit& h : t.hits) {
    const auto pos = static_cast<std::size_t>(h.position);
    const std::size_t end = pos + static_cast<std::size_t>(h.length);
    ASSERT_LE(end, text.size());
    std::size_t l0 = pos > width ? pos - width : 0;
    if (l0 < pos && l0 > 0 && low(text[l0])) ++l0;
    std::size_t r1 = std::min(text.size(), end + width);
    if (r1 > end && r1 < text.size() && low(text[r1])) --r1;
    ASSERT_TRUE(h.hit == text.substr(pos, end - pos)) << pos;
    ASSERT_TRUE(h.left == text.substr(l0, pos - l0)) << pos << " [" << u8(h.left) << "]";
    ASSERT_TRUE(h.right == text.substr(end, r1 - end)) << pos << " [" << u8(h.right) << "]";
  }
}

class CorpusSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("corvane-corpus-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string write(const std::string& name, const std::string& bytes) {
    std::ofstream((dir / name).string(), std::ios::binary) << bytes;
    return (dir / name).string();
  }
  fs::path dir;
};

corpus_search_options whole_text_options() {
  corpus_search_options o;
  o.piece = std::size_t{1} << 30;
  o.range = std::size_t{1} << 30;
  o.workers = 1;
  o.byte_prefilter = false;
  o.context = 12;
  // 8-bit texts in the system code page, as TextFileContents reads them.
  o.encoding.how = text_encoding_choice::mode::system;
  return o;
}

TEST_F(CorpusSearchTest, PiecesRangesAndWorkersGiveTheWholeTextsResults) {
  const std::string files[] = {write("lf.txt", sample_text(1, false)),
                               write("crlf.txt", sample_text(2, true)),
                               write("open.txt", sample_text(3, false) + "last cat")};
  const auto words = words_of({u"cat", u"the", u"caf*", u"dog's", u"снег"});
  for (const std::string& file : files) {
    const std::u16string text = TextFileContents(u16(file));
    for (const bool markers : {false, true}) {
      corpus_search_options o = whole_text_options();
      o.counts = markers ? corpus_counts::structure : corpus_counts::words;
      const Text whole = search(file, words, o);
      ASSERT_GT(whole.hits.size(), 1000u);
      expect_contexts_of(whole, text, 12);
      const std::string what = file + (markers ? " with markers" : "");
      o.piece = 64;
      expect_same(search(file, words, o), whole, what + " in pieces");
      o.range = 4096;
      o.workers = 3;
      expect_same(search(file, words, o), whole, what + " in ranges");
      // Counting only gives the same totals.
      o.count_only = true;
      o.workers = 2;
      const Text counted = search(file, words, o);
      EXPECT_EQ(counted.hit_count, whole.hit_count) << what;
      EXPECT_EQ(counted.words, whole.words) << what;
      EXPECT_TRUE(counted.hits.empty());
      // At most N hits per word and file: the first N of each word, whatever the cuts.
      o.max_per_word = 7;
      EXPECT_EQ(search(file, words, o).hit_count, 5 * 7) << what;
      o.count_only = false;
      const Text first7 = search(file, words, o);
      ASSERT_EQ(first7.hits.size(), 35u);
      std::vector<Hit> want;
      std::vector<int> seen(5, 0);
      for (const Hit& h : whole.hits)
        if (seen[static_cast<std::size_t>(h.search_number)]++ < 7) want.push_back(h);
      for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(first7.hits[i].position, want[i].position) << what;
    }
  }
}

// Plain ASCII words are looked for in the raw bytes first and only the lines that may hold
// a hit are searched; positions, word numbers, contexts and totals must be the full
// search's, in UTF-8 and 8-bit texts, LF and CR LF, whole and in ranges.
TEST_F(CorpusSearchTest, TheBytePrefilterGivesTheFullSearchsResults) {
  std::string eight_bit = sample_text(5, true);
  for (char& c : eight_bit)
    if (static_cast<unsigned char>(c) >= 0x80) c = '\xA0';  // windows-1252 no-break space
  // Rare enough hits that the prefilter takes them (one line in a thousand bytes or fewer),
  // among sentences and paragraphs of every kind.
  std::string sparse;
  std::mt19937 g(9);
  const char* const filler[] = {"  nothing here \xF0\x9F\x98\x80 but words\tand more words\n",
                                "Two sentences. Here they are! And a third? Yes.\n",
                                "\n",
                                "   \t \n",
                                "\xC2\xA0\xE3\x80\x80\n",
                                "Dr. Who said \"Stop.\" and left. \xC2\xBFQu\xC3\xA9? Bien.\r\n",
                                "e.g. this one goes on. 3.14 is pi.   \n",
                                "no end here, none at all\r"};
  for (int i = 0; i < 4000; ++i) {
    sparse += i % 97 == 0 ? "The cat\u00A0sat; a\u3000cat-flap. X-ray o'clock cats.\r\n"
                          : filler[g() % std::size(filler)];
    if (g() % 50 == 0) sparse += "\r";
  }
  const std::string files[] = {
      write("lf.txt", sample_text(1, false)), write("crlf.txt", sample_text(2, true) + "cat"),
      write("w1252.txt", eight_bit + "\x81\x8D cat \xE9the"), write("sparse.txt", sparse),
      write("sparse_open.txt", sparse + "cat")};
  const std::vector<std::u16string> searches[] = {
      {u"cat", u"the"}, {u"dog's", u"o'clock", u"x-ray"}, {u"==CAT==", u"cats"}, {u"zebra"}};
  for (const std::string& file : files) {
    const std::u16string text = TextFileContents(u16(file));
    for (const auto& typed : searches) {
      const auto words = words_of(typed);
      for (const int mode : {0, 1, 2}) {
        // Without and with sentence and paragraph counts, and with no word-internal
        // characters.
        const bool allow = mode != 2;
        corpus_search_options o = whole_text_options();
        o.allow = allow ? u"'-" : u"";
        o.counts = mode == 1 ? corpus_counts::structure : corpus_counts::words;
        const Text full = search(file, words, o);
        const std::string what = file + " " + u8(typed[0]) + (allow ? "" : " no allow") +
                                 (mode == 1 ? " structure" : "");
        o.byte_prefilter = true;
        o.range = 4096;
        for (unsigned workers : {1u, 3u}) {
          o.workers = workers;
          o.count_only = false;
          const Text t = search(file, words, o);
          expect_same(t, full, what + " workers " + std::to_string(workers));
          expect_contexts_of(t, text, 12);
          o.count_only = true;
          const Text counted = search(file, words, o);
          EXPECT_EQ(counted.hit_count, full.hit_count) << what;
          EXPECT_EQ(counted.words, full.words) << what << " workers " << workers;
        }
      }
    }
  }
}

// The bundled samples (five encodings, several scripts, a zip that is no text): the same
// results with and without the prefilter, whole and in small ranges.
TEST(CorpusSearchSamples, ThePrefilterChangesNothingOnTheSamples) {
  std::vector<std::string> paths;
  for (const auto& e : fs::directory_iterator(fs::path(testing::source_dir()) / "samples/corpus"))
    paths.push_back(e.path().string());
  std::sort(paths.begin(), paths.end());
  ASSERT_GE(paths.size(), 10u);
  for (const auto& typed : {std::vector<std::u16string>{u"the", u"and"},
                            std::vector<std::u16string>{u"sea", u"market", u"marche"}}) {
    const auto words = words_of(typed);
    for (const bool structure : {false, true}) {
      corpus_search_options o = whole_text_options();
      o.counts = structure ? corpus_counts::structure : corpus_counts::words;
      Collector full;
      ASSERT_TRUE(search_corpus(paths, words, o, full));
      o.byte_prefilter = true;
      o.range = 4096;
      o.workers = 3;
      Collector fast;
      ASSERT_TRUE(search_corpus(paths, words, o, fast));
      ASSERT_EQ(fast.texts.size(), full.texts.size());
      for (std::size_t i = 0; i < full.texts.size(); ++i) {
        EXPECT_EQ(fast.texts[i].error, full.texts[i].error) << paths[i];
        expect_same(fast.texts[i], full.texts[i], paths[i] + (structure ? " structure" : ""));
      }
    }
  }
}

TEST_F(CorpusSearchTest, TextsComeInOrderAndTheSinkCanStopTheSearch) {
  std::vector<std::string> paths;
  for (int i = 0; i < 12; ++i)
    paths.push_back(write("t" + std::to_string(i) + ".txt", sample_text(20 + i, i % 2 == 0)));
  paths.insert(paths.begin() + 3, (dir / "missing.txt").string());
  const auto words = words_of({u"cat"});
  corpus_search_options o;
  o.workers = 1;
  Collector one;
  EXPECT_TRUE(search_corpus(paths, words, o, one));
  ASSERT_EQ(one.texts.size(), paths.size());
  EXPECT_EQ(one.texts[3].error, "cannot be opened: no such file or directory");
  o.workers = 3;
  o.range = 4096;
  std::uint64_t last_bytes = 0;
  std::size_t calls = 0;
  Collector three;
  EXPECT_TRUE(search_corpus(paths, words, o, three, [&](std::uint64_t bytes, std::size_t) {
    ++calls;
    last_bytes = bytes;
  }));
  ASSERT_EQ(three.texts.size(), paths.size());
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    expect_same(three.texts[i], one.texts[i], paths[i]);
    if (i != 3) total += fs::file_size(paths[i]);
  }
  EXPECT_GT(calls, 0u);
  EXPECT_EQ(last_bytes, total);
  // Stopping: no hit is reported after the sink said no.
  Collector stopper;
  stopper.stop_after = 10;
  EXPECT_FALSE(search_corpus(paths, words, o, stopper));
  EXPECT_EQ(stopper.hits_seen, 10u);
  EXPECT_THROW(search_corpus(paths, {}, o, stopper), std::invalid_argument);
  // What the sink throws comes out of the search, after the workers have stopped.
  class Thrower : public corpus_search_sink {
    bool hit(const corpus_text&, const corpus_hit&) override { throw std::runtime_error("full"); }
  } thrower;
  EXPECT_THROW(search_corpus(paths, words, o, thrower), std::runtime_error);
}

// A .docx is searched as its paragraphs: the same hits, counts and contexts as the same
// paragraphs saved as a UTF-8 text, however the search is run.
TEST_F(CorpusSearchTest, DocxDocumentsAreSearchedAsTheirParagraphs) {
  const std::string text = sample_text(7, false);
  std::string body;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    body += testing::docx_paragraph({text.substr(start, end - start)});
    start = end + 1;
  }
  const std::string docx = (dir / "sample.DocX").string();
  testing::write_docx_body(docx, body);
  const std::string plain = write("sample.txt", text);
  ASSERT_TRUE(DOCXFileText(u16(docx)) == TextFileContents(u16(plain)));
  const auto words = words_of({u"cat", u"the", u"caf*", u"снег"});
  for (const corpus_search_options& o : {whole_text_options(), corpus_search_options{}}) {
    const Text a = search(docx, words, o);
    expect_same(a, search(plain, words, o), "docx");
    EXPECT_GT(a.hit_count, 100);
  }
  corpus_search_options counting;
  counting.count_only = true;
  EXPECT_EQ(search(docx, words, counting).hit_count, search(plain, words, counting).hit_count);
  // A .docx that is no archive is an error naming it; the texts after it are searched.
  const std::string fake = write("fake.docx", text);
  Collector c;
  EXPECT_TRUE(search_corpus({fake, docx}, words, whole_text_options(), c));
  ASSERT_EQ(c.texts.size(), 2u);
  EXPECT_NE(c.texts[0].error.find("Cannot open the zip archive \"" + fake), std::string::npos)
      << c.texts[0].error;
  EXPECT_EQ(c.texts[1].error, "");
  EXPECT_GT(c.texts[1].hit_count, 100);
}

// An endless device is read as a stream up to the limit and then reported, never held
// whole; a folder named as a text is reported too.
TEST_F(CorpusSearchTest, StreamsStopAtTheirLimit) {
  corpus_search_options o;
  o.workers = 1;
  o.stream_limit = 1 << 20;
  Collector c;
  EXPECT_TRUE(search_corpus({"/dev/zero", dir.string()}, words_of({u"cat"}), o, c));
  ASSERT_EQ(c.texts.size(), 2u);
  EXPECT_EQ(c.texts[0].error, "read as a stream: longer than 1048576 bytes, not searched");
  EXPECT_EQ(c.texts[1].error, "is a folder");
}

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The entries of an archive are searched in memory exactly as the same bytes in files:
// every encoding the reader decides on, a .docx inside the archive, stored and deflated,
// whole and cut into ranges, with and without the prefilter; nothing is unpacked to disk.
TEST_F(CorpusSearchTest, ZipEntriesAreSearchedAsTheirBytesWouldBeAsFiles) {
  std::string latin1 = "caf\xE9 the cat sat\r\nna\xEFve cat\n";
  for (int i = 0; i < 200; ++i) latin1 += "the cat's mat, a caf\xE9 cat\n";
  std::string utf16 = "\xFF\xFE";
  for (const char c : sample_text(3, true).substr(0, 20000)) {
    if (static_cast<unsigned char>(c) >= 0x80) continue;
    utf16 += c;
    utf16 += '\0';
  }
  std::string body;
  const std::string para = sample_text(5, false);
  for (std::size_t start = 0; start < para.size();) {
    const std::size_t end = para.find('\n', start);
    body += testing::docx_paragraph({para.substr(start, end - start)});
    start = end + 1;
  }
  testing::write_docx_body((dir / "doc.docx").string(), body);
  const std::vector<std::pair<std::string, std::string>> members = {
      {"big.txt", sample_text(11, false) + sample_text(12, true)},
      {"sub/latin1.txt", latin1},
      {"sub/utf16.txt", utf16},
      {"doc.docx", file_bytes((dir / "doc.docx").string())},
      {"empty.txt", ""},
      {"inner.zip", testing::build_zip({{{"x.txt", "cat"}}})},
  };
  testing::ZipArchiveLayout layout;
  std::vector<gathered_text> entries, files;
  for (std::size_t i = 0; i < members.size(); ++i) {
    testing::ZipEntrySpec e;
    e.name = members[i].first;
    e.data = members[i].second;
    e.deflate = i % 2 == 0;
    layout.entries.push_back(e);
    const std::string file =
        write("m" + std::to_string(i) + "_" + fs::path(e.name).filename().string(), e.data);
    files.push_back(text_named(file));
    gathered_text entry;
    entry.archive = write("corpus.zip", "");
    entry.path = entry.archive + "/" + e.name;
    entry.number_within_zip = static_cast<std::int32_t>(i + 1);
    entries.push_back(entry);
  }
  write("corpus.zip", testing::build_zip(layout));
  const fs::path temp = dir / "tmp";
  fs::create_directories(temp);
  const char* old_tmp = std::getenv("TMPDIR");
  const std::string saved = old_tmp != nullptr ? old_tmp : "";
  ::setenv("TMPDIR", temp.c_str(), 1);
  const auto words = words_of({u"cat", u"the", u"caf*", u"na*ve"});
  corpus_search_options fast;
  fast.range = 4096;
  fast.workers = 3;
  for (const corpus_search_options& o : {whole_text_options(), fast}) {
    for (const bool count : {false, true}) {
      corpus_search_options oo = o;
      oo.count_only = count;
      Collector from_files, from_zip;
      ASSERT_TRUE(search_corpus(files, words, oo, from_files));
      ASSERT_TRUE(search_corpus(entries, words, oo, from_zip));
      ASSERT_EQ(from_zip.texts.size(), members.size());
      for (std::size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(from_zip.texts[i].path, entries[i].path);
        EXPECT_EQ(from_zip.texts[i].error, from_files.texts[i].error) << members[i].first;
        expect_same(from_zip.texts[i], from_files.texts[i], members[i].first);
      }
      EXPECT_GT(from_zip.texts[0].hit_count, 100);
      EXPECT_GT(from_zip.texts[1].hit_count, 200);
      EXPECT_GT(from_zip.texts[3].hit_count, 50);
      EXPECT_EQ(from_zip.texts[5].error, "not a text file (binary)");
    }
  }
  EXPECT_TRUE(fs::is_empty(temp));
  if (old_tmp != nullptr)
    ::setenv("TMPDIR", saved.c_str(), 1);
  else
    ::unsetenv("TMPDIR");

  // A number that no longer fits the archive: the name decides. A missing entry, an entry
  // past the limit and an archive that cannot be read are reported; the rest is searched.
  std::vector<gathered_text> odd = {entries[1], entries[1], entries[0], entries[2]};
  odd[0].number_within_zip = 5;
  odd[1].path = entries[0].archive + "/nothing.txt";
  odd[3].archive = odd[3].path = write("bad.zip", "PK\x03\x04 not really");
  odd[3].path += "/a.txt";
  odd.push_back(text_named(entries[1].path));  // found by its name alone
  corpus_search_options small = whole_text_options();
  small.entry_limit = 6000;
  Collector c;
  ASSERT_TRUE(search_corpus(odd, words, small, c));
  ASSERT_EQ(c.texts.size(), 4u);  // the last is the first again, searched once
  EXPECT_EQ(c.texts[0].error, "");
  EXPECT_GT(c.texts[0].hit_count, 200);
  EXPECT_EQ(c.texts[1].error, "no such entry in " + entries[0].archive);
  EXPECT_NE(c.texts[2].error.find("cannot be read from the archive: "), std::string::npos);
  EXPECT_NE(c.texts[2].error.find("limit of 6000 bytes"), std::string::npos) << c.texts[2].error;
  EXPECT_NE(c.texts[3].error.find("the archive cannot be read: "), std::string::npos);
  EXPECT_EQ(text_named(odd[4].path).archive, entries[0].archive);
}

// A text gathered twice (two masks match it) is searched once, where it first comes; the
// sink sees its place in the list given.
TEST_F(CorpusSearchTest, ATextGatheredTwiceIsSearchedOnce) {
  const std::string a = write("a.txt", "the cat\n"), b = write("b.txt", "a cat\n");
  class Indexes : public corpus_search_sink {
   public:
    std::vector<std::size_t> seen;
    bool text_begins(const corpus_text& t) override {
      seen.push_back(t.index);
      return true;
    }
  } sink;
  ASSERT_TRUE(search_corpus(std::vector<std::string>{a, b, a, b, a}, words_of({u"cat"}),
                            whole_text_options(), sink));
  EXPECT_EQ(sink.seen, (std::vector<std::size_t>{0, 1}));
}

TEST(CorpusSearchBytes, WordStartsAsTheMatcherCountsThem) {
  auto count = [](const std::string& s, bool first) {
    return detail::count_word_starts(reinterpret_cast<const unsigned char*>(s.data()), 0, s.size(),
                                     nullptr, first);
  };
  EXPECT_EQ(count("", true), 0);
  EXPECT_EQ(count("one two  three\n", true), 4);  // three words and the spare after the end
  EXPECT_EQ(count("one two", false), 2);          // a later part's first word is counted before it
  EXPECT_EQ(count("a\u00A0b\u3000c\u0085d", true), 5);
  EXPECT_EQ(count(std::string(40, 'x') + " " + std::string(40, 'y') + "\n", true), 3);
  // The bytes after the range are not looked at, however the vector loop ends.
  const std::string two = std::string(15, 'a') + "\n" + "b";
  EXPECT_EQ(detail::count_word_starts(reinterpret_cast<const unsigned char*>(two.data()), 0, 16,
                                      nullptr, true),
            2);
}

// A search word with a space may match across any cut, so its texts are searched whole.
TEST_F(CorpusSearchTest, PhrasesAcrossLineBreaksAreFound) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "an old cat sat on\nthe mat and on the\nmat again.\n";
  const std::string file = write("phrase.txt", text);
  corpus_search_options o;
  o.piece = 64;
  o.range = 4096;
  o.workers = 2;
  EXPECT_EQ(search(file, words_of({u"on the"}), o).hit_count, 800);
}

// Long stretches with nowhere to cut are read on until a cut comes, and give what a whole
// search gives.
TEST_F(CorpusSearchTest, TextsWithoutPlacesToCutAreSearchedAsTheyCome) {
  const std::string file = write(
      "long.txt", std::string(300000, 'x') + " cat x\n" + std::string(300000, 'y') + " cat\n");
  corpus_search_options o = whole_text_options();
  const Text whole = search(file, words_of({u"cat"}), o);
  ASSERT_EQ(whole.hits.size(), 2u);
  o.piece = 64;
  expect_same(search(file, words_of({u"cat"}), o), whole, "small pieces");
  EXPECT_EQ(whole.hits[0].right, u" x\r\nyyyyyyyy");
}

// A word typed with wildcard codes can match the blank taken before the text; the hit still
// starts inside the text (found by the fuzz target).
TEST_F(CorpusSearchTest, HitsNeverStartBeforeTheText) {
  const std::string file = write("w.txt", "\xEF\xBB\xBF.**\xC3\x95\xE2\x80\x98\n");
  const std::u16string text = TextFileContents(u16(file));
  corpus_search_options o;
  o.counts = corpus_counts::structure;
  o.context = 14;
  o.sort_keys = {{'R', 1, true}};
  const Text t = search(file, parsed_search_line(u"\u001b**", false), o);
  for (const Hit& h : t.hits) {
    EXPECT_GE(h.position, 0);
    EXPECT_LE(h.position + h.length, static_cast<std::int64_t>(text.size()));
  }
  expect_contexts_of(t, text, 14);
}

// Sentence and paragraph numbers, and word positions within them, start at 1.
TEST_F(CorpusSearchTest, MarkersNumberSentencesAndParagraphs) {
  const std::string file =
      write("s.txt", "First one. Second one? \"Third,\" he said.\n\n  Para two here. And more!\n");
  corpus_search_options o;
  o.counts = corpus_counts::structure;
  const Text t = search(file, words_of({u"first", u"third", u"said", u"para", u"more"}), o);
  ASSERT_EQ(t.hits.size(), 5u);
  // word, sentence, word in sentence (as printed: position less one), paragraph
  const int want[5][4] = {{1, 1, 1, 1}, {5, 3, 1, 1}, {7, 3, 3, 1}, {8, 4, 1, 2}, {12, 5, 2, 2}};
  for (int i = 0; i < 5; ++i) {
    const TSearchStatsRec& c = t.hits[static_cast<std::size_t>(i)].counts;
    EXPECT_EQ(c.number[stats_word], want[i][0]) << i;
    EXPECT_EQ(c.number[stats_sentence], want[i][1]) << i;
    EXPECT_EQ(c.position[stats_sentence] - 1, want[i][2]) << i;
    EXPECT_EQ(c.number[stats_paragraph], want[i][3]) << i;
  }
  EXPECT_EQ(t.words, 12);
}

// Every vector kernel of the word counter agrees with the scalar reference: same count,
// same bytes taken, same state after them, on random mixes of ASCII words, blanks, DEL and
// high bytes, from every alignment.
TEST(CorpusSearchBytes, WordStartKernelsMatchTheScalarReference) {
  std::mt19937 g(17);
  const char pool[] = {'a', 'b', ' ', ' ', '\n', '\t', 0x7F, '!', 0x20, 'Z', 0x01, '~'};
  const auto kernels = detail::supported_word_start_kernels();
  EXPECT_GE(kernels.size(), 1u);
  for (int round = 0; round < 3000; ++round) {
    std::string s(g() % 200, 'x');
    for (char& c : s) c = g() % 300 == 0 ? static_cast<char>(0x80 + g() % 0x40) : pool[g() % 12];
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t skip = s.empty() ? 0 : g() % std::min<std::size_t>(s.size(), 33);
    for (const unsigned before : {0u, 1u}) {
      std::int64_t want_count = 0;
      unsigned want_state = before;
      const std::size_t want = detail::scalar_word_start_kernel().ascii_run(
          p + skip, s.size() - skip, want_count, want_state);
      for (const detail::word_start_kernel* k : kernels) {
        std::int64_t count = 0;
        unsigned state = before;
        const std::size_t got = k->ascii_run(p + skip, s.size() - skip, count, state);
        // A wider kernel may stop at its own block boundary, but never later than the
        // reference, and what it took must count alike.
        ASSERT_EQ(got, want) << k->name << " round " << round;
        ASSERT_EQ(count, want_count) << k->name << " round " << round;
        ASSERT_EQ(state, want_state) << k->name << " round " << round;
      }
    }
    for (const bool utf8 : {true, false}) {
      const std::uint64_t want = detail::scalar_word_start_kernel().units(p, s.size(), utf8);
      for (const detail::word_start_kernel* k : kernels)
        ASSERT_EQ(k->units(p, s.size(), utf8), want) << k->name << " units, round " << round;
    }
  }
}

// The unit count on bytes is what the decoder makes of them: CR LF, CR and LF each give
// two units, a four-byte sequence a surrogate pair.
TEST(CorpusSearchBytes, UnitCountsAreTheDecodersLengths) {
  const std::string text = "a\r\nb\rc\nd\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80\r\n\n" +
                           std::string(40, 'x') + "\r\r\n\xC3\xA9";
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::uint64_t want = 1 + 2 + 1 + 2 + 1 + 2 + 1 + 1 + 1 + 2 + 2 + 2 + 40 + 2 + 2 + 1;
  for (const detail::word_start_kernel* k : detail::supported_word_start_kernels())
    EXPECT_EQ(k->units(p, text.size(), true), want) << k->name;
}

TEST(CorpusSearchRanges, CutsFallOnLineBoundaries) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += i % 9 == 0 ? "\n" : "word. next\n";
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  for (const bool markers : {false, true}) {
    const std::vector<std::size_t> cuts = detail::range_cuts(p, text.size(), 4096, markers);
    ASSERT_GT(cuts.size(), 3u);
    EXPECT_EQ(cuts.front(), 0u);
    EXPECT_EQ(cuts.back(), text.size());
    for (std::size_t k = 1; k + 1 < cuts.size(); ++k) {
      const std::size_t c = cuts[k];
      if (markers)
        EXPECT_TRUE(text[c] == '\n' && text[c - 1] == 't') << c;
      else
        EXPECT_TRUE(text[c - 1] == '\n' && text[c] == 'w') << c;
    }
  }
  // No place to cut: one range.
  const std::string flat(20000, 'x');
  EXPECT_EQ(detail::range_cuts(reinterpret_cast<const unsigned char*>(flat.data()), flat.size(),
                               4096, false),
            (std::vector<std::size_t>{0, flat.size()}));
}

}  // namespace
}  // namespace corvane
