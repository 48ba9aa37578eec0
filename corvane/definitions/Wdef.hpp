#pragma once
// List kinds by extension, tool and grid view, and the recognition of a saved file's kind:
// from the 57-byte header of this generation, from the header of the 16-bit-era files, or
// from the comment of a batch zip archive. (The search conditions on list columns, the
// unit's other part, are in Wdef_search_conditions.hpp; its shared services, the stopwatch,
// index files, spans and codes, in Wdef_services.hpp.)
//
// The recognisers open files for reading only and never raise for a missing file, a file
// too short for its header or a read error: they answer "not recognised" (false,
// lt_none_in_use or tt_no_tool_at_all). Only a zip archive that exists but cannot be
// opened raises, to the caller of IsABatchZipFileForListType.

#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/definitions/Wdef_search_conditions.hpp"
#include "corvane/definitions/Wdef_services.hpp"
#include "corvane/definitions/Wdef_settings_lists.hpp"
#include "corvane/rtl/Streams.hpp"

namespace corvane {

// ---- List kinds and extensions

// The kind's default extension (".cnc"); empty for kinds without one and from spare10 on.
std::u16string DefaultExtFromListType(list_type lt);
// Drops a leading "." from a text longer than one character.
std::u16string CorrectedDefaultExt(const std::u16string& ext);
// DefaultExtFromListType through CorrectedDefaultExt ("cnc").
std::u16string DotlessDefaultExtFromListType(list_type lt);
// ".txt", ".xml", ".xls", ".rtf", or the kind's default extension for as_default_for_list.
std::u16string DefaultExtFromSaveASFormat(TSave_as_format format, list_type lt);
// The extension a tool saves under by default; ".dat" for tools without one.
std::u16string DefaultExtFromToolType(tool_type tool);
// The kind an extension (with its dot, any case) names; spare10 when none.
list_type ListTypeFromFileExt(const std::u16string& ext);
// The tool an extension belongs to; tt_wordbuf when none.
tool_type ToolTypeFromFileExt(const std::u16string& ext);
// The tool that owns the kind (current_tool_var for lt_notes and spare10).
tool_type ToolTypeFromListType(list_type lt);
file_data_type ListTypeToFileDataType(list_type lt);
// The kind a grid view shows; lt_none_in_use for views of no saved kind.
list_type ListTypeFromGridAlternatives(grid_alternatives view);
// Kinds that other tools' lists take the word list's shape for.
bool IsLikeTabulon(list_type lt);
bool IsOrIsLikeTabulon(list_type lt);
// The kind's signature text without a trailing "32" ("Concordance").
std::u16string ListSignature(list_type lt);
// The file-open filter of the suite's own list files:
// ".lst;.kws;.kdb;.cnc;.ali;.tokens;.mut;.vwr;.base_pairs;.cgr;.types;.base_index_cg".
std::u16string CVFileExtensions();

// ---- Headers

// The kind a header's type_of_data names; lt_none_in_use when none.
list_type DiskFileType(const TCheckSignature& header);

enum TSignatureStreamMode : std::uint8_t { sig_read, sig_write };

// Writing: fills the header's signature (the tool's) and type_of_data (the kind's
// signature text, at most 40 characters), writes its 57 bytes to the stream and answers
// whether all were written. Reading: reads 57 bytes into the header and answers whether
// all came and both fields are the tool's and the kind's.
bool DiskSignatureISOKForToolAndList(TCheckSignature& header, tool_type tool, list_type lt,
                                     TStream& stream, TSignatureStreamMode mode);

// A file of an earlier version of the running tool (signature 35 and up, below the
// running tool's): true, ListType its kind. A file of the running tool's own version gets
// its ListType too, but the answer false.
bool WasACorvane32BitFile(TCVStored_File_rec& rec);
// The first tool (tt_tabulon to tt_wordbuf) whose signature the file's header carries,
// ListType its kind; tt_no_tool_at_all when none.
tool_type WhichToolsCorvane32BitFile(TCVStored_File_rec& rec);
// Whether the file's header carries the tool's signature; ListType its kind.
bool IsACorvane32BitFileForTool(TCVStored_File_rec& rec, tool_type tool);
bool IsACorvane32BitFile(TCVStored_File_rec& rec);
// A 16-bit-era file: the kind name in its first 41 bytes is one of that era's names.
bool IsAnOldCorvaneFile(TCVStored_File_rec& rec);
// A batch zip archive: at least one file and a comment "Corvan Batch file " followed by
// more. When the rest is a kind's default extension, ListType becomes that kind and
// Number_within_Zipfile the archive's entry count. Raises when the file exists but cannot
// be opened as a zip archive.
bool IsABatchZipFileForListType(TCVStored_File_rec& rec);

// ---- One answer for a file (our own addition, for hosts that show a file's kind)

enum class list_file_form : std::uint8_t {
  header,     // this generation's header (any of the three header tests)
  old,        // a 16-bit-era header
  batch,      // a batch zip archive
  extension,  // nothing in the contents: judged by the extension alone
};

// How a header's signature stands against the running tool's entry.
enum class list_file_version : std::uint8_t {
  none,     // not a header
  current,  // the running tool's own
  earlier,  // 35 and up, below the running tool's
  other,    // any other signature
};

struct TListFileKind {
  list_file_form form = list_file_form::extension;
  tool_type tool = tt_no_tool_at_all;  // the header's tool, else the kind's owner
  list_type ListType = lt_none_in_use;
  std::int32_t signature = 0;  // the header's (form header only)
  list_file_version version = list_file_version::none;
  std::int32_t Number_within_Zipfile = -1;  // a batch archive's entry count, else -1
};

// The recognisers tried in turn: the header tests, the 16-bit-era header, then, for a
// file whose first bytes are those of a zip archive, the batch test; failing all, the
// extension. False for a missing file (or a folder). Raises as IsABatchZipFileForListType
// does for an archive that cannot be opened.
bool ListFileKind(const std::u16string& file_name, TListFileKind& kind);

// The fixed start of a batch archive's comment.
constexpr std::u16string_view kBatchZipCommentPrefix = u"Corvan Batch file ";

}  // namespace corvane
