#include <gtest/gtest.h>

#include <fstream>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

// A header as a tool writes it, byte by byte, with a body after it.
std::string header_bytes(std::int32_t signature, const std::string& kind, int length = -1) {
  std::string b;
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((signature >> (8 * i)) & 0xFF));
  b += std::string(12, '\x01');
  b.push_back(static_cast<char>(length < 0 ? kind.size() : length));
  b += kind;
  b.resize(57, '\0');
  return b;
}

std::u16string write_file(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return u16(path);
}

TCVStored_File_rec rec_for(const std::u16string& file) {
  TCVStored_File_rec rec;
  rec.filename = file;
  rec.ListType = lt_sorting;  // the recognisers must set it
  return rec;
}

class WdefHeaders : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = current_tool_var; }
  void TearDown() override { current_tool_var = saved_; }
  tool_type saved_;
};

TEST_F(WdefHeaders, WrittenHeadersAreTheExactBytes) {
  TCheckSignature h;
  h.screen_res = 96;
  h.save_height = 600;
  h.save_width = -2;
  h.type_of_data = "left over";
  TMemoryStream stream;
  ASSERT_TRUE(
      DiskSignatureISOKForToolAndList(h, tt_linara, lt_concordance_list, stream, sig_write));
  std::vector<std::uint8_t> expected = {0x24, 0, 0, 0,    0x60, 0,    0,    0, 0x58,
                                        0x02, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 13};
  for (char c : std::string("Concordance32")) expected.push_back(static_cast<std::uint8_t>(c));
  expected.resize(57, 0);
  EXPECT_EQ(stream.bytes(), expected);
  EXPECT_EQ(h.signature, 36);
  EXPECT_EQ(h.type_of_data, "Concordance32");

  stream.SetPosition(0);
  TCheckSignature back;
  EXPECT_TRUE(
      DiskSignatureISOKForToolAndList(back, tt_linara, lt_concordance_list, stream, sig_read));
  EXPECT_EQ(back.save_width, -2);
  stream.SetPosition(0);
  EXPECT_FALSE(  // tt_tabulon writes 37
      DiskSignatureISOKForToolAndList(back, tt_tabulon, lt_concordance_list, stream, sig_read));
  stream.SetPosition(0);
  EXPECT_FALSE(
      DiskSignatureISOKForToolAndList(back, tt_linara, lt_collocate_list, stream, sig_read));
  stream.SetSize(56);
  stream.SetPosition(0);
  EXPECT_FALSE(
      DiskSignatureISOKForToolAndList(back, tt_linara, lt_concordance_list, stream, sig_read));

  // The longest signature fits whole; a longer type_of_data is cut to 40.
  TMemoryStream long_one;
  ASSERT_TRUE(DiskSignatureISOKForToolAndList(h, tt_tabulon, lt_detailed_consistency_relations_list,
                                              long_one, sig_write));
  EXPECT_EQ(long_one.bytes()[16], 37);
  h.type_of_data = std::string(45, 'x');
  const auto bytes = CheckSignatureBytes(h);
  EXPECT_EQ(bytes[16], 40);
  EXPECT_EQ(bytes[56], 'x');
}

TEST_F(WdefHeaders, HeadersReadFieldByField) {
  std::string b = header_bytes(0x01020304, "Word List32");
  const TCheckSignature h =
      CheckSignatureFromBytes(reinterpret_cast<const std::uint8_t*>(b.data()));
  EXPECT_EQ(h.signature, 0x01020304);
  EXPECT_EQ(h.screen_res, 0x01010101);
  EXPECT_EQ(h.type_of_data, "Word List32");
  EXPECT_EQ(DiskFileType(h), lt_word_list);
  TCheckSignature other;
  other.type_of_data = "Promina Database (v. 2)32";
  EXPECT_EQ(DiskFileType(other), lt_KW_database_list);
  other.type_of_data = "lt_bol8";  // lt_sorting's signature is not looked for
  EXPECT_EQ(DiskFileType(other), lt_none_in_use);
  b = header_bytes(36, std::string(40, 'a'), 200);  // a length past 40 reads as 40
  EXPECT_EQ(CheckSignatureFromBytes(reinterpret_cast<const std::uint8_t*>(b.data())).type_of_data,
            std::string(40, 'a'));
}

