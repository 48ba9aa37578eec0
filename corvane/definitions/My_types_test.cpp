#include "corvane/definitions/My_types.hpp"

#include <gtest/gtest.h>

#include "corvane/messages/Message_catalogue.hpp"

namespace corvane {
namespace {

TEST(MyTypes, ToolNamesAndProgramFiles) {
  EXPECT_EQ(Tool_Name(tt_linara), u"Linara");
  EXPECT_EQ(Tool_Name(tt_shell), u"Corvane");
  EXPECT_EQ(Tool_Name(tt_API_tool), u"CV7 General API DLL");
  EXPECT_EQ(Tool_Name(tt_any_main_tool), u"");
  EXPECT_EQ(Tool_Name(tt_no_tool_at_all), u"");
  EXPECT_EQ(GetShortToolFilename(tt_text_converter), u"Text_Converter7.exe");
  EXPECT_EQ(GetShortToolFilename(tt_version_checker), u"Corvane_version_check7.exe");
  EXPECT_EQ(GetShortToolFilename(tt_API_tool), u"CV7_General_API_DLL7.dll");
  EXPECT_EQ(GetShortToolFilename(tt_any_main_tool), u"");
  EXPECT_EQ(GetShortToolFilename(tt_unused_8), u"");
  EXPECT_EQ(tool_log_prefix(tt_shell), u"(CV7): ");
  EXPECT_EQ(tool_log_prefix(tt_Glyphrun), u"(GLYR): ");
  EXPECT_EQ(tool_log_prefix(tt_version_checker),
            u"(?"
            u"?)");
}

TEST(MyTypes, TheRunningToolIsFoundByItsProgramFile) {
  EXPECT_EQ(detail::tool_for_program_file(u"LINARA7.EXE"), tt_linara);
  EXPECT_EQ(detail::tool_for_program_file(u"linara7"), tt_linara);  // no extension here
  EXPECT_EQ(detail::tool_for_program_file(u"Corvane7.exe"), tt_shell);
  EXPECT_EQ(detail::tool_for_program_file(u"CV7_General_API_DLL7.dll"), tt_API_tool);
  EXPECT_EQ(detail::tool_for_program_file(u"Linara7.bin"), tt_no_tool_at_all);
  EXPECT_EQ(detail::tool_for_program_file(u"corvane"), tt_no_tool_at_all);
  EXPECT_EQ(detail::tool_for_program_file(u""), tt_no_tool_at_all);  // never tt_any_main_tool
  const tool_type saved = current_tool_var;
  current_tool_var = tt_linara;
  SetCurrentTool();  // this test program is no tool of the suite
  EXPECT_EQ(current_tool_var, tt_no_tool_at_all);
  current_tool_var = saved;
  const std::u16string self = detail::running_program_path();
  ASSERT_FALSE(self.empty());
  const std::u16string full = GetFullToolFilename(tt_promina);
  EXPECT_EQ(full, self.substr(0, self.rfind(u'/') + 1) + u"Promina7.exe");
}

TEST(MyTypes, AddressesCaptionsAndNumbers) {
  EXPECT_EQ(CVCurrentDownloadFolder(), std::u16string(CVWebHost) + u"/downloads/version7/");
  EXPECT_EQ(CorvaneHelpURL(), CVCurrentDownloadFolder() + u"HTML/");
  EXPECT_EQ(CVVerifiqueINF(), CVCurrentDownloadFolder() + u"CVUpdate7.inf");
  EXPECT_EQ(CorvaneControllerCaption(), u"Corvane Tools 7.0");
  EXPECT_EQ(CurrentCVMajorVersion100Str(), u"7.0.0.100");
  EXPECT_EQ(CardinalToSingle(0xFFFFFFFFu), 4294967296.0f);
  EXPECT_EQ(CardinalToSingle(0x80000000u), 2147483648.0f);
  EXPECT_EQ(IntToSingle(-5), -5.0f);
}

TEST(MyTypesMini, DisplayNamesComeFromTheCatalogueAtStartUp) {
  My_types_mini_initialization();
  EXPECT_EQ(list_type_as_string[lt_word_list], u"Word list");
  EXPECT_EQ(list_type_as_string[lt_KW_database_list], u"Keywords Database");
  EXPECT_EQ(list_type_as_string[lt_concordance_list], u"Concordance list");
  EXPECT_EQ(list_type_as_string[lt_aligner_plaintext_list], u"Text List");
  EXPECT_EQ(list_type_as_string[lt_source_text], u"source text");
  EXPECT_EQ(list_type_as_string[lt_sorting], u"Sort");
  EXPECT_EQ(list_type_as_string[lt_none_in_use], u"");
  EXPECT_EQ(list_type_as_string[spare10], u"");
  My_types_mini_finalization();
  EXPECT_EQ(list_type_as_string[lt_word_list], u"");
  My_types_mini_initialization();  // as the package leaves it
}

TEST(MyTypesMini, SetsAndNames) {
  int saveable = 0, lemmatisable = 0;
  for (int lt = 0; lt < kListTypeCount; ++lt) {
    saveable += SaveableListTypes.contains(static_cast<list_type>(lt));
    lemmatisable += LemmatisableListTypes.contains(static_cast<list_type>(lt));
  }
  EXPECT_EQ(saveable, 13);
  EXPECT_EQ(lemmatisable, 12);
  EXPECT_TRUE(SaveableListTypes.contains(lt_chargram_list));
  EXPECT_FALSE(SaveableListTypes.contains(lt_collocate_list));
  EXPECT_TRUE(LemmatisableListTypes.contains(lt_kw_cluster_list));
  EXPECT_FALSE(LemmatisableListTypes.contains(lt_KW_database_list));
  EXPECT_EQ(tool_type_name(tt_API_tool), "tt_API_tool");
  EXPECT_EQ(list_type_name(ly_boll4), "ly_boll4");
  EXPECT_EQ(list_type_name(static_cast<list_type>(43)), "");
  EXPECT_EQ(list_signature32[lt_sorting], "lt_bol8");
  EXPECT_EQ(list_signature16[lt_timeline_list], "Ratio Stats List");
  EXPECT_EQ(list_signature16[lt_kw_cluster_list], "");
}

}  // namespace
}  // namespace corvane
