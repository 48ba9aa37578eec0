// Feeds arbitrary bytes to every reader of the old settings records at the versions the
// suite's files carry. No reader may read outside the data or allocate beyond it; a read
// that succeeds must have consumed no more than the data, and a converted record written
// in the current layout must read back as the same bytes.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "corvane/definitions/Convert_old_record_types.hpp"

using namespace corvane;

namespace {

constexpr std::int32_t kVersions[] = {0, 5, 6, 7, 9, 18, 20};

void check_inside(TStream& s, std::int64_t size) {
  if (s.Position() < 0 || s.Position() > size) std::abort();
}

template <std::size_t N, class Rec, class Write, class Read>
void check_rewrite(const Rec& rec, Write write, Read read) {
  std::array<std::uint8_t, N> first{};
  write(rec, first.data());
  TBytesStream again(std::vector<std::uint8_t>(first.begin(), first.end()));
  Rec back;
  if (!read(again, back)) std::abort();
  std::array<std::uint8_t, N> second{};
  write(back, second.data());
  if (first != second) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  const auto n = static_cast<std::int64_t>(size);
  for (std::int32_t version : kVersions) {
    {
      TBytesStream s(bytes);
      fixed_lang_details_rec32 rec;
      const bool ok = Readfixed_lang_details_rec(s, rec, version);
      check_inside(s, n);
      if (ok)
        check_rewrite<kFixedLangDetailsRec32Size>(
            rec,
            [](const auto& r, std::uint8_t* p) {
              const auto b = FixedLangDetailsBytes(r);
              std::copy(b.begin(), b.end(), p);
            },
            [](TStream& st, auto& r) { return Readfixed_lang_details_rec(st, r, 6); });
    }
    {
      TBytesStream s(bytes);
      textsett_rec32 rec;
      const bool ok = ReadInTextSettings(s, rec, version);
      check_inside(s, n);
      if (ok)
        check_rewrite<kTextsettRec32Size>(rec, TextsettToBytes, [](TStream& st, auto& r) {
          return ReadInTextSettings(st, r, 7);
        });
    }
    {
      TBytesStream s(bytes);
      TConcSettingsRec32 rec;
      ReadInConcSettRec(s, rec, version);
      check_inside(s, n);
    }
  }
  {
    // Back-to-back records of the kinds without a version, as a saved list holds them.
    TBytesStream s(bytes);
    TChosenFile_BaseRec rec;
    while (TChosenFileRecFromStream(s, rec)) {
      check_inside(s, n);
      if (!rec.jump_to.empty() || !rec.ShortFileName.empty()) std::abort();
      check_rewrite<kChosenFileRecSize>(rec, ChosenFileToBytes, TChosenFileRecFromStream);
    }
    check_inside(s, n);
  }
  {
    TBytesStream s(bytes);
    TFileInfoExtraStatsRec rec;
    while (ExtraStatsRecFromStream(s, rec)) check_inside(s, n);
    check_inside(s, n);
  }
  {
    TBytesStream s(bytes);
    TMutual_info_settings32 rec;
    while (TMutual_info_settings32FromStream(s, rec)) {
      check_inside(s, n);
      if (rec.MI_min_texts >= 0 || rec.spare_stop) (void)TMutual_info_settingsOldFrom32(rec);
    }
    check_inside(s, n);
  }
  for (bool with_column_data : {false, true}) {
    TBytesStream s(bytes);
    bool ok = true;
    for (int i = 0; i < 64 && ok; ++i) {
      const TGrid_head32 head = ReadOldGridHeadings(s, with_column_data, ok);
      check_inside(s, n);
      if (head.span != span_R51) std::abort();
    }
  }
  return 0;
}
