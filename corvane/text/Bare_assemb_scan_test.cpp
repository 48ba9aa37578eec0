// The vector scan kernels against the scalar reference, on random buffers allocated to
// their exact length (so that the sanitizer build catches any read past the end), and on
// buffers that end against an unreadable page.

#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "corvane/text/Bare_assemb.hpp"
#include "corvane/text/Bare_assemb_kernels.hpp"

namespace corvane::detail {
namespace {

std::vector<const bare_scan_kernels*> vector_levels() {
  std::vector<const bare_scan_kernels*> levels;
  for (const auto level : {simd_level::sse2, simd_level::avx2})
    if (simd_level_supported(level)) levels.push_back(&scan_kernels(level));
  return levels;
}

// Few distinct units, so that partial matches are common. The wide ones share a byte with
// 'a' (0x0161, 0x6100) to catch a lane taken for the wrong half of a code unit.
const std::uint8_t kBytes[] = {'a', 'b', 0x00, 0xE1, 0xFF};
const char16_t kUnits[] = {u'a', u'b', 0x0161, 0x6100, 0xFFFF, 0x0000};

template <class T>
class random_cases {
 public:
  explicit random_cases(unsigned seed) : rng_(seed) {}
  T unit() {
    if constexpr (sizeof(T) == 1)
      return kBytes[pick(0, static_cast<int>(std::size(kBytes)) - 1)];
    else
      return kUnits[pick(0, static_cast<int>(std::size(kUnits)) - 1)];
  }
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // A buffer of exactly n units; with a planted copy of `plant` (m units) at the start, the
  // end or somewhere, chosen at random, when it fits.
  std::unique_ptr<T[]> buffer(int n, const T* plant, int m) {
    auto b = std::make_unique<T[]>(n);
    for (int i = 0; i < n; ++i) b[i] = unit();
    if (plant != nullptr && m <= n) {
      const int where = pick(0, 3);
      const int at = where == 0 ? 0 : where == 1 ? n - m : pick(0, n - m);
      if (where < 3) std::copy(plant, plant + m, b.get() + at);
    }
    return b;
  }

