// The section list of a text: where each section starts and its heading, on streams and
// in files of their own.
#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/definitions/Wdef.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams_endian.hpp"

namespace corvane {

int SortSectionTags(void* a, void* b) {
  const std::int32_t x = static_cast<TSectionStartHolder*>(a)->data.start_byte_position;
  const std::int32_t y = static_cast<TSectionStartHolder*>(b)->data.start_byte_position;
  return x < y ? -1 : x > y ? 1 : 0;
}

TSectionStartsList::~TSectionStartsList() {
  Clear();
}

void TSectionStartsList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) delete static_cast<TSectionStartHolder*>(item);
}

std::int32_t TSectionStartsList::AddSection(const TSectionTagRec& rec) {
  auto holder = std::make_unique<TSectionStartHolder>(rec);
  const std::int32_t index = Add(holder.get());
  holder.release();
  return index;
}

TSectionTagRec TSectionStartsList::GetASection(std::int32_t i) const {
  if (i < 0 || i >= Count() || Holder(i) == nullptr) return TSectionTagRec{-1, {}};
  return Holder(i)->data;
}

bool TSectionStartsList::SaveToStream(TStream& stream) {
  if (!detail::try_write_le<std::int32_t>(stream, Count())) return false;
  for (std::int32_t i = 0; i < Count(); ++i) {
    const TSectionTagRec rec = GetASection(i);
    if (!detail::try_write_le<std::int32_t>(stream, rec.start_byte_position)) return false;
    // WriteAString does not report a short write; the position does.
    const std::int64_t before = stream.Position();
    WriteAString(stream, rec.w);
    if (stream.Position() - before != 4 + 2 * static_cast<std::int64_t>(rec.w.size())) return false;
  }
  return true;
}

bool TSectionStartsList::ReadFromStream(TStream& stream) {
  std::int32_t count = 0;
  if (!detail::try_read_le(stream, count)) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    TSectionTagRec rec;
    if (!detail::try_read_le(stream, rec.start_byte_position)) return false;
    ReadAString(stream, rec.w);
    AddSection(rec);
  }
  return true;
}

bool TSectionStartsList::SaveToFile(const std::u16string& name) {
  // Made in memory, then written beside the name and renamed over it: a failure never
  // leaves a half-written file in place of a good one.
  TMemoryStream stream;
  TCheckSignature header;
  if (!DiskSignatureISOKForToolAndList(header, current_tool_var, lt_sections_list, stream,
                                       sig_write) ||
      !SaveToStream(stream))
    return false;
  detail::write_file_replacing(
      name,
      std::string_view(reinterpret_cast<const char*>(stream.Memory()), stream.bytes().size()));
  return true;
}

bool TSectionStartsList::ReadFromFile(const std::u16string& name) {
  TFileStream file(name, fmOpenRead | fmShareDenyNone);
  TCheckSignature header;
  if (!DiskSignatureISOKForToolAndList(header, current_tool_var, lt_sections_list, file, sig_read))
    return false;
  return ReadFromStream(file);
}

TSectionStartInfo TSectionStartsList::SectionFromBytePosition(std::int32_t first,
                                                              std::int32_t position) const {
  TSectionStartInfo info;
  if (first < 0) first = 0;
  std::int32_t previous_start = -1;
  for (std::int32_t i = first; i < Count(); ++i) {
    const TSectionStartHolder* h = Holder(i);
    if (h == nullptr) continue;
    const std::int32_t start = h->data.start_byte_position;
    // Entries are in start order: the first one past the position ends the search, and
    // the one before it holds the position.
    if (start > position) break;
    if (start >= previous_start) {
      info.section = h->data.w;
      info.section_number = i + 1;
      previous_start = start;
    }
  }
  return info;
}

}  // namespace corvane
