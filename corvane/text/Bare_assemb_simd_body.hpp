// The vector scan algorithms, written once over a small vector-traits type and compiled in
// each instruction-set file (Bare_assemb_sse2.cpp, Bare_assemb_avx2.cpp). That file defines
// CORVANE_SIMD_TARGET (its function attribute) and includes this inside its own unnamed
// namespace, so every instantiation carries that file's target and none leaks to the linker.
//
// A traits type V gives: `unit` (the character type), `vec`, `lanes` (characters per vector),
// `bits` (mask bits per character), and static splat, load, eq, or_, and_ and mask.
//
// Each returns a pointer to the first hit, or null.
//
// No load ever reaches past s[n - 1]: the loops run whole vectors while they fit, then one
// last vector placed flush with the end of the buffer (overlapping positions already
// looked at), and only buffers shorter than a vector fall back to plain loops.
//
// Not a standalone header: no include guard on purpose.

template <class V>
CORVANE_SIMD_TARGET inline std::ptrdiff_t first_lane(std::uint32_t mask) {
  return __builtin_ctz(mask) / V::bits;
}

template <class V>
CORVANE_SIMD_TARGET inline std::uint32_t clear_lowest_lane(std::uint32_t mask) {
  if constexpr (V::bits == 1) {
    return mask & (mask - 1);
  } else {
    const int bit = __builtin_ctz(mask);
    return mask & ~(((1u << V::bits) - 1) << bit);
  }
}

// Scan for one character: four vectors per step while they fit, then one at a time.
template <class V>
CORVANE_SIMD_TARGET const typename V::unit* simd_scan(const typename V::unit* s, std::ptrdiff_t n,
                                                      typename V::unit c) {
  constexpr std::ptrdiff_t L = V::lanes;
  if (n < L) {
    for (std::ptrdiff_t i = 0; i < n; ++i)
      if (s[i] == c) return s + i;
    return nullptr;
  }
  const auto needle = V::splat(c);
  if (const auto m = V::mask(V::eq(V::load(s), needle))) return s + first_lane<V>(m);
  // Go on from the next vector-aligned address, so that no load of the main loop splits a
  // cache line; the units skipped over were in the first vector.
  constexpr std::uintptr_t vector_bytes = L * sizeof(typename V::unit);
  const std::uintptr_t misalignment = reinterpret_cast<std::uintptr_t>(s) % vector_bytes;
  std::ptrdiff_t i = L;
  if (misalignment % sizeof(typename V::unit) == 0 && misalignment != 0)
    i = static_cast<std::ptrdiff_t>((vector_bytes - misalignment) / sizeof(typename V::unit));
  // Hits are often near: look at the next vectors one by one before going four at a time.
  for (const std::ptrdiff_t near_end = i + 4 * L; i < near_end && i + L <= n; i += L)
    if (const auto m = V::mask(V::eq(V::load(s + i), needle))) return s + i + first_lane<V>(m);
  for (; i + 4 * L <= n; i += 4 * L) {
    const auto a = V::eq(V::load(s + i), needle);
    const auto b = V::eq(V::load(s + i + L), needle);
    const auto d = V::eq(V::load(s + i + 2 * L), needle);
    const auto e = V::eq(V::load(s + i + 3 * L), needle);
    if (V::mask(V::or_(V::or_(a, b), V::or_(d, e))) != 0) {
      if (const auto m = V::mask(a)) return s + i + first_lane<V>(m);
      if (const auto m = V::mask(b)) return s + i + L + first_lane<V>(m);
      if (const auto m = V::mask(d)) return s + i + 2 * L + first_lane<V>(m);
      return s + i + 3 * L + first_lane<V>(V::mask(e));
    }
  }
  for (; i + L <= n; i += L)
    if (const auto m = V::mask(V::eq(V::load(s + i), needle))) return s + i + first_lane<V>(m);
  if (i < n) {
    // The last vector ends flush with the buffer; its lanes before i held no match.
    const std::ptrdiff_t j = n - L;
    if (const auto m = V::mask(V::eq(V::load(s + j), needle))) return s + j + first_lane<V>(m);
  }
  return nullptr;
}