TEST_F(WdefHeaders, ConcordancesOfThisAndEarlierVersions) {
  current_tool_var = tt_linara;
  auto rec = rec_for(write_file("wdef_conc36.cnc", header_bytes(36, "Concordance32") + "body"));
  EXPECT_TRUE(IsACorvane32BitFileForTool(rec, tt_linara));
  EXPECT_EQ(rec.ListType, lt_concordance_list);
  EXPECT_TRUE(IsACorvane32BitFile(rec));
  rec.ListType = lt_sorting;
  EXPECT_FALSE(WasACorvane32BitFile(rec));  // the running tool's own version
  EXPECT_EQ(rec.ListType, lt_concordance_list);
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_linara);

  rec = rec_for(write_file("wdef_conc35.cnc", header_bytes(35, "Concordance32") + "body"));
  EXPECT_TRUE(WasACorvane32BitFile(rec));
  EXPECT_EQ(rec.ListType, lt_concordance_list);
  EXPECT_FALSE(IsACorvane32BitFileForTool(rec, tt_linara));
  EXPECT_EQ(rec.ListType, lt_none_in_use);

  rec = rec_for(write_file("wdef_conc34.cnc", header_bytes(34, "Concordance32") + "body"));
  EXPECT_FALSE(WasACorvane32BitFile(rec));
  EXPECT_FALSE(IsACorvane32BitFile(rec));
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_no_tool_at_all);
  EXPECT_EQ(rec.ListType, lt_none_in_use);
  rec = rec_for(write_file("wdef_conc0.cnc", header_bytes(0, "Concordance32") + "body"));
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_no_tool_at_all);  // not the reserved slot
}

TEST_F(WdefHeaders, ToolsAreTheFirstWithTheSignature) {
  auto rec = rec_for(write_file("wdef_37.lst", header_bytes(37, "Word List32") + "x"));
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_tabulon);
  EXPECT_EQ(rec.ListType, lt_word_list);
  rec = rec_for(write_file("wdef_38.ali", header_bytes(38, "Aligner List32") + "x"));
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_viewer_aligner);
  EXPECT_EQ(rec.ListType, lt_aligner_list);
  rec = rec_for(write_file("wdef_789.dat", header_bytes(789, "Word List32") + "x"));
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_no_tool_at_all);
}

TEST_F(WdefHeaders, ShortMissingAndUnreadableFilesAreNotRecognised) {
  current_tool_var = tt_linara;
  for (const std::u16string& file :
       {write_file("wdef_exact57.cnc", header_bytes(36, "Concordance32")),
        std::u16string(u"/no/such/file.cnc"), u16(::testing::TempDir()), std::u16string()}) {
    auto rec = rec_for(file);
    EXPECT_FALSE(IsACorvane32BitFile(rec)) << u8(file);
    EXPECT_EQ(rec.ListType, lt_none_in_use);
    EXPECT_FALSE(WasACorvane32BitFile(rec));
    EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_no_tool_at_all);
    EXPECT_FALSE(IsAnOldCorvaneFile(rec));
    rec.ListType = lt_sorting;
    if (file.find(u"exact57") != std::u16string::npos) {
      EXPECT_THROW(IsABatchZipFileForListType(rec), Exception);  // a file, but no archive
    } else {
      EXPECT_FALSE(IsABatchZipFileForListType(rec));
    }
    EXPECT_EQ(rec.ListType, lt_none_in_use);
  }
}

TEST_F(WdefHeaders, SixteenBitEraHeaders) {
  auto old = [](const std::string& start) {
    std::string b = start;
    b.resize(60, '\0');
    return b;
  };
  auto rec = rec_for(write_file("wdef_old1.cnc", old(std::string("\x0C") + "Concordancer")));
  EXPECT_TRUE(IsAnOldCorvaneFile(rec));
  EXPECT_EQ(rec.ListType, lt_concordance_list);
  rec = rec_for(write_file("wdef_old2.lst", old(std::string("\x0B\0", 2) + "Word Lister")));
  EXPECT_TRUE(IsAnOldCorvaneFile(rec));
  EXPECT_EQ(rec.ListType, lt_word_list);
  rec = rec_for(write_file("wdef_old3.txt", old(std::string("\x0A") + " Text List")));
  EXPECT_TRUE(IsAnOldCorvaneFile(rec));
  EXPECT_EQ(rec.ListType, lt_aligner_plaintext_list);
  rec = rec_for(write_file("wdef_old4.lst", old(std::string("\x0A") + "Word List32")));
  EXPECT_FALSE(IsAnOldCorvaneFile(rec));  // this generation's signature, not an old name
  rec = rec_for(write_file("wdef_old5.lst", old(std::string("\0\0", 2))));
  EXPECT_FALSE(IsAnOldCorvaneFile(rec));  // an empty name
  rec = rec_for(write_file(
      "wdef_old6.cnc", std::string("\x0C") + "Concordancer" + std::string(28, '\0')));  // 41 bytes
  EXPECT_FALSE(IsAnOldCorvaneFile(rec));
  // The name runs to the first zero byte of the first 41, whatever byte 0 says.
  rec = rec_for(write_file("wdef_old7.cnc", old(std::string("\x03") + "Concordancer")));
  EXPECT_TRUE(IsAnOldCorvaneFile(rec));
}

