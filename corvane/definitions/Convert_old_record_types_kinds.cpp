// One record of a named kind read, converted, described and encoded in its current layout.
#include <array>
#include <string_view>

#include "corvane/definitions/Convert_old_record_types.hpp"

namespace corvane {

namespace {

constexpr std::array<const char*, srk_conc + 1> kKindNames = {"lang", "text", "chosen", "stats",
                                                              "grid", "mi",   "conc"};

template <std::size_t N, class Rec, class Write>
std::vector<std::uint8_t> encoded(const Rec& rec, Write write) {
  std::vector<std::uint8_t> b(N, 0);
  write(rec, b.data());
  return b;
}

}  // namespace

bool SettingsRecordKindFromName(std::string_view name, TSettingsRecordKind& kind) {
  for (std::size_t i = 0; i < kKindNames.size(); ++i)
    if (name == kKindNames[i]) {
      kind = static_cast<TSettingsRecordKind>(i);
      return true;
    }
  return false;
}

const char* SettingsRecordKindName(TSettingsRecordKind kind) {
  return kind < kKindNames.size() ? kKindNames[kind] : "";
}

bool ReadConvertedRecord(TStream& stream, TSettingsRecordKind kind, std::int32_t version,
                         bool with_column_data, TConvertedRecord& out) {
  out = TConvertedRecord{};
  bool ok = false;
  switch (kind) {
    case srk_lang: {
      fixed_lang_details_rec32 rec;
      ok = Readfixed_lang_details_rec(stream, rec, version);
      out.fields = RecordFields(rec);
      const auto b = FixedLangDetailsBytes(rec);
      out.current_bytes.assign(b.begin(), b.end());
      break;
    }
    case srk_text: {
      textsett_rec32 rec;
      ok = ReadInTextSettings(stream, rec, version);
      out.fields = RecordFields(rec);
      out.current_bytes = encoded<kTextsettRec32Size>(rec, TextsettToBytes);
      break;
    }
    case srk_chosen: {
      TChosenFile_BaseRec rec;
      ok = TChosenFileRecFromStream(stream, rec);
      out.fields = RecordFields(rec);
      out.current_bytes = encoded<kChosenFileRecSize>(rec, ChosenFileToBytes);
      break;
    }
    case srk_stats: {
      TFileInfoExtraStatsRec rec;
      ok = ExtraStatsRecFromStream(stream, rec);
      out.fields = RecordFields(rec);
      out.current_bytes = encoded<kFileInfoExtraStatsRecSize>(rec, ExtraStatsToBytes);
      break;
    }
    case srk_grid: {
      const TGrid_head32 rec = ReadOldGridHeadings(stream, with_column_data, ok);
      out.fields = RecordFields(rec);
      break;
    }
    case srk_mi: {
      TMutual_info_settings32 rec;
      ok = TMutual_info_settings32FromStream(stream, rec);
      out.fields = RecordFields(rec);
      out.current_bytes = encoded<kMutualInfoSettings32Size>(rec, MutualInfoSettings32ToBytes);
      break;
    }
    case srk_conc: {
      TConcSettingsRec32 rec;
      ok = ReadInConcSettRec(stream, rec, version);
      out.fields = RecordFields(rec);
      out.current_bytes.assign(rec.bytes.begin(), rec.bytes.end());
      break;
    }
  }
  return ok;
}

}  // namespace corvane