// The middle characters of a candidate (its first and last are already known to match).
template <class V, bool Fold>
CORVANE_SIMD_TARGET inline bool middle_matches(const typename V::unit* s, const typename V::unit* a,
                                               const typename V::unit* b, std::ptrdiff_t m) {
  if constexpr (Fold) {
    for (std::ptrdiff_t k = 1; k + 1 < m; ++k)
      if (s[k] != a[k] && s[k] != b[k]) return false;
    return true;
  } else {
    return m <= 2 || __builtin_memcmp(s + 1, a + 1, (m - 2) * sizeof(typename V::unit)) == 0;
  }
}

// One lane per candidate start i, i + 1, ...: set where the candidate's first and last
// characters both match.
template <class V, bool Fold>
CORVANE_SIMD_TARGET inline std::uint32_t candidates(const typename V::unit* s, std::ptrdiff_t last,
                                                    typename V::vec fa, typename V::vec fb,
                                                    typename V::vec la, typename V::vec lb) {
  const auto x = V::load(s);
  const auto y = V::load(s + last);
  auto f = V::eq(x, fa);
  auto l = V::eq(y, la);
  if constexpr (Fold) {
    f = V::or_(f, V::eq(x, fb));
    l = V::or_(l, V::eq(y, lb));
  }
  return V::mask(V::and_(f, l));
}

// Substring search: filter the candidate starts a vector at a time on the pattern's first
// and last characters, then compare the middle of each survivor. With Fold, each position
// may match either of two patterns' characters (the case-insensitive search).
template <class V, bool Fold>
CORVANE_SIMD_TARGET const typename V::unit* simd_find(const typename V::unit* s, std::ptrdiff_t n,
                                                      const typename V::unit* a,
                                                      const typename V::unit* b, std::ptrdiff_t m) {
  constexpr std::ptrdiff_t L = V::lanes;
  if (m < 1 || n < m) return nullptr;
  const std::ptrdiff_t last = m - 1;
  const std::ptrdiff_t final_start = n - m;  // the last candidate start
  std::ptrdiff_t i = 0;
  if (final_start + 1 >= L) {
    const auto fa = V::splat(a[0]);
    const auto fb = V::splat(b[0]);
    const auto la = V::splat(a[last]);
    const auto lb = V::splat(b[last]);
    // A block of starts i .. i + L - 1 reads s[i, i + L) and s[i + last, i + last + L).
    for (; i + L - 1 <= final_start; i += L) {
      for (auto mask = candidates<V, Fold>(s + i, last, fa, fb, la, lb); mask != 0;
           mask = clear_lowest_lane<V>(mask)) {
        const std::ptrdiff_t pos = i + first_lane<V>(mask);
        if (middle_matches<V, Fold>(s + pos, a, b, m)) return s + pos;
      }
    }
    if (i <= final_start) {
      // One last block ending on the final start; skip its lanes already looked at.
      const std::ptrdiff_t j = final_start - L + 1;
      auto mask = candidates<V, Fold>(s + j, last, fa, fb, la, lb);
      mask &= ~0u << ((i - j) * V::bits);
      for (; mask != 0; mask = clear_lowest_lane<V>(mask)) {
        const std::ptrdiff_t pos = j + first_lane<V>(mask);
        if (middle_matches<V, Fold>(s + pos, a, b, m)) return s + pos;
      }
    }
    return nullptr;
  }
  // Fewer candidate starts than lanes: plain comparison.
  for (; i <= final_start; ++i) {
    std::ptrdiff_t k = 0;
    if constexpr (Fold) {
      while (k < m && (s[i + k] == a[k] || s[i + k] == b[k])) ++k;
    } else {
      while (k < m && s[i + k] == a[k]) ++k;
    }
    if (k == m) return s + i;
  }
  return nullptr;
}