TEST_F(WdefHeaders, BatchArchivesAreKnownByTheirComment) {
  using testing::ZipArchiveLayout;
  using testing::ZipEntrySpec;
  auto archive = [](const std::string& name, const std::string& comment, bool files = true) {
    ZipArchiveLayout layout;
    ZipEntrySpec folder;
    folder.name = "batch/";
    layout.entries.push_back(folder);
    if (files) {
      for (const char* n : {"batch/1.cnc", "batch/2.cnc"}) {
        ZipEntrySpec e;
        e.name = n;
        e.data = "data";
        layout.entries.push_back(e);
      }
    }
    layout.comment = comment;
    return write_file(name, testing::build_zip(layout));
  };
  auto rec = rec_for(archive("wdef_batch_cnc.zip", "Corvan Batch file .cnc"));
  EXPECT_TRUE(IsABatchZipFileForListType(rec));
  EXPECT_EQ(rec.ListType, lt_concordance_list);
  EXPECT_EQ(rec.Number_within_Zipfile, 3);  // every entry, the folder too
  rec = rec_for(archive("wdef_batch_lst.zip", "Corvan Batch file .lst"));
  EXPECT_TRUE(IsABatchZipFileForListType(rec));
  EXPECT_EQ(rec.ListType, lt_word_list);  // the first kind with that extension
  rec = rec_for(archive("wdef_batch_xyz.zip", "Corvan Batch file .xyz"));
  EXPECT_TRUE(IsABatchZipFileForListType(rec));
  EXPECT_EQ(rec.ListType, lt_none_in_use);
  EXPECT_EQ(rec.Number_within_Zipfile, 0);
  for (const auto& [name, comment, files] :
       {std::tuple{"wdef_batch_bare.zip", "Corvan Batch file ", true},
        std::tuple{"wdef_batch_case.zip", "corvan batch file .cnc", true},
        std::tuple{"wdef_batch_none.zip", "", true},
        std::tuple{"wdef_batch_empty.zip", "Corvan Batch file .cnc", false}}) {
    rec = rec_for(archive(name, comment, files));
    EXPECT_FALSE(IsABatchZipFileForListType(rec)) << name;
    EXPECT_EQ(rec.ListType, lt_none_in_use);
  }
  rec = rec_for(write_file("wdef_batch_bad.zip", "PK\x03\x04 not really"));
  EXPECT_THROW(IsABatchZipFileForListType(rec), Exception);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST_F(WdefHeaders, ListFileKindTriesTheRecognisersInTurn) {
  current_tool_var = tt_shell;
  TListFileKind kind;
  ASSERT_TRUE(
      ListFileKind(write_file("wdef_kind.cnc", header_bytes(36, "Concordance32") + "x"), kind));
  EXPECT_EQ(kind.form, list_file_form::header);
  EXPECT_EQ(kind.tool, tt_linara);
  EXPECT_EQ(kind.signature, 36);
  EXPECT_EQ(kind.version, list_file_version::earlier);  // the shell writes 37
  // Known only to the running tool's own test: a signature no tool from 0 to 20 writes.
  current_tool_var = tt_no_tool_at_all;
  ASSERT_TRUE(ListFileKind(write_file("wdef_kind789.dat", header_bytes(789, "Notes") + "x"), kind));
  EXPECT_EQ(kind.form, list_file_form::header);
  EXPECT_EQ(kind.tool, tt_no_tool_at_all);
  EXPECT_EQ(kind.ListType, lt_notes);
  EXPECT_EQ(kind.version, list_file_version::current);
  ASSERT_TRUE(ListFileKind(write_file("wdef_kind.kws", "plain"), kind));
  EXPECT_EQ(kind.form, list_file_form::extension);
  EXPECT_EQ(kind.ListType, lt_keyword_list);
  EXPECT_EQ(kind.tool, tt_promina);
  EXPECT_EQ(kind.Number_within_Zipfile, -1);
  EXPECT_FALSE(ListFileKind(u"/no/such/file", kind));
}

}  // namespace
}  // namespace corvane
