// List kinds by extension, tool and grid view.
#include <array>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

constexpr std::array<std::u16string_view, kListTypeCount> kDefaultExts = {
    u".lst", u".kws", u".kdb", u".lst",        u".lst", u".col",    u".lst", u".lst", u".lst",
    u".lst", u".cnc", u".kpl", u".cpl",        u".ccl", u".cpt",    u".ass", u".clp", u".fil",
    u".klk", u".lst", u".tml", u".ali",        u".txt", u".tokens", u"",     u"",     u"",
    u"",     u".mut", u".vwr", u".base_pairs", u"",     u"",        u".cgr",
    // spare10 and later have none
};

constexpr std::array<tool_type, kListTypeCount> kOwners = {
    tt_tabulon,
    tt_promina,
    tt_promina,
    tt_tabulon,
    tt_tabulon,
    tt_linara,
    tt_tabulon,
    tt_tabulon,
    tt_tabulon,
    tt_tabulon,
    tt_linara,
    tt_promina,
    tt_linara,
    tt_linara,
    tt_linara,
    tt_promina,
    tt_promina,
    tt_shell,
    tt_promina,
    tt_tabulon,
    tt_linara,
    tt_viewer_aligner,
    tt_viewer_aligner,
    tt_tabulon,
    tt_promina,
    tt_shell,
    tt_no_tool_at_all /* lt_notes: the running tool */,
    tt_shell,
    tt_tabulon,
    tt_viewer_aligner,
    tt_CVweavgram,
    tt_shell,
    tt_shell,
    tt_Glyphrun,
    tt_no_tool_at_all /* spare10: the running tool */,
    tt_shell,
    tt_shell,
    tt_shell,
    tt_shell,
    tt_shell,
    tt_shell,
    tt_shell,
    tt_shell,
};

std::u16string lower(std::u16string s) {
  for (char16_t& c : s)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return s;
}

bool inside(std::u16string_view list, const std::u16string& ext) {
  return !ext.empty() && list.find(ext) != std::u16string_view::npos;
}

}  // namespace

std::u16string DefaultExtFromListType(list_type lt) {
  if (static_cast<int>(lt) >= kListTypeCount) return {};
  return std::u16string(kDefaultExts[lt]);
}

std::u16string CorrectedDefaultExt(const std::u16string& ext) {
  if (ext.size() > 1 && ext[0] == u'.') return ext.substr(1);
  return ext;
}

std::u16string DotlessDefaultExtFromListType(list_type lt) {
  return CorrectedDefaultExt(DefaultExtFromListType(lt));
}

std::u16string DefaultExtFromSaveASFormat(TSave_as_format format, list_type lt) {
  switch (format) {
    case as_txt:
      return u".txt";
    case as_xml:
      return u".xml";
    case as_Excel_spreadsheet:
      return u".xls";
    case as_RTF:
      return u".rtf";
    default:
      return DefaultExtFromListType(lt);
  }
}

std::u16string DefaultExtFromToolType(tool_type tool) {
  switch (tool) {
    case tt_tabulon:
      return u".lst";
    case tt_linara:
      return u".cnc";
    case tt_promina:
      return u".kws";
    case tt_Glyphrun:
      return u".cgr";
    case tt_CVweavgram:
      return u".base_pairs";
    case tt_viewer_aligner:
      return u".vwr";
    case tt_minimal_pairs:
    case tt_file_utilities:
      return u".txt";
    default:
      return u".dat";
  }
}

list_type ListTypeFromFileExt(const std::u16string& ext) {
  const std::u16string e = lower(ext);
  if (e == u".dcl") return lt_detailed_consistency_list;
  if (e == u".srt") return lt_aligner_plaintext_list;
  if (e == u".mut") return lt_relationship_list;
  if (e == u".lst") return lt_word_list;
  if (inside(wordlist_index_file_extensions, e)) return lt_wordlist_index_list;
  if (inside(concgram_file_extensions, e)) return lt_concgram_list;
  if (e == u".cnc") return lt_concordance_list;
  if (e == u".cgr") return lt_chargram_list;
  if (e == u".kws") return lt_keyword_list;
  if (e == u".kdb") return lt_KW_database_list;
  if (e == u".vwr") return lt_viewer_list;
  if (e == u".txt") return lt_aligner_plaintext_list;
  if (e == u".ali") return lt_aligner_list;
  return spare10;
}

