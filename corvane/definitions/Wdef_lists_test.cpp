#include <gtest/gtest.h>

#include "corvane/definitions/Wdef.hpp"

namespace corvane {
namespace {

TEST(WdefLists, KindsFromExtensions) {
  EXPECT_EQ(ListTypeFromFileExt(u".CNC"), lt_concordance_list);
  EXPECT_EQ(ListTypeFromFileExt(u".types"), lt_wordlist_index_list);
  EXPECT_EQ(ListTypeFromFileExt(u".tok"), lt_wordlist_index_list);  // a part of ".tokens"
  EXPECT_EQ(ListTypeFromFileExt(u".base_index"), lt_concgram_list);
  EXPECT_EQ(ListTypeFromFileExt(u".dcl"), lt_detailed_consistency_list);
  EXPECT_EQ(ListTypeFromFileExt(u".srt"), lt_aligner_plaintext_list);
  EXPECT_EQ(ListTypeFromFileExt(u".Txt"), lt_aligner_plaintext_list);
  EXPECT_EQ(ListTypeFromFileExt(u".lst"), lt_word_list);
  EXPECT_EQ(ListTypeFromFileExt(u".xyz"), spare10);
  EXPECT_EQ(ListTypeFromFileExt(u""), spare10);
  EXPECT_EQ(ToolTypeFromFileExt(u".KDB"), tt_promina);
  EXPECT_EQ(ToolTypeFromFileExt(u".base_index_cg"), tt_CVweavgram);
  EXPECT_EQ(ToolTypeFromFileExt(u".base_index"), tt_wordbuf);
  EXPECT_EQ(ToolTypeFromFileExt(u".types"), tt_tabulon);
  EXPECT_EQ(ToolTypeFromFileExt(u".vwr"), tt_viewer_aligner);
}

TEST(WdefLists, DefaultExtensions) {
  EXPECT_EQ(DefaultExtFromListType(lt_concgram_list), u".base_pairs");
  EXPECT_EQ(DotlessDefaultExtFromListType(lt_concgram_list), u"base_pairs");
  EXPECT_EQ(DefaultExtFromListType(lt_kw_cluster_list), u"");
  EXPECT_EQ(DefaultExtFromListType(spare10), u"");
  EXPECT_EQ(DefaultExtFromListType(lt_sorting), u"");
  EXPECT_EQ(CorrectedDefaultExt(u"."), u".");
  EXPECT_EQ(CorrectedDefaultExt(u"lst"), u"lst");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_Excel_spreadsheet, lt_word_list), u".xls");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_default_for_list, lt_collocate_list), u".col");
  EXPECT_EQ(DefaultExtFromToolType(tt_file_utilities), u".txt");
  EXPECT_EQ(DefaultExtFromToolType(tt_shell), u".dat");
  EXPECT_EQ(CVFileExtensions(),
            u".lst;.kws;.kdb;.cnc;.ali;.tokens;.mut;.vwr;.base_pairs;.cgr;.types;.base_index_cg");
}

TEST(WdefLists, OwnersDataSignaturesAndViews) {
  const tool_type saved = current_tool_var;
  current_tool_var = tt_CVweavgram;
  EXPECT_EQ(ToolTypeFromListType(lt_notes), tt_CVweavgram);
  EXPECT_EQ(ToolTypeFromListType(spare10), tt_CVweavgram);
  current_tool_var = saved;
  EXPECT_EQ(ToolTypeFromListType(lt_filename_list), tt_shell);
  EXPECT_EQ(ToolTypeFromListType(lt_chargram_list), tt_Glyphrun);
  EXPECT_EQ(ToolTypeFromListType(lt_boll), tt_shell);
  EXPECT_EQ(ToolTypeFromListType(lt_aligner_plaintext_list), tt_viewer_aligner);
  EXPECT_EQ(ListTypeToFileDataType(lt_concordance_plot_list), graphic_data);
  EXPECT_EQ(ListTypeToFileDataType(lt_source_text), text_data);
  EXPECT_EQ(ListTypeToFileDataType(lt_concordance_list), corvan_only_data);
  EXPECT_EQ(ListSignature(lt_concordance_list), u"Concordance");
  EXPECT_EQ(ListSignature(lt_notes), u"Notes");
  EXPECT_EQ(ListSignature(lt_aligner_plaintext_list), u" Text List");
  EXPECT_EQ(ListTypeFromGridAlternatives(grid_freq_order), lt_word_list);
  EXPECT_EQ(ListTypeFromGridAlternatives(grid_detailed_consist_relations), lt_word_list);
  EXPECT_EQ(ListTypeFromGridAlternatives(grid_kw_plot_links), lt_link_list);
  EXPECT_EQ(ListTypeFromGridAlternatives(grid_kw_Clusters), lt_none_in_use);
  EXPECT_EQ(ListTypeFromGridAlternatives(grid_none), lt_none_in_use);
  EXPECT_TRUE(IsLikeTabulon(lt_wordlist_index_list));
  EXPECT_FALSE(IsLikeTabulon(lt_word_list));
  EXPECT_TRUE(IsOrIsLikeTabulon(lt_word_list));
  EXPECT_FALSE(IsOrIsLikeTabulon(lt_detailed_consistency_list));
}

}  // namespace
}  // namespace corvane
