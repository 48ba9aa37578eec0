// Chosen-file records, their statistics and grid column headings into the current records.
#include <array>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/definitions/Convert_old_record_types.hpp"
#include "corvane/definitions/Wdef_records_bytes.hpp"

namespace corvane {

namespace {

bool read_exact(TStream& stream, std::uint8_t* buffer, std::size_t count) {
  return stream.Read(buffer, static_cast<std::int32_t>(count)) == static_cast<std::int32_t>(count);
}

}  // namespace

bool TChosenFileRecFromStream(TStream& stream, TChosenFile_BaseRec& rec) {
  rec = TChosenFile_BaseRec{};
  std::array<std::uint8_t, kChosenFileRecSize> b{};
  const std::int64_t start = stream.Position();
  bool ok = read_exact(stream, b.data(), kChosenFileOldSize);
  if (ok && record_bytes::get<std::int32_t>(b.data(), 0) < 0) {
    stream.SetPosition(start);
    ok = read_exact(stream, b.data(), kChosenFileRecSize);
    if (ok) rec = ChosenFileFromBytes(b.data());
  } else if (ok) {
    const TChosenFile_OldRec old = ChosenFileOldFromBytes(b.data());
    rec.FolderData = old.FolderData;
    rec.Zip_Num = old.Zip_Num;
    rec.Date = old.Date;
    rec.Size = old.Size;
    rec.Words = old.Words;
    rec.encrypted = old.encrypted;
    rec.Wanted = old.Wanted;
    rec.KindOfFile = old.KindOfFile;
  }
  if (rec.TextualDateAndTime == 0.0) rec.TextualDateAndTime = DateTimeToJulianAddingConst(rec.Date);
  return ok;
}

bool ExtraStatsRecFromStream(TStream& stream, TFileInfoExtraStatsRec& rec) {
  rec = TFileInfoExtraStatsRec{};
  std::array<std::uint8_t, kFileInfoExtraStatsRecSize> b{};
  const std::int64_t start = stream.Position();
  if (!read_exact(stream, b.data(), kFileInfoExtraStatsRecOldSize)) return false;
  if (record_bytes::get<std::int32_t>(b.data(), 12) >= 2) {
    stream.SetPosition(start);
    if (!read_exact(stream, b.data(), kFileInfoExtraStatsRecSize)) return false;
    rec = ExtraStatsFromBytes(b.data());
    return true;
  }
  const TFileInfoExtraStatsRecOld old = ExtraStatsOldFromBytes(b.data());
  rec.total_bytes = old.total_bytes;
  rec.zips_added = old.zips_added;
  rec.version = old.version;
  return true;
}

TGrid_head32 TGrid_head32FromOld(const grid_head_type_old& old) {
  TGrid_head32 r;
  r.alignment = old.alignment;
  r.typefaces = old.typefaces;
  r.editable = old.editable;
  r.minimum = old.minimum;
  r.decimals = old.decimals;
  r.allow_case_change = old.allow_case_change;
  r.extra_computed = old.extra_computed;
  r.numerical = old.numerical;
  r.heading_visible = old.visible;
  r.original_column = old.original_column;
  r.pixel_width96 = old.pixel_width96;
  r.output_case = old.output_case;
  r.previous_decimals = old.previous_decimals;
  r.wordwrap = old.wordwrap;
  r.has_custom_heading = old.has_custom_heading;
  r.percent_data = old.percent_data;
  r.version = old.version;
  r.HelpContext = old.HelpContext;
  r.localization_number = old.localization_number;
  for (std::size_t i = 0; i < old.column_data.size(); ++i) r.column_data[i] = old.column_data[i];
  r.span = span_R51;
  r.hint = old.hint;
  r.heading = old.heading;
  return r;
}

TGrid_head32 ReadOldGridHeadings(TStream& stream, bool with_column_data, bool& ok) {
  std::array<std::uint8_t, kGridHeadOldSize> b{};
  const std::size_t size = with_column_data ? kGridHeadOldSize : kGridHeadOldShortSize;
  ok = stream.Read(b.data(), static_cast<std::int32_t>(size)) > 0;
  // A short read leaves the missing bytes zero.
  return TGrid_head32FromOld(GridHeadOldFromBytes(b.data(), with_column_data));
}

}  // namespace corvane
