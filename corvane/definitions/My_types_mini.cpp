#include "corvane/definitions/My_types_mini.hpp"

#include "corvane/definitions/My_types.hpp"
#include "corvane/files/Logging_utilities.hpp"

#include <algorithm>

#include "corvane/messages/Generalruntime1const.hpp"

namespace corvane {

tool_type current_tool_var = tt_no_tool_at_all;

const std::array<std::int32_t, kToolTypeCount> CurrentSignature = {
    37, 36, 37, 36, 37, 36, 37, 37, 0, 36, 36, 38, 36, 36, 37, 36, 36, 36, 36, 36, 36, 789,
};

const std::array<std::string_view, kListTypeCount> list_signature32 = {
    "Word List32",
    "Key Word List32",
    "Promina Database32",
    "Detailed Consistency Relations List32",
    "Detailed Consistency List32",
    "Collocate List32",
    "Promina as Tabulon32",
    "KWDBase as Tabulon32",
    "Associates as Tabulon32",
    "Clumps as Tabulon32",
    "Concordance32",
    "Promina Plot32",
    "Concordance Plot32",
    "Concordance Cluster List32",
    "Concordance Pattern List32",
    "Associate List32",
    "Clump List32",
    "Filename List32",
    "Link List32",
    "Statistics List32",
    "Timeline List32",
    "Aligner List32",
    " Text List32",
    "Wordlist Index List32",
    "Promina ClusterList32",
    "",
    "Notes",
    "source text",
    "Mutual Information List32",
    "Viewer List32",
    "CVWeavgram List32",
    "Markup List32",
    "Section List32",
    "CharGram List32",
    "spare10",
    "lt_boll",
    "lt_boll2",
    "lt_boll3",
    "ly_boll4",
    "lt_boll5",
    "lt_bol6",
    "lt_bol7",
    "lt_bol8",
};

const std::array<std::string_view, kListTypeCount> list_signature16 = {
    "Word Lister",
    "Key Word List",
    "Promina Database (v. 2)",
    "Simple Consistency List",
    "Detailed Consistency List",
    "Collocate List",
    "Promina as Tabulon",
    "KWDBase as Tabulon",
    "Associates as Tabulon",
    "Clumps as Tabulon",
    "Concordancer",
    "Promina Plot",
    "Concordance Plot",
    "Concordance Cluster List",
    "Concordance Pattern List",
    "Associate List",
    "Clump List",
    "Filename List",
    "Link List",
    "Statistics List",
    "Ratio Stats List",
    "Aligner List",
    " Text List",
    "Wordlist Index List",
    // The later kinds have no 16-bit-era name.
};

std::array<std::u16string, kListTypeCount> list_type_as_string;

const list_type_set SaveableListTypes = {
    lt_word_list,           lt_keyword_list,      lt_KW_database_list, lt_detailed_consistency_list,
    lt_concordance_list,    lt_statistics_list,   lt_aligner_list,     lt_aligner_plaintext_list,
    lt_wordlist_index_list, lt_relationship_list, lt_viewer_list,      lt_concgram_list,
    lt_chargram_list,
};

const list_type_set LemmatisableListTypes = {
    lt_word_list,    lt_keyword_list,          lt_detailed_consistency_list, lt_collocate_list,
    lt_KW_plot_list, lt_concordance_plot_list, lt_concordance_cluster_list,  lt_associate_list,
    lt_clump_list,   lt_wordlist_index_list,   lt_kw_cluster_list,           lt_chargram_list,
};

namespace {

constexpr std::array<std::string_view, kToolTypeCount> kToolNames = {
    "tt_tabulon",
    "tt_linara",
    "tt_promina",
    "tt_Glyphrun",
    "tt_shell",
    "tt_any_main_tool",
    "tt_text_converter",
    "tt_CVweavgram",
    "tt_unused_8",
    "tt_language_chooser",
    "tt_spare_convert16bit",
    "tt_viewer_aligner",
    "tt_spare_netfetch",
    "tt_character_profiler",
    "tt_minimal_pairs",
    "tt_file_utilities",
    "tt_API_tool",
    "tt_file_viewer",
    "tt_corpus_checker",
    "tt_version_checker",
    "tt_wordbuf",
    "tt_no_tool_at_all",
};

constexpr std::array<std::string_view, kListTypeCount> kListNames = {
    "lt_word_list",
    "lt_keyword_list",
    "lt_KW_database_list",
    "lt_detailed_consistency_relations_list",
    "lt_detailed_consistency_list",
    "lt_collocate_list",
    "lt_KWs_as_word_list",
    "lt_KWDB_as_word_list",
    "lt_associates_as_word_list",
    "lt_clumps_as_word_list",
    "lt_concordance_list",
    "lt_KW_plot_list",
    "lt_concordance_plot_list",
    "lt_concordance_cluster_list",
    "lt_concordance_pattern_list",
    "lt_associate_list",
    "lt_clump_list",
    "lt_filename_list",
    "lt_link_list",
    "lt_statistics_list",
    "lt_timeline_list",
    "lt_aligner_list",
    "lt_aligner_plaintext_list",
    "lt_wordlist_index_list",
    "lt_kw_cluster_list",
    "lt_none_in_use",
    "lt_notes",
    "lt_source_text",
    "lt_relationship_list",
    "lt_viewer_list",
    "lt_concgram_list",
    "lt_markup_list",
    "lt_sections_list",
    "lt_chargram_list",
    "spare10",
    "lt_boll",
    "lt_boll2",
    "lt_boll3",
    "ly_boll4",
    "lt_boll5",
    "lt_bol6",
    "lt_bol7",
    "lt_sorting",
};

// The catalogue entry of each kind's display name; kinds without one are absent.
struct display_name {
  list_type lt;
  msg::MessageId id;
};
const display_name kDisplayNames[] = {
    {lt_word_list, msg::CVTabulon},
    {lt_keyword_list, msg::CVKeyTabulon},
    {lt_KW_database_list, msg::CVKeyWordDatabase},
    {lt_detailed_consistency_relations_list, msg::CVDetailedConsistencyRelationsList},
    {lt_detailed_consistency_list, msg::CVDetailedConsistencyList},
    {lt_collocate_list, msg::CVCollocateList},
    {lt_KWs_as_word_list, msg::CVProminaAsWordlist},
    {lt_KWDB_as_word_list, msg::CVKeyWordDatabaseAsWordlist},
    {lt_associates_as_word_list, msg::CVAssociatesAsTabulon},
    {lt_clumps_as_word_list, msg::CVClumpsAsTabulon},
    {lt_concordance_list, msg::CVConcordanceList},
    {lt_KW_plot_list, msg::CVProminaPlotList},
    {lt_concordance_plot_list, msg::CVConcordancePlotList},
    {lt_concordance_cluster_list, msg::CVConcordanceClusterList},
    {lt_concordance_pattern_list, msg::CVConcordancePatternList},
    {lt_associate_list, msg::CVAssociateList},
    {lt_clump_list, msg::CVClumpList},
    {lt_filename_list, msg::CVFilenameList},
    {lt_link_list, msg::CVLinkList},
    {lt_statistics_list, msg::CVStatisticsList},
    {lt_timeline_list, msg::CVTimeLineList},
    {lt_aligner_list, msg::CVAlignerList},
    {lt_aligner_plaintext_list, msg::CVTextList},
    {lt_wordlist_index_list, msg::CVTabulonIndexList},
    {lt_kw_cluster_list, msg::CVProminaClusterList},
    {lt_notes, msg::CVNotes},
    {lt_source_text, msg::CVSourceText},
    {lt_relationship_list, msg::CVRelationshipsList},
    {lt_viewer_list, msg::CVViewerList},
    {lt_concgram_list, msg::CVConcgramList},
    {lt_markup_list, msg::CVMarkupList},
    {lt_sections_list, msg::CVSectionList},
    {lt_chargram_list, msg::CVChargramList},
    {lt_sorting, msg::CVSort},
};

void put32(std::uint8_t* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  p[0] = static_cast<std::uint8_t>(u);
  p[1] = static_cast<std::uint8_t>(u >> 8);
  p[2] = static_cast<std::uint8_t>(u >> 16);
  p[3] = static_cast<std::uint8_t>(u >> 24);
}

std::int32_t get32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
      static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::array<std::uint8_t, kCheckSignatureSize> CheckSignatureBytes(const TCheckSignature& header) {
  std::array<std::uint8_t, kCheckSignatureSize> out{};
  put32(out.data(), header.signature);
  put32(out.data() + 4, header.screen_res);
  put32(out.data() + 8, header.save_height);
  put32(out.data() + 12, header.save_width);
  const std::size_t n = std::min(header.type_of_data.size(), kTypeOfDataMax);
  out[16] = static_cast<std::uint8_t>(n);
  for (std::size_t i = 0; i < n; ++i)
    out[17 + i] = static_cast<std::uint8_t>(header.type_of_data[i]);
  return out;
}

TCheckSignature CheckSignatureFromBytes(const std::uint8_t* bytes) {
  TCheckSignature h;
  h.signature = get32(bytes);
  h.screen_res = get32(bytes + 4);
  h.save_height = get32(bytes + 8);
  h.save_width = get32(bytes + 12);
  const std::size_t n = std::min<std::size_t>(bytes[16], kTypeOfDataMax);
  h.type_of_data.assign(reinterpret_cast<const char*>(bytes + 17), n);
  return h;
}

std::string_view tool_type_name(tool_type tool) {
  return static_cast<int>(tool) < kToolTypeCount ? kToolNames[tool] : std::string_view();
}

std::string_view list_type_name(list_type lt) {
  return static_cast<int>(lt) < kListTypeCount ? kListNames[lt] : std::string_view();
}

bool tool_type_from_name(std::string_view name, tool_type& tool) {
  for (int t = 0; t < kToolTypeCount; ++t) {
    if (kToolNames[t] == name) {
      tool = static_cast<tool_type>(t);
      return true;
    }
  }
  return false;
}

TMyCanvasColourRec BogStandardColours() {
  TMyCanvasColourRec c;
  c.colours[tct_text] = 0x000000;
  c.colours[tct_selected_text] = 0xFFFFFF;
  c.colours[tct_background] = 0xFFFFFF;
  c.colours[tct_selected_background] = 0x660000;
  return c;
}

TMyCanvasColourRec StyleSearchColours() {
  TMyCanvasColourRec c;
  c.colours[tct_text] = 0xFFFFFF;
  c.colours[tct_selected_text] = 0x000080;
  c.colours[tct_background] = 0x000080;
  c.colours[tct_selected_background] = 0xFFFFFF;
  return c;
}

TMyCanvasColourRecAndTypeface BogStandardColoursAndTypeface() {
  TMyCanvasColourRecAndTypeface r;
  r.colourset = BogStandardColours();
  return r;
}

TMyCanvasColourRecAndTypeface StyleSearchColoursAndTypeface() {
  TMyCanvasColourRecAndTypeface r;
  r.colourset = StyleSearchColours();
  r.default_typeface.include(tf_bold);
  r.highlight_typeface.include(tf_bold);
  return r;
}

void My_types_mini_initialization() {
  // The log (a lower layer) asks here for the prefix of the tool running at each write.
  set_log_prefix_source([] { return tool_log_prefix(current_tool_var); });
  for (auto& name : list_type_as_string) name.clear();
  for (const display_name& d : kDisplayNames) list_type_as_string[d.lt] = msg::text(d.id);
}

void My_types_mini_finalization() {
  set_log_prefix_source(nullptr);
  for (auto& name : list_type_as_string) name.clear();
}

}  // namespace corvane
