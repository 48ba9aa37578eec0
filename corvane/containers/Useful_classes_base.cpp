#include "corvane/containers/Useful_classes_base.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Streams_endian.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

std::int32_t global_string_safety_limit = 5000;
std::uint32_t my_default_sort = 0;
std::int32_t detail::max_unbacked_elements = 1 << 16;
std::int32_t detail::max_formatless_elements = 1 << 22;

// ---- Holders

bool TLongIntHolder::ReadFromStream(TStream& Stream) {
  return try_read_i32(Stream, data);
}
bool TLongIntHolder::SaveToStream(TStream& Stream) {
  return try_write_i32(Stream, data);
}
bool TCardinalHolder::ReadFromStream(TStream& Stream) {
  return try_read_u32(Stream, data);
}
bool TCardinalHolder::SaveToStream(TStream& Stream) {
  return try_write_u32(Stream, data);
}
bool TSingleHolder::ReadFromStream(TStream& Stream) {
  return try_read_float(Stream, data);
}
bool TSingleHolder::SaveToStream(TStream& Stream) {
  return try_write_float(Stream, data);
}
bool TInt64Holder::ReadFromStream(TStream& Stream) {
  return try_read_i64(Stream, data);
}
bool TInt64Holder::SaveToStream(TStream& Stream) {
  return try_write_i64(Stream, data);
}
bool TIntegerAnd3CardinalsHolder::ReadFromStream(TStream& Stream) {
  return try_read_i32(Stream, data.freq) && try_read_u32(Stream, data.value.card1) &&
         try_read_u32(Stream, data.value.card2) && try_read_u32(Stream, data.value.card3);
}
bool TIntegerAnd3CardinalsHolder::SaveToStream(TStream& Stream) {
  return try_write_i32(Stream, data.freq) && try_write_u32(Stream, data.value.card1) &&
         try_write_u32(Stream, data.value.card2) && try_write_u32(Stream, data.value.card3);
}

// ---- TUsefulBaseList

TUsefulBaseList::TUsefulBaseList(TUsefulBaseListObjectClass entries_class)
    : fEntriesClass(entries_class) {}

TUsefulBaseList::~TUsefulBaseList() {
  // Notify of this class frees the elements as their slots go.
  TUsefulBaseList::Clear();
}

void TUsefulBaseList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) {
    auto* object = static_cast<TUsefulBaseListObject*>(item);
    if (object == AnInstance) AnInstance = nullptr;
    delete object;
  }
}

bool TUsefulBaseList::IndexAssignedOK(std::int32_t index) const {
  return index >= 0 && index < Count() && List()[index] != nullptr;
}

void TUsefulBaseList::Clear() {
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (List()[i] != nullptr) FreeAndNilOne(i);
  }
  Pack();
  TList::Clear();
}

std::int32_t TUsefulBaseList::ComparedValues(std::int32_t index1, std::int32_t index2) {
  return -1;
}

void TUsefulBaseList::FreeAndNilOne(std::int32_t index) {
  // Emptying the slot notifies the deletion, which frees the element.
  if (IndexAssignedOK(index)) Put(index, nullptr);
}

TUsefulBaseListObject* TUsefulBaseList::AppendNew() {
  std::unique_ptr<TUsefulBaseListObject> object = fEntriesClass->create();
  AnInstance = object.get();
  Add(object.release());
  return AnInstance;
}

bool TUsefulBaseList::WriteHeader(TStream& Stream) {
  return try_write_i32(Stream, Count());
}

bool TUsefulBaseList::ReadHeader(TStream& Stream) {
  return true;
}

bool TUsefulBaseList::SaveToStream(TStream& Stream) {
  Pack();
  if (!WriteHeader(Stream)) return false;
  return SaveTheInstances(Stream, Count());
}

bool TUsefulBaseList::SaveTheInstances(TStream& Stream, std::int32_t count) {
  if (count > Count()) count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    MyYieldProcess();
    TUsefulBaseListObject* object = element(i);
    if (object == nullptr || !fEntriesClass->is_instance(object)) return false;
    AnInstance = object;
    if (!object->SaveToStream(Stream)) return false;
  }
  return true;
}

bool TUsefulBaseList::ReadFromStream(TStream& Stream) {
  std::int32_t count = 0;
  if (!try_read_i32(Stream, count)) return false;
  if (!ReadHeader(Stream)) return false;
  return LoadTheInstances(Stream, count);
}

bool TUsefulBaseList::LoadTheInstances(TStream& Stream, std::int32_t count) {
  if (count <= 0) return true;
  const bool formatless = fEntriesClass->min_bytes == 0;
  std::int64_t to_create = count;
  bool complete = true;
  if (formatless && to_create > detail::max_formatless_elements) {
    to_create = detail::max_formatless_elements;
    complete = false;
  }
  // Read element by element, so only elements whose bytes were there are created; once
  // one fails, the unread rest is appended up to the margin.
  std::int64_t i = 0;
  bool ok = true;
  for (; i < to_create && ok; ++i) {
    MyYieldProcess();
    ok = AppendNew()->ReadFromStream(Stream);
  }
  if (!ok) {
    const std::int64_t unread =
        std::min<std::int64_t>(to_create - i, detail::max_unbacked_elements);
    for (std::int64_t k = 0; k < unread; ++k) {
      MyYieldProcess();
      AppendNew();
    }
    if (unread < to_create - i) complete = false;
  }
  return ok && complete;
}

