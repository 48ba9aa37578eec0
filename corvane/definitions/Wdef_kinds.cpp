// One answer for the kind of a file: the recognisers in the order a tool tries them.
#include <filesystem>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

bool ListFileKind(const std::u16string& file_name, TListFileKind& kind) {
  kind = TListFileKind();
  std::error_code ec;
  if (file_name.empty() ||
      !std::filesystem::is_regular_file(std::filesystem::path(utf16_to_utf8(file_name)), ec))
    return false;
  TCVStored_File_rec rec;
  rec.filename = file_name;

  const tool_type which = WhichToolsCorvane32BitFile(rec);
  list_type lt = rec.ListType;
  bool header = which != tt_no_tool_at_all;
  if (!header && WasACorvane32BitFile(rec)) {
    header = true;
    lt = rec.ListType;
  }
  if (!header && IsACorvane32BitFile(rec)) {
    header = true;
    lt = rec.ListType;
  }
  if (header) {
    TCheckSignature h;
    TFileStream file(file_name, fmOpenRead | fmShareDenyNone);
    std::uint8_t bytes[kCheckSignatureSize];
    file.ReadBuffer(bytes, kCheckSignatureSize);
    h = CheckSignatureFromBytes(bytes);
    kind.form = list_file_form::header;
    kind.tool = which;
    kind.ListType = lt;
    kind.signature = h.signature;
    const std::int32_t running = CurrentSignature[current_tool_var];
    kind.version = h.signature == running                       ? list_file_version::current
                   : h.signature >= 35 && h.signature < running ? list_file_version::earlier
                                                                : list_file_version::other;
    return true;
  }
  if (IsAnOldCorvaneFile(rec)) {
    kind.form = list_file_form::old;
    kind.ListType = rec.ListType;
    kind.tool = ToolTypeFromListType(rec.ListType);
    return true;
  }
  bool zipped = false;
  try {
    zipped = FileContentsType(file_name, false).contains(_Zip);
  } catch (const Exception&) {
    zipped = false;
  }
  if (zipped && IsABatchZipFileForListType(rec)) {
    kind.form = list_file_form::batch;
    kind.ListType = rec.ListType;
    kind.tool = ToolTypeFromListType(rec.ListType);
    kind.Number_within_Zipfile = rec.Number_within_Zipfile;
    return true;
  }
  const std::u16string ext = ExtractFileExt(file_name);
  kind.form = list_file_form::extension;
  kind.ListType = ListTypeFromFileExt(ext);
  kind.tool = ToolTypeFromFileExt(ext);
  return true;
}

}  // namespace corvane
