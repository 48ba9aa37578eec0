// Random texts and words through the matcher, every hit compared with a plain reference
// search written from the matching rules, and the vector kernels compared with the
// one-character-at-a-time loop.

#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <random>
#include <string>
#include <vector>

#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Bare_assemb3_test_support.hpp"

namespace corvane {
namespace {

using testing_matcher::find_all;
using testing_matcher::Hit;
using testing_matcher::Options;
using testing_matcher::parse_word;
using testing_matcher::TestBuffer;

constexpr int kCases = 10000;

// Few letters, so that words and near-words collide often; upper and lower forms of each.
constexpr char16_t kLetters[] = u"abcAB\u00E9\u00C9";
constexpr std::size_t kLetterCount = sizeof(kLetters) / sizeof(kLetters[0]) - 1;

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : rng_(seed) {}

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  char16_t letter() { return kLetters[below(kLetterCount)]; }

  std::u16string word(int max_len) {
    std::u16string w;
    const int len = 1 + below(max_len);
    for (int i = 0; i < len; ++i) w += letter();
    return w;
  }

  // Letters, digits, punctuation, spaces, line breaks, combining marks and tags.
  std::u16string text(int max_len) {
    std::u16string t;
    const int len = below(max_len + 1);
    while (static_cast<int>(t.size()) < len) {
      switch (below(12)) {
        case 0:
        case 1:
        case 2:
        case 3:
          t += word(below(4) == 0 ? 6 : 3);
          break;
        case 4:
        case 5:
          t += u' ';
          break;
        case 6:
          t += u"\r\n";
          break;
        case 7:
          t += u".,-'!\t"[below(6)];
          break;
        case 8:
          t += static_cast<char16_t>(u'0' + below(10));
          break;
        case 9:
          t += u'\u0301';
          break;
        case 10:
          t += u'\x19';
          t += word(3);
          t += u'\x18';
          break;
        default:
          t += u"  ";
          break;
      }
    }
    return t;
  }

 private:
  std::mt19937 rng_;
};

bool is_markup(std::uint16_t w) {
  return (w & 0x8800) == 0x0800;
}
bool is_word(std::uint16_t w) {
  return (w & 0x0104) != 0;
}
bool same_letter(char16_t a, char16_t b) {
  return u_tolower(a) == u_tolower(b);
}

struct Expected {
  std::int32_t pos, exact, extended, words;
};

// Every hit of a literal word, case-insensitive, by the plain rules: a hit starts on a
// character outside mark-up at a word start (when left bounded), takes the word's letters
// one by one with any tag between them passed over, may end on the buffer's last character
// only when it used exactly the word's length, and must end at a word end when right
// bounded; otherwise it is extended over the rest of its word.
std::vector<Expected> reference(const TestBuffer& b, std::u16string_view word, bool left,
                                bool right) {
  std::vector<Expected> out;
  const std::int32_t n = b.size();
  const auto L = static_cast<std::int32_t>(word.size());
  const auto& w = b.details;
  std::int32_t words = 0;
  for (std::int32_t p = 0; p < n; ++p) {
    if ((w[p] & 0x68) && !(w[p + 1] & 0x68)) ++words;
    if (is_markup(w[p]) || !same_letter(b.text[p], word[0])) continue;
    if (left && p > 0 && !(w[p - 1] & 0x8800) && is_word(w[p - 1])) continue;
    std::int32_t q = p;
    bool ok = true;
    for (std::int32_t k = 1; k < L && ok; ++k) {
      do {
        ++q;
      } while (q < n && is_markup(w[q]));
      if (q >= n || !same_letter(b.text[q], word[k])) {
        ok = false;
      } else if (q == n - 1) {
        ok = q - p + 1 == L;
        break;
      }
    }
    if (!ok) continue;
    const std::int32_t exact = q - p + 1;
    std::int32_t extended = exact;
    if (right) {
      if (is_word(w[q + 1])) continue;
    } else {
      for (std::int32_t j = q + 1; j <= n && (is_word(w[j]) || w[j] == 0x0200); ++j) ++extended;
    }
    out.push_back({p, exact, extended, words});
  }
  return out;
}

std::string describe(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
      out += buf;
    }
  }
  return out;
}