tool_type ToolTypeFromFileExt(const std::u16string& ext) {
  const std::u16string e = lower(ext);
  if (e == u".cnc") return tt_linara;
  if (e == u".base_pairs" || e == u".base_index_cg") return tt_CVweavgram;
  if (e == u".kws" || e == u".kdb") return tt_promina;
  if (e == u".lst" || e == u".tokens" || e == u".types" || e == u".dcl" || e == u".mut")
    return tt_tabulon;
  if (e == u".ali" || e == u".txt" || e == u".vwr") return tt_viewer_aligner;
  if (e == u".cgr") return tt_Glyphrun;
  return tt_wordbuf;
}

tool_type ToolTypeFromListType(list_type lt) {
  if (lt == lt_notes || lt == spare10) return current_tool_var;
  if (static_cast<int>(lt) >= kListTypeCount) return tt_shell;
  return kOwners[lt];
}

file_data_type ListTypeToFileDataType(list_type lt) {
  switch (lt) {
    case lt_KW_plot_list:
    case lt_concordance_plot_list:
      return graphic_data;
    case lt_filename_list:
    case lt_aligner_plaintext_list:
    case lt_notes:
    case lt_source_text:
      return text_data;
    default:
      return corvan_only_data;
  }
}

list_type ListTypeFromGridAlternatives(grid_alternatives view) {
  switch (view) {
    case grid_concordance:
      return lt_concordance_list;
    case grid_clusters:
      return lt_concordance_cluster_list;
    case grid_conc_plot:
      return lt_concordance_plot_list;
    case grid_patterns:
      return lt_concordance_pattern_list;
    case grid_collocates:
      return lt_collocate_list;
    case grid_detailed_consist:
    case grid_alph_order:
    case grid_freq_order:
    case grid_detailed_consist_relations:
      return lt_word_list;
    case grid_statistics:
      return lt_statistics_list;
    case grid_filenames:
      return lt_filename_list;
    case grid_timeline:
      return lt_timeline_list;
    case grid_keywords:
      return lt_keyword_list;
    case grid_KWDbase:
      return lt_KW_database_list;
    case grid_kwdb_associates:
      return lt_associate_list;
    case grid_kw_Clumps:
      return lt_clump_list;
    case grid_kw_plot:
      return lt_KW_plot_list;
    case grid_kw_plot_links:
      return lt_link_list;
    case grid_viewer_text:
      return lt_viewer_list;
    case grid_viewer_aligned:
      return lt_aligner_list;
    case grid_relations:
      return lt_relationship_list;
    case grid_chargrams:
      return lt_chargram_list;
    default:
      return lt_none_in_use;
  }
}

bool IsLikeTabulon(list_type lt) {
  return lt == lt_KWs_as_word_list || lt == lt_KWDB_as_word_list ||
         lt == lt_associates_as_word_list || lt == lt_clumps_as_word_list ||
         lt == lt_wordlist_index_list;
}

bool IsOrIsLikeTabulon(list_type lt) {
  return lt == lt_word_list || IsLikeTabulon(lt);
}

std::u16string ListSignature(list_type lt) {
  if (static_cast<int>(lt) >= kListTypeCount) return {};
  std::u16string s = utf8_to_utf16(list_signature32[lt]);
  if (s.size() >= 2 && s.compare(s.size() - 2, 2, u"32") == 0) s.resize(s.size() - 2);
  return s;
}

std::u16string CVFileExtensions() {
  std::u16string text;
  for (int i = 0; i < kListTypeCount; ++i) {
    if (i == 5 || (i >= 11 && i <= 18) || i == 20 || i == 22 || i == 24) continue;
    const std::u16string ext = DefaultExtFromListType(static_cast<list_type>(i));
    if (ext.size() >= 2 && text.find(ext) == std::u16string::npos) text += ext + u";";
  }
  return text + u".types;.base_index_cg";
}

}  // namespace corvane
