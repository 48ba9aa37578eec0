// The extra colour-and-typeface runs of a displayed line, their records of each version
// and their stream form.
#include <algorithm>

#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Streams_endian.hpp"

namespace corvane {

namespace {

using detail::load_le;
using detail::store_le;

}  // namespace

std::array<std::uint8_t, kExtraFontRecSize> ExtraFontRecBytes(const TExtraFontRec& r) {
  std::array<std::uint8_t, kExtraFontRecSize> b{};
  store_le<std::uint32_t>(&b[0], static_cast<std::uint32_t>(r.switch_on_at_char));
  store_le<std::uint32_t>(&b[4], static_cast<std::uint32_t>(r.switch_off_at_char));
  for (int i = 0; i < 4; ++i) store_le<std::uint32_t>(&b[8 + 4 * i], r.colour_rec.colours[i]);
  b[24] = r.spare_typefaces.bits;
  b[28] = r.Colouring_word_instead_of_tag;
  b[29] = r.default_colours;
  b[30] = r.applies_to;
  b[31] = r.default_typeface.bits;
  b[32] = r.highlight_typeface.bits;
  b[33] = r.spare_determined;
  for (int i = 0; i < 9; ++i)
    store_le<std::uint32_t>(&b[36 + 4 * i], static_cast<std::uint32_t>(r.spareInts[i]));
  return b;
}

TExtraFontRec ExtraFontRecFromBytes(const std::uint8_t* b, std::size_t size) {
  TExtraFontRec r;
  r.switch_on_at_char = static_cast<std::int32_t>(load_le<std::uint32_t>(&b[0]));
  r.switch_off_at_char = static_cast<std::int32_t>(load_le<std::uint32_t>(&b[4]));
  for (int i = 0; i < 4; ++i) r.colour_rec.colours[i] = load_le<std::uint32_t>(&b[8 + 4 * i]);
  r.spare_typefaces.bits = b[24];
  if (size < kExtraFontRecSize) return r;
  r.Colouring_word_instead_of_tag = b[28] != 0;
  r.default_colours = b[29] != 0;
  r.applies_to = static_cast<TExtraFontCategory>(b[30]);
  r.default_typeface.bits = b[31];
  r.highlight_typeface.bits = b[32];
  r.spare_determined = b[33] != 0;
  for (int i = 0; i < 9; ++i)
    r.spareInts[i] = static_cast<std::int32_t>(load_le<std::uint32_t>(&b[36 + 4 * i]));
  return r;
}

TExtraFontList::TExtraFontList() {
  SetAscending(false, false, false);
}

TExtraFontList::~TExtraFontList() {
  Clear();
}

void TExtraFontList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) delete static_cast<TExtraFontHolder*>(item);
}

void TExtraFontList::Clear() {
  sorted = false;
  T3SortNonYieldingList::Clear();
}

void TExtraFontList::note_typefaces(const TExtraFontRec& rec) {
  if (!rec.default_typeface.empty() || !rec.highlight_typeface.empty())
    insert_space_between_words = true;
}

void TExtraFontList::AddOne(const TExtraFontRec& rec) {
  auto holder = std::make_unique<TExtraFontHolder>(rec);
  Add(holder.get());
  holder.release();
  note_typefaces(rec);
}

void TExtraFontList::Delete(std::int32_t i) {
  if (i >= 0 && i < Count()) TList::Delete(i);
}

TExtraFontRec TExtraFontList::GetAFontFrec(std::int32_t i) const {
  if (i < 0 || i >= Count() || Holder(i) == nullptr) return TExtraFontRec{};
  return Holder(i)->data;
}

void TExtraFontList::SetAFontFrec(std::int32_t i, const TExtraFontRec& rec) {
  if (i < 0 || i >= Count() || Holder(i) == nullptr) return;
  Holder(i)->data = rec;
  note_typefaces(rec);
}

std::int32_t TExtraFontList::IndexOfStart(std::int32_t pos) const {
  for (std::int32_t i = 0; i < Count(); ++i) {
    const TExtraFontHolder* h = Holder(i);
    if (h == nullptr) continue;
    if (h->data.switch_on_at_char == pos) return i;
    if (sorted && h->data.switch_on_at_char > pos) return -1;
  }
  return -1;
}

std::int32_t TExtraFontList::IndexOfStartAndEnd(std::int32_t start, std::int32_t end) const {
  for (std::int32_t i = 0; i < Count(); ++i) {
    const TExtraFontHolder* h = Holder(i);
    if (h == nullptr) continue;
    const std::int32_t on = h->data.switch_on_at_char, off = h->data.switch_off_at_char;
    if (on >= start && on <= end && (off < 0 || (off >= start && off <= end))) return i;
  }
  return -1;
}

std::int32_t TExtraFontList::key_of(const TExtraFontHolder* h) const {
  if (h == nullptr) return 0;
  return current_sort_rec.current_sort_doing == sort_first_sort ? h->data.switch_on_at_char
                                                                : h->data.applies_to;
}

void TExtraFontList::SetBase(void* item, std::int32_t) {
  base_int = key_of(static_cast<const TExtraFontHolder*>(item));
}

std::int32_t TExtraFontList::Compare(void* item) const {
  return CompareLongints(base_int, key_of(static_cast<const TExtraFontHolder*>(item)));
}

void TExtraFontList::SortOnStartpoints() {
  DoADoubleSort([this](void* item) { return Compare(item); }, 1, 2);
}

bool TExtraFontList::XSaveToStream(TStream& stream, std::int32_t /*version*/) {
  fEFVersion = std::max(fEFVersion, kExtraFontCurrentVersion);
  detail::write_le<std::int32_t>(stream, Count());
  detail::write_le<std::int32_t>(stream, fEFVersion);
  for (std::int32_t i = 0; i < Count(); ++i) {
    const auto bytes = ExtraFontRecBytes(GetAFontFrec(i));
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  }
  return true;
}

bool TExtraFontList::XReadFromStream(TStream& stream, std::int32_t version) {
  std::int64_t count = detail::read_le<std::int32_t>(stream);
  if (version < 20) {
    fEFVersion = 0;
  } else {
    count = count < 0 ? -count : count;
    fEFVersion = detail::read_le<std::int32_t>(stream);
  }
  insert_space_between_words = false;
  const std::size_t size = fEFVersion == 0 ? kExtraFontRecOldSize : kExtraFontRecSize;
  std::uint8_t bytes[kExtraFontRecSize] = {};
  // Each record is read before its holder is made: a count the stream does not back ends
  // in the stream's read error, never in a large allocation.
  for (std::int64_t i = 0; i < count; ++i) {
    stream.ReadBuffer(bytes, static_cast<std::int32_t>(size));
    TExtraFontRec rec = ExtraFontRecFromBytes(bytes, size);
    if (fEFVersion < 3) {
      rec.default_typeface = rec.spare_typefaces;
      rec.highlight_typeface = rec.spare_typefaces;
    }
    AddOne(rec);
  }
  return true;
}

}  // namespace corvane