std::vector<detail::matcher_kernel> kernels() {
  std::vector<detail::matcher_kernel> out;
  for (auto k :
       {detail::matcher_kernel::scalar, detail::matcher_kernel::sse2, detail::matcher_kernel::avx2})
    if (detail::matcher_kernel_supported(k)) out.push_back(k);
  return out;
}

class KernelRestorer {
 public:
  KernelRestorer() : saved_(detail::current_matcher_kernel()) {}
  ~KernelRestorer() { detail::set_matcher_kernel(saved_); }

 private:
  detail::matcher_kernel saved_;
};

void check_against_reference(bool trailing_star, std::uint32_t seed) {
  KernelRestorer restore;
  Generator g(seed);
  int compared_hits = 0;
  for (int c = 0; c < kCases; ++c) {
    const TestBuffer b(g.text(300));
    const std::u16string word = g.word(3);
    const auto rec = parse_word(trailing_star ? word + u"*" : word);
    const auto want = reference(b, word, true, !trailing_star);
    for (auto k : kernels()) {
      detail::set_matcher_kernel(k);
      const auto got = find_all(b, rec);
      bool same = got.size() == want.size();
      for (std::size_t i = 0; same && i < got.size(); ++i)
        same = got[i].pos == want[i].pos && got[i].exact == want[i].exact &&
               got[i].extended == want[i].extended &&
               got[i].stats.number[stats_word] == want[i].words &&
               got[i].stats.position[stats_sentence] == want[i].words;
      ASSERT_TRUE(same) << "case " << c << " kernel " << static_cast<int>(k) << " word \""
                        << describe(word) << "\" text \"" << describe(b.text) << "\" got "
                        << got.size() << " hits, want " << want.size();
    }
    compared_hits += static_cast<int>(want.size());
  }
  // The texts are built so that a good share of the cases has hits.
  EXPECT_GT(compared_hits, kCases / 4);
}

TEST(MatcherDifferential, WholeWordsCaseInsensitiveAgreeWithTheReference) {
  check_against_reference(false, 20261205);
}

TEST(MatcherDifferential, TrailingStarAgreesWithTheReference) {
  check_against_reference(true, 5021);
}

// Wildcards, markers and every flag: the vector kernels must give what the scalar loop
// gives, hits, lengths and every count.
TEST(MatcherDifferential, VectorKernelsAgreeWithTheScalarLoop) {
  KernelRestorer restore;
  const auto ks = kernels();
  Generator g(77);
  const std::u16string patterns[] = {u"ab",  u"a*c", u"*b",    u"b?",    u"^a",   u"# a",
                                     u"a b", u"a*",  u"==A==", u"a * b", u"<a>b", u"a^ b"};
  for (int c = 0; c < kCases / 4; ++c) {
    TestBuffer b(g.text(400));
    for (int m = 0; m < b.size() / 20; ++m)
      b.marker(static_cast<std::size_t>(g.below(b.size())),
               static_cast<std::uint16_t>(14 + g.below(8)));
    const auto& typed = patterns[g.below(std::size(patterns))];
    const auto rec = parse_word(typed, u"<>");
    Options o;
    o.punct_as_space = g.below(2) == 0;
    for (int k = 1; k < 5; ++k) o.end_markers[k] = g.below(2) == 0;
    std::vector<std::vector<Hit>> results;
    for (auto k : ks) {
      detail::set_matcher_kernel(k);
      results.push_back(find_all(b, rec, o));
    }
    for (std::size_t r = 1; r < results.size(); ++r) {
      bool same = results[r].size() == results[0].size();
      for (std::size_t i = 0; same && i < results[r].size(); ++i) {
        const Hit& x = results[r][i];
        const Hit& y = results[0][i];
        same = x.pos == y.pos && x.exact == y.exact && x.extended == y.extended &&
               x.in_heading == y.in_heading;
        for (int k = 0; same && k < 5; ++k)
          same = x.stats.number[k] == y.stats.number[k] &&
                 x.stats.position[k] == y.stats.position[k] &&
                 x.stats.out_of[k] == y.stats.out_of[k];
      }
      ASSERT_TRUE(same) << "case " << c << " pattern \"" << describe(typed) << "\" text \""
                        << describe(b.text) << "\"";
    }
  }
}

}  // namespace
}  // namespace corvane