 private:
  std::mt19937 rng_;
};

template <class T>
void compare_with_reference(unsigned seed) {
  const auto& ref = scalar_scan_kernels;
  random_cases<T> cases(seed);
  for (const auto* k : vector_levels()) {
    for (int n = 0; n <= 200; ++n) {
      for (int trial = 0; trial < 12; ++trial) {
        const int m = cases.pick(1, 9);
        std::vector<T> a(m), b(m);
        for (int i = 0; i < m; ++i) {
          a[i] = cases.unit();
          b[i] = cases.pick(0, 1) ? a[i] : cases.unit();
        }
        // The case-insensitive plant mixes the two patterns index by index.
        std::vector<T> mixed(m);
        for (int i = 0; i < m; ++i) mixed[i] = cases.pick(0, 1) ? a[i] : b[i];

        SCOPED_TRACE(std::string(k->name) + " n=" + std::to_string(n) + " m=" + std::to_string(m));
        auto s = cases.buffer(n, a.data(), m);
        const T c = a[0];
        if constexpr (sizeof(T) == 1) {
          ASSERT_EQ(k->scan8(s.get(), n, c), ref.scan8(s.get(), n, c));
          ASSERT_EQ(k->find8(s.get(), n, a.data(), m), ref.find8(s.get(), n, a.data(), m));
          s = cases.buffer(n, mixed.data(), m);
          ASSERT_EQ(k->ifind8(s.get(), n, a.data(), b.data(), m),
                    ref.ifind8(s.get(), n, a.data(), b.data(), m));
        } else {
          ASSERT_EQ(k->scan16(s.get(), n, c), ref.scan16(s.get(), n, c));
          ASSERT_EQ(k->find16(s.get(), n, a.data(), m), ref.find16(s.get(), n, a.data(), m));
          s = cases.buffer(n, mixed.data(), m);
          ASSERT_EQ(k->ifind16(s.get(), n, a.data(), b.data(), m),
                    ref.ifind16(s.get(), n, a.data(), b.data(), m));
        }
      }
    }
  }
}

TEST(BareAssembKernels, VectorScansAgreeWithTheReferenceOnRandomBuffers) {
  if (vector_levels().empty()) GTEST_SKIP() << "no vector kernels on this processor";
  compare_with_reference<std::uint8_t>(1);
  compare_with_reference<char16_t>(2);
}

// The only match sits at the very start or the very end of a buffer of otherwise
// different units, for every length; found by every level including the reference.
TEST(BareAssembKernels, MatchesAtTheVeryStartAndEnd) {
  std::vector<const bare_scan_kernels*> levels = vector_levels();
  levels.push_back(&scalar_scan_kernels);
  const char16_t pattern[] = {u'x', u'y', u'z'};
  const char16_t folded[] = {u'X', u'Y', u'Z'};
  for (const auto* k : levels) {
    for (std::ptrdiff_t n = 3; n <= 200; ++n) {
      for (const std::ptrdiff_t at : {std::ptrdiff_t{0}, n - 3}) {
        auto s = std::make_unique<char16_t[]>(n);
        std::fill_n(s.get(), n, u'y');
        std::copy_n(pattern, 3, s.get() + at);
        EXPECT_EQ(k->find16(s.get(), n, pattern, 3), s.get() + at) << k->name << " n=" << n;
        EXPECT_EQ(k->scan16(s.get(), n, u'z'), s.get() + at + 2) << k->name << " n=" << n;
        s[at + 1] = u'Y';
        EXPECT_EQ(k->ifind16(s.get(), n, pattern, folded, 3), s.get() + at)
            << k->name << " n=" << n;
        EXPECT_EQ(k->find16(s.get(), n, pattern, 3), nullptr) << k->name << " n=" << n;

        auto b = std::make_unique<std::uint8_t[]>(n);
        std::fill_n(b.get(), n, 'y');
        const std::uint8_t p8[] = {'x', 'y', 'z'};
        std::copy_n(p8, 3, b.get() + at);
        EXPECT_EQ(k->find8(b.get(), n, p8, 3), b.get() + at) << k->name << " n=" << n;
        EXPECT_EQ(k->scan8(b.get(), n, 'z'), b.get() + at + 2) << k->name << " n=" << n;
      }
    }
  }
}

// Buffers that end exactly where an unreadable page begins: a load that strays past the end
// faults in any build, not only under the sanitizer. (The page end is vector-aligned, so
// this mostly exercises the unaligned loads: short buffers and the searches' second probe;
// the exact-size heap buffers above cover the rest under the sanitizer.)
class guarded_page {
 public:
  guarded_page() {
    page_ = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    void* p = mmap(nullptr, 2 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return;
    base_ = static_cast<std::uint8_t*>(p);
    mprotect(base_ + page_, page_, PROT_NONE);
  }
  ~guarded_page() {
    if (base_ != nullptr) munmap(base_, 2 * page_);
  }
  guarded_page(const guarded_page&) = delete;
  guarded_page& operator=(const guarded_page&) = delete;
  bool ok() const { return base_ != nullptr; }
  // The last `bytes` bytes before the guard.
  std::uint8_t* tail(std::size_t bytes) const { return base_ + page_ - bytes; }

 private:
  std::size_t page_ = 0;
  std::uint8_t* base_ = nullptr;
};

TEST(BareAssembKernels, NoReadPastTheEndOfTheBuffer) {
  guarded_page guard;
  ASSERT_TRUE(guard.ok());
  const char16_t absent[] = {u'q', u'r'};
  const std::uint8_t absent8[] = {'q', 'r'};
  for (const auto* k : vector_levels()) {
    for (std::ptrdiff_t n = 0; n <= 200; ++n) {
      auto* w = reinterpret_cast<char16_t*>(guard.tail(n * sizeof(char16_t)));
      std::fill_n(w, n, u'q');
      EXPECT_EQ(k->scan16(w, n, u'r'), nullptr);
      EXPECT_EQ(k->find16(w, n, absent, 2), nullptr);
      EXPECT_EQ(k->ifind16(w, n, absent, absent, 2), nullptr);
      std::uint8_t* b = guard.tail(n);
      std::fill_n(b, n, 'q');
      EXPECT_EQ(k->scan8(b, n, 'r'), nullptr);
      EXPECT_EQ(k->find8(b, n, absent8, 2), nullptr);
      EXPECT_EQ(k->ifind8(b, n, absent8, absent8, 2), nullptr);
    }
  }
}

TEST(BareAssembKernels, PublicRoutinesUseTheBestSupportedLevel) {
  const simd_level expected = simd_level_supported(simd_level::avx2)   ? simd_level::avx2
                              : simd_level_supported(simd_level::sse2) ? simd_level::sse2
                                                                       : simd_level::scalar;
  EXPECT_EQ(active_scan_kernels().level, expected);
  // A long buffer, so that the vector loops run: the hit lies past several blocks.
  std::u16string text(1000, u'a');
  text.replace(977, 3, u"abc");
  EXPECT_EQ(FastStrPosW(text.data(), u"abc", text.size()), text.data() + 977);
  EXPECT_EQ(FastStrIPosW(text.data(), u"aBC", u"Abc", text.size()), text.data() + 977);
  EXPECT_EQ(FastStrScanW(text.data(), u'c', text.size()), text.data() + 979);
}

}  // namespace
}  // namespace corvane::detail
