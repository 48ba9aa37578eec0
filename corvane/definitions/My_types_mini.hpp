#pragma once
// The vocabulary of the suite's saved files: the tools (tool_type), the kinds of list a
// tool saves (list_type) with their signatures and display names, the saved-list header
// (TCheckSignature) and the records the file-kind recognisers fill in.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace corvane {

// The suite's major version: it appears in program file names, captions and web paths.
constexpr std::int32_t CVMajorVersion = 7;

enum tool_type : std::uint8_t {
  tt_tabulon,
  tt_linara,
  tt_promina,
  tt_Glyphrun,
  tt_shell,
  tt_any_main_tool,
  tt_text_converter,
  tt_CVweavgram,
  tt_unused_8,  // reserved: no tool of this system has it
  tt_language_chooser,
  tt_spare_convert16bit,
  tt_viewer_aligner,
  tt_spare_netfetch,
  tt_character_profiler,
  tt_minimal_pairs,
  tt_file_utilities,
  tt_API_tool,
  tt_file_viewer,
  tt_corpus_checker,
  tt_version_checker,
  tt_wordbuf,
  tt_no_tool_at_all,
};
constexpr int kToolTypeCount = tt_no_tool_at_all + 1;

enum list_type : std::uint8_t {
  lt_word_list,
  lt_keyword_list,
  lt_KW_database_list,
  lt_detailed_consistency_relations_list,
  lt_detailed_consistency_list,
  lt_collocate_list,
  lt_KWs_as_word_list,
  lt_KWDB_as_word_list,
  lt_associates_as_word_list,
  lt_clumps_as_word_list,
  lt_concordance_list,
  lt_KW_plot_list,
  lt_concordance_plot_list,
  lt_concordance_cluster_list,
  lt_concordance_pattern_list,
  lt_associate_list,
  lt_clump_list,
  lt_filename_list,
  lt_link_list,
  lt_statistics_list,
  lt_timeline_list,
  lt_aligner_list,
  lt_aligner_plaintext_list,
  lt_wordlist_index_list,
  lt_kw_cluster_list,
  lt_none_in_use,
  lt_notes,
  lt_source_text,
  lt_relationship_list,
  lt_viewer_list,
  lt_concgram_list,
  lt_markup_list,
  lt_sections_list,
  lt_chargram_list,
  spare10,
  lt_boll,
  lt_boll2,
  lt_boll3,
  ly_boll4,
  lt_boll5,
  lt_bol6,
  lt_bol7,
  lt_sorting,
};
constexpr int kListTypeCount = lt_sorting + 1;

// A set of enumeration values: bit n is the value of ordinal n.
template <typename E, int Count>
struct TEnumSet {
  static_assert(Count <= 64);
  std::uint64_t bits = 0;
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> members) {
    for (E m : members) include(m);
  }
  constexpr bool contains(E m) const {
    return static_cast<int>(m) < Count && ((bits >> static_cast<int>(m)) & 1u);
  }
  constexpr void include(E m) {
    if (static_cast<int>(m) < Count) bits |= std::uint64_t{1} << static_cast<int>(m);
  }
  constexpr void exclude(E m) {
    if (static_cast<int>(m) < Count) bits &= ~(std::uint64_t{1} << static_cast<int>(m));
  }
  constexpr bool empty() const { return bits == 0; }
  constexpr bool operator==(const TEnumSet&) const = default;
};
using TTool_Type_Set = TEnumSet<tool_type, kToolTypeCount>;
using list_type_set = TEnumSet<list_type, kListTypeCount>;

// What a list's data is: read only by the suite, a picture, or plain text.
enum file_data_type : std::uint8_t { corvan_only_data, graphic_data, text_data };

enum TSave_as_format : std::uint8_t {
  as_txt,
  as_xml,
  as_Excel_spreadsheet,
  as_RTF,
  as_default_for_list
};

// The views a tool's grid shows.
enum grid_alternatives : std::uint8_t {
  grid_concordance,
  grid_clusters,
  grid_conc_plot,
  grid_patterns,
  grid_collocates,
  grid_detailed_consist,
  grid_alph_order,
  grid_freq_order,
  grid_statistics,
  grid_filenames,
  grid_timeline,
  grid_keywords,
  grid_KWDbase,
  grid_kwdb_associates,
  grid_kw_Clusters,
  grid_kw_Clumps,
  grid_kw_plot,
  grid_kw_plot_links,
  grid_viewer_text,
  grid_viewer_aligned,
  grid_concgram,
  grid_relations,
  grid_detailed_consist_relations,
  grid_breakdowns,
  grid_chargrams,
  spare_6,
  spare_7,
  spare_8,
  spare_9,
  grid_none,
};