bool TUsefulBaseList::LoadFromFile(const std::u16string& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
  return ReadFromStream(file);
}

bool TUsefulBaseList::SaveToFile(const std::u16string& FileName) {
  std::random_device random;
  std::u16string temp = FileName + u".tmp" + u16(std::to_string(random() & 0xFFFFFF));
  bool ok = false;
  try {
    {
      TFileStream file(temp, fmCreate);
      ok = SaveToStream(file);
    }
    if (ok) {
      if (const int error = detail::replace_file_keeping_attributes(u8(temp), u8(FileName));
          error != 0) {
        throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " +
                            u16(std::strerror(error)));
      }
    }
  } catch (const EFCreateError& e) {
    std::remove(u8(temp).c_str());
    std::u16string message = e.Message();
    auto at = message.find(temp);
    if (at != std::u16string::npos) message.replace(at, temp.size(), FileName);
    throw EFCreateError(message);
  } catch (...) {
    std::remove(u8(temp).c_str());
    throw;
  }
  if (!ok) std::remove(u8(temp).c_str());
  return ok;
}

// ---- TUsefulBaseListSorts

TUsefulBaseListSorts::TUsefulBaseListSorts(TUsefulBaseListObjectClass entries_class)
    : TUsefulBaseList(entries_class) {}

void TUsefulBaseListSorts::Clear() {
  TUsefulBaseList::Clear();
  sorted = false;
}

void TUsefulBaseListSorts::Sort(TListSortCompare compare) {
  TList::Sort(compare);
  sorted = true;
}

void TUsefulBaseListSorts::ReverseTheSort() {
  if (Count() <= 1) return;
  for (std::int32_t i = 0, j = Count() - 1; i < j; ++i, --j) Exchange(i, j);
}

void TUsefulBaseListSorts::RemoveDuplicates() {
  std::int32_t i = 0;
  while (i < Count()) {
    std::int32_t j = i;
    while (j + 1 < Count() && ComparedValues(i, j + 1) == 0) ++j;
    for (std::int32_t k = i + 1; k <= j; ++k) FreeAndNilOne(k);
    i = j + 1;
  }
  Pack();
}

bool TUsefulBaseListSorts::WriteHeader(TStream& Stream) {
  return TUsefulBaseList::WriteHeader(Stream) && try_write_u8(Stream, sorted ? 1 : 0);
}

bool TUsefulBaseListSorts::ReadHeader(TStream& Stream) {
  std::uint8_t flag = 0;
  if (!try_read_u8(Stream, flag)) return false;
  sorted = flag != 0;
  return true;
}

// ---- Strings on streams

bool WriteAString(TStream& Stream, std::u16string_view S) {
  auto length = static_cast<std::int32_t>(S.size());
  std::uint8_t head[4];
  detail::store_le<std::uint32_t>(head, static_cast<std::uint32_t>(length));
  Stream.Write(head, 4);
  if (length > 0) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length) * 2);
    for (std::int32_t i = 0; i < length; ++i) {
      detail::store_le<std::uint16_t>(&bytes[2 * static_cast<std::size_t>(i)], S[i]);
    }
    Stream.Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  }
  return true;
}

namespace {
[[noreturn]] void string_read_error() {
  throw EReadError(Format(LoadResString(msg::CVFileReadError), {u"ReadAString"}));
}
}  // namespace

void ReadAString(TStream& Stream, std::int32_t MaxLength, std::u16string& S) {
  S.clear();
  std::int32_t length = 0;
  if (!try_read_i32(Stream, length)) string_read_error();
  if (length == 0) return;
  if (length < 0 || length > MaxLength) string_read_error();
  // try_read_utf16_units grows the string only with the bytes actually there.
  if (!try_read_utf16_units(Stream, length, S)) {
    S.clear();
    string_read_error();
  }
}

void ReadAString(TStream& Stream, std::u16string& S) {
  ReadAString(Stream, global_string_safety_limit, S);
}

std::vector<std::int64_t> ComputedByteDivisions(std::int64_t Total, std::int32_t Count) {
  std::vector<std::int64_t> result;
  if (Count <= 0) return result;
  const float step = static_cast<float>(Total) / static_cast<float>(Count);
  result.resize(static_cast<std::size_t>(Count));
  for (std::int32_t i = 0; i < Count; ++i) {
    double value = static_cast<double>(i + 1) * static_cast<double>(step);
    result[static_cast<std::size_t>(i)] = static_cast<std::int64_t>(std::nearbyint(value));
  }
  return result;
}

}  // namespace corvane
