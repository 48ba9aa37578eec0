// A saved file's kind from its header, the 16-bit-era header or a batch archive's comment.
#include <array>
#include <filesystem>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

// The first `count` bytes of a file at least `min_size` bytes long; false for a missing
// file, a shorter one or any read error.
bool read_start(const std::u16string& file_name, std::uint8_t* out, std::int32_t count,
                std::int64_t min_size) {
  if (file_name.empty()) return false;
  try {
    std::error_code ec;
    const std::filesystem::path path(utf16_to_utf8(file_name));
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    TFileStream file(file_name, fmOpenRead | fmShareDenyNone);
    if (file.Size() < min_size) return false;
    return file.Read(out, count) == count;
  } catch (const std::exception&) {
    return false;
  }
}

// The header of a file longer than the header itself.
bool read_header(const std::u16string& file_name, TCheckSignature& header) {
  std::array<std::uint8_t, kCheckSignatureSize> bytes{};
  if (!read_start(file_name, bytes.data(), kCheckSignatureSize, kCheckSignatureSize + 1))
    return false;
  header = CheckSignatureFromBytes(bytes.data());
  return true;
}

std::string_view cut_to_40(std::string_view s) {
  return s.substr(0, std::min(s.size(), kTypeOfDataMax));
}

std::int32_t signature_of(tool_type tool) {
  return static_cast<int>(tool) < kToolTypeCount ? CurrentSignature[tool] : -1;
}

}  // namespace

list_type DiskFileType(const TCheckSignature& header) {
  for (int lt = 0; lt <= lt_bol7; ++lt)
    if (header.type_of_data == cut_to_40(list_signature32[lt])) return static_cast<list_type>(lt);
  if (header.type_of_data == "Promina Database (v. 2)32") return lt_KW_database_list;
  return lt_none_in_use;
}

bool DiskSignatureISOKForToolAndList(TCheckSignature& header, tool_type tool, list_type lt,
                                     TStream& stream, TSignatureStreamMode mode) {
  const std::string_view kind =
      static_cast<int>(lt) < kListTypeCount ? cut_to_40(list_signature32[lt]) : "";
  if (mode == sig_write) {
    header.signature = signature_of(tool);
    header.type_of_data.assign(kind);
    const auto bytes = CheckSignatureBytes(header);
    try {
      return stream.Write(bytes.data(), kCheckSignatureSize) ==
             static_cast<std::int32_t>(kCheckSignatureSize);
    } catch (const std::exception&) {
      return false;
    }
  }
  std::array<std::uint8_t, kCheckSignatureSize> bytes{};
  std::int32_t got = 0;
  try {
    got = stream.Read(bytes.data(), kCheckSignatureSize);
  } catch (const std::exception&) {
    return false;
  }
  if (got != static_cast<std::int32_t>(kCheckSignatureSize)) return false;
  header = CheckSignatureFromBytes(bytes.data());
  return header.signature == signature_of(tool) && header.type_of_data == kind;
}

bool WasACorvane32BitFile(TCVStored_File_rec& rec) {
  rec.ListType = lt_none_in_use;
  TCheckSignature header;
  if (!read_header(rec.filename, header) || header.signature < 35) return false;
  const std::int32_t running = signature_of(current_tool_var);
  if (header.signature < running) {
    rec.ListType = DiskFileType(header);
    return rec.ListType < lt_sorting;
  }
  if (header.signature == running) rec.ListType = DiskFileType(header);
  return false;
}

tool_type WhichToolsCorvane32BitFile(TCVStored_File_rec& rec) {
  rec.ListType = lt_none_in_use;
  TCheckSignature header;
  if (!read_header(rec.filename, header)) return tt_no_tool_at_all;
  for (int t = tt_tabulon; t <= tt_wordbuf; ++t) {
    if (t == tt_unused_8) continue;  // reserved: it writes no files
    if (CurrentSignature[t] == header.signature) {
      rec.ListType = DiskFileType(header);
      return static_cast<tool_type>(t);
    }
  }
  return tt_no_tool_at_all;
}

bool IsACorvane32BitFileForTool(TCVStored_File_rec& rec, tool_type tool) {
  rec.ListType = lt_none_in_use;
  TCheckSignature header;
  if (!read_header(rec.filename, header) || tool == tt_unused_8 ||
      header.signature != signature_of(tool))
    return false;
  rec.ListType = DiskFileType(header);
  return true;
}

bool IsACorvane32BitFile(TCVStored_File_rec& rec) {
  return IsACorvane32BitFileForTool(rec, current_tool_var);
}

bool IsAnOldCorvaneFile(TCVStored_File_rec& rec) {
  rec.ListType = lt_none_in_use;
  constexpr std::int32_t kOldHeaderSize = 41;
  std::array<std::uint8_t, kOldHeaderSize> bytes{};
  if (!read_start(rec.filename, bytes.data(), kOldHeaderSize, kOldHeaderSize + 1)) return false;
  std::size_t at = bytes[1] == 0 ? 2 : 1;
  std::string name;
  while (at < bytes.size() && bytes[at] != 0) name.push_back(static_cast<char>(bytes[at++]));
  if (name.empty()) return false;
  for (int lt = 0; lt < kListTypeCount; ++lt) {
    if (!list_signature16[lt].empty() && name == list_signature16[lt]) {
      rec.ListType = static_cast<list_type>(lt);
      return true;
    }
  }
  return false;
}

bool IsABatchZipFileForListType(TCVStored_File_rec& rec) {
  rec.Number_within_Zipfile = 0;
  rec.ListType = lt_none_in_use;
  std::error_code ec;
  if (rec.filename.empty() ||
      !std::filesystem::is_regular_file(std::filesystem::path(utf16_to_utf8(rec.filename)), ec))
    return false;
  TZipForge zip;
  zip.FileName = rec.filename;
  zip.OpenArchive();  // raises for an archive that cannot be opened
  const std::u16string comment = zip.GetFileComment();
  const bool batch = zip.GetFileCount() >= 1 && comment.size() > kBatchZipCommentPrefix.size() &&
                     comment.compare(0, kBatchZipCommentPrefix.size(), kBatchZipCommentPrefix) == 0;
  if (!batch) return false;
  const std::u16string rest = comment.substr(kBatchZipCommentPrefix.size());
  for (int lt = 0; lt < kListTypeCount; ++lt) {
    if (rest == DefaultExtFromListType(static_cast<list_type>(lt))) {
      rec.ListType = static_cast<list_type>(lt);
      rec.Number_within_Zipfile = zip.GetEntryCount();
      break;
    }
  }
  return true;
}

}  // namespace corvane