// The header every saved list of this generation starts with: 57 bytes, little-endian,
//   0  signature    32-bit signed, the writing tool's CurrentSignature entry
//   4  screen_res   32-bit signed
//   8  save_height  32-bit signed
//  12  save_width   32-bit signed
//  16  the length of type_of_data (0 to 40)
//  17  type_of_data 40 bytes: the list kind's signature text, 8-bit
// Bytes past type_of_data's length are not significant: they are written as zeros, and a
// length above 40 is read as 40.
struct TCheckSignature {
  std::int32_t signature = 0;
  std::int32_t screen_res = 0;
  std::int32_t save_height = 0;
  std::int32_t save_width = 0;
  std::string type_of_data;  // at most 40 8-bit characters
};
constexpr std::size_t kCheckSignatureSize = 57;
constexpr std::size_t kTypeOfDataMax = 40;

// The header's 57 bytes, field by field.
std::array<std::uint8_t, kCheckSignatureSize> CheckSignatureBytes(const TCheckSignature& header);
// The header from its 57 bytes.
TCheckSignature CheckSignatureFromBytes(const std::uint8_t* bytes);

// A file to be examined; the recognisers write what they find into ListType.
struct TCVStored_File_rec {
  std::u16string filename;
  bool OldModified = false;
  std::int32_t Number_within_Zipfile = 0;
  list_type ListType = lt_none_in_use;
};

struct TCVTestFileReadRec {
  std::u16string filename;
  list_type ListType = lt_none_in_use;
};

// The running tool, set by SetCurrentTool; tt_no_tool_at_all until then.
extern tool_type current_tool_var;

// The header signature each tool writes (tt_unused_8 has none: 0).
extern const std::array<std::int32_t, kToolTypeCount> CurrentSignature;

// Each list kind's signature text, as saved files carry it (8-bit).
extern const std::array<std::string_view, kListTypeCount> list_signature32;
// Each list kind's name in the headers of the 16-bit-era files (8-bit; empty for kinds
// that era did not have).
extern const std::array<std::string_view, kListTypeCount> list_signature16;
// Each list kind's display name, filled from the message catalogue at start-up (empty
// for kinds without one).
extern std::array<std::u16string, kListTypeCount> list_type_as_string;

extern const list_type_set SaveableListTypes;
extern const list_type_set LemmatisableListTypes;

// Extensions searched as substrings: any part of these gives the kind.
constexpr std::u16string_view wordlist_index_file_extensions = u".types.tokens.stats.markup";
constexpr std::u16string_view concgram_file_extensions = u".base_pairs.base_index.base_index_cg";

// The value names as written in code ("tt_linara", "lt_concordance_list"); empty for a
// value out of range.
std::string_view tool_type_name(tool_type tool);
std::string_view list_type_name(list_type lt);
// The value a name names, exactly as written in code; false when none does.
bool tool_type_from_name(std::string_view name, tool_type& tool);

// ---- Colours and typefaces

// Colours are 32-bit values 0x00BBGGRR (red in the low byte); values with the top byte
// 0xFF are the platform's system colours (0xFF00000F the button face); kNoColour means
// no colour at all (a transparent background).
using TColor = std::uint32_t;
constexpr TColor kNoColour = 0x1FFFFFFF;

enum TMyCanvasColourTypes : std::uint8_t {
  tct_text,
  tct_selected_text,
  tct_background,
  tct_selected_background
};
// The four colours of a displayed piece of text, indexed by TMyCanvasColourTypes; 16 bytes
// on a stream.
struct TMyCanvasColourRec {
  TColor colours[4] = {};
  bool operator==(const TMyCanvasColourRec&) const = default;
};
enum TTypefaceStyle : std::uint8_t { tf_bold, tf_italics, tf_underline, tf_strikeout };
using TMy_typeface = TTypefaceStyle;
// A set of TTypefaceStyle, stored as one byte: bit n is member n (bold 0, italics 1,
// underline 2, strikeout 3).
struct Ttypeface_Set {
  std::uint8_t bits = 0;
  constexpr bool contains(TTypefaceStyle s) const { return (bits >> s) & 1u; }
  constexpr void include(TTypefaceStyle s) { bits |= static_cast<std::uint8_t>(1u << s); }
  constexpr bool empty() const { return bits == 0; }
  constexpr bool operator==(const Ttypeface_Set&) const = default;
};
struct TMyCanvasColourRecAndTypeface {
  TMyCanvasColourRec colourset;
  Ttypeface_Set default_typeface;
  Ttypeface_Set highlight_typeface;
  bool operator==(const TMyCanvasColourRecAndTypeface&) const = default;
};

// The standard colours: black text on white, white on dark blue (0x660000) when selected.
TMyCanvasColourRec BogStandardColours();
// The search-word colours: white on maroon (0x000080), maroon on white when selected.
TMyCanvasColourRec StyleSearchColours();
// The standard colours with empty typefaces.
TMyCanvasColourRecAndTypeface BogStandardColoursAndTypeface();
// The search-word colours, bold both as default and as highlight typeface.
TMyCanvasColourRecAndTypeface StyleSearchColoursAndTypeface();

// Start-up: the display names from the catalogue; shut-down: cleared.
void My_types_mini_initialization();
void My_types_mini_finalization();

}  // namespace corvane
