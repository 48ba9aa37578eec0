// Looking entries up, the catalogue line form, translations and the placeholder scanner.
#include "corvane/messages/Message_catalogue.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "corvane/messages/Generalruntime2const.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

// Each test starts and ends with the built-in texts.
class Translation : public ::testing::Test {
 protected:
  void SetUp() override { msg::clear_translation(); }
  void TearDown() override { msg::clear_translation(); }

  // Loads `contents`, expecting a refusal whose message contains `reason`; checks that the
  // translation in force before is untouched.
  void expect_refused(std::string_view contents, std::string_view reason) {
    msg::load_translation("_CVYes\tJa\n", "before");
    try {
      msg::load_translation(contents, "bad.txt");
      ADD_FAILURE() << "accepted: " << contents;
    } catch (const EConvertError& e) {
      EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
      EXPECT_TRUE(std::string(e.what()).starts_with("bad.txt: ")) << e.what();
    }
    EXPECT_EQ(msg::text(msg::CVYes), u"Ja") << contents;
    EXPECT_EQ(msg::translated_count(), 1u);
  }
};

TEST(MessageCatalogue, LooksEntriesUpByIdentifier) {
  EXPECT_EQ(msg::text(msg::CVOverwriteXQ), u"Overwrite %s?");
  EXPECT_EQ(LoadResString(msg::CVEtc), u"etc.");
  EXPECT_EQ(msg::identifier(msg::CVEtc), "_CVEtc");
  EXPECT_EQ(msg::find("_CVEtc"), msg::CVEtc);
  EXPECT_FALSE(msg::find("CVEtc"));
  EXPECT_FALSE(msg::find("_cvetc"));
  EXPECT_FALSE(msg::find(""));
  EXPECT_EQ(msg::text(msg::CVXFiles), u"%s files ");  // the trailing blank is kept
  EXPECT_EQ(msg::text(msg::CVUserReadWriteFolderIsWrong),
            u"The folder for your own files cannot be read or written to.\r"
            u"Please choose another one in the settings.");
  // An identifier the second group repeats is the same entry.
  const auto second = msg::group("Generalruntime2const");
  EXPECT_NE(std::find(second.begin(), second.end(), msg::CVNo), second.end());
  EXPECT_TRUE(msg::group("Generalruntime3const").empty());
  EXPECT_THROW(msg::text(msg::MessageId{static_cast<std::uint16_t>(msg::size())}), EListError);
}

TEST(MessageCatalogue, EscapesControlCharactersAndBackslashes) {
  EXPECT_EQ(msg::escaped(u"a\rb\nc\td\\e \u00E9"), "a\\rb\\nc\\td\\\\e \xC3\xA9");
  EXPECT_EQ(msg::escaped(msg::text(msg::CVUserReadWriteFolderIsWrong)).find('\r'),
            std::string::npos);
}

TEST(MessageCatalogue, ArgumentKindsOfTemplates) {
  const auto kinds = [](std::u16string_view t) { return msg::argument_kinds(t); };
  EXPECT_EQ(kinds(u"no placeholders"), "");
  EXPECT_EQ(kinds(u"100%% sure"), "");
  EXPECT_EQ(kinds(u"col %d (%s) value"), "ds");
  EXPECT_EQ(kinds(u"%.0n %0.n %2.0n %.1n %.2n"), "fffff");
  EXPECT_EQ(kinds(u"%1.3f %3.2f %5.3f %4.2g %m %e"), "ffffff");
  EXPECT_EQ(kinds(u"%u %x %X %S %-8s"), "dddss");
  EXPECT_EQ(kinds(u"%*d|%-*.*f"), "ddddf");  // "*" takes an integer argument
  EXPECT_EQ(kinds(u"%1:s before %0:d"), "ds");
  EXPECT_EQ(kinds(u"%1:s %s"), ".ss");  // after an index, counting goes on from it
  EXPECT_EQ(kinds(u"%0:s %0:s"), "s");  // one argument used twice
  EXPECT_FALSE(kinds(u"%0:s %0:d"));    // ... but not as two kinds
  EXPECT_EQ(kinds(u"%255:s")->size(), 256u);
  EXPECT_FALSE(kinds(u"%256:s"));  // no call passes that many arguments
  EXPECT_FALSE(kinds(u"%99999999999999999999999:s"));
  EXPECT_FALSE(kinds(u"File %"));
  EXPECT_FALSE(kinds(u"%5"));
  EXPECT_FALSE(kinds(u"%q"));
  EXPECT_FALSE(kinds(u"%.z"));
}

TEST_F(Translation, ReplacesTheTextsItNamesAndOnlyThose) {
  msg::load_translation(
      "# German, in part\r\n"
      "[Generalruntime1const]\r\n"
      "_CVYes\tJa\r\n"
      "\r\n"
      "_CVOverwriteXQ\t%s \xC3\xBC"
      "berschreiben?\r\n"
      "_CVFileAlreadyExists\tDort gibt es schon Dateien.\\rZeile\\tzwei \\\\ \r\n"
      "_CVEtc\t usw. \n",  // blanks at either end are part of the text
      "de.txt");
  EXPECT_EQ(msg::translated_count(), 4u);
  EXPECT_EQ(msg::text(msg::CVYes), u"Ja");
  EXPECT_EQ(msg::text(msg::CVOverwriteXQ), u"%s \u00FCberschreiben?");
  EXPECT_EQ(msg::text(msg::CVFileAlreadyExists), u"Dort gibt es schon Dateien.\rZeile\tzwei \\ ");
  EXPECT_EQ(msg::text(msg::CVEtc), u" usw. ");
  EXPECT_EQ(msg::text(msg::CVNo), u"No");
  EXPECT_EQ(msg::builtin_text(msg::CVYes), u"Yes");

  // A second translation replaces the first as a whole.
  msg::load_translation("_CVNo\tNein", "de2.txt");
  EXPECT_EQ(msg::text(msg::CVNo), u"Nein");
  EXPECT_EQ(msg::text(msg::CVYes), u"Yes");
  msg::clear_translation();
  EXPECT_EQ(msg::text(msg::CVNo), u"No");
  EXPECT_EQ(msg::translated_count(), 0u);
}

TEST_F(Translation, ReadsUtf8WithAByteOrderMarkAndUtf16LittleEndian) {
  msg::load_translation("\xEF\xBB\xBF_CVYes\tOui\n", "fr.txt");
  EXPECT_EQ(msg::text(msg::CVYes), u"Oui");

  const std::u16string wide = u"_CVYes\t\u306F\u3044\r\n_CVNo\t\u3044\u3044\u3048\r\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t c : wide) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  msg::load_translation(bytes, "ja.txt");
  EXPECT_EQ(msg::text(msg::CVYes), u"\u306F\u3044");
  EXPECT_EQ(msg::text(msg::CVNo), u"\u3044\u3044\u3048");
}

TEST_F(Translation, MayReorderOrDropArguments) {
  msg::load_translation(
      "_CVMergeXwithY\t%1:s mit %0:s zusammenf\xC3\xBChren\n"
      "_CVXNCopies\tKopien: %1:d\n"
      "_CVSentences\tS\xC3\xA4tze (100%%)\n",
      "de.txt");
  EXPECT_EQ(msg::text(msg::CVXNCopies), u"Kopien: %1:d");
}

TEST_F(Translation, RefusesAMalformedFileAndChangesNothing) {
  expect_refused("_CVYes Oui\n", "line 1: expected an identifier, a TAB and the text");
  expect_refused("# ok\n_CVNoSuchEntry\tx\n", "line 2: unknown message identifier _CVNoSuchEntry");
  expect_refused("CVYes\tOui\n", "is not an identifier");
  expect_refused("_CVYes\tOui\\x\n", "unknown escape");
  expect_refused("_CVYes\tOui\\\n", "a backslash ends the text");
  expect_refused("_CVYes\tOui\xE9\n", "not valid UTF-8");
  expect_refused("_CVYes\tOui\n_CVYes\tSi\n", "line 2: _CVYes is given two different texts");
  expect_refused("[German\n", "a group line must read [Name]");
  expect_refused(
      "_CVOverwriteXQ\t%d \xC3\xBC"
      "berschreiben?\n",
      "argument 1 is an integer here but a string in the built-in text");
  expect_refused("_CVOverwriteXQ\t%s nach %s?\n",
                 "argument 2 is a string here but the built-in text has no argument 2");
  // A width Format would refuse makes the text unusable.
  expect_refused("_CVOverwriteXQ\t%0:-4294967296.4294967296s?\n", "not a valid format template");
  expect_refused("_CVTotalN\tGesamt %s\n", "argument 1 is a string here but a number");
  expect_refused("_CVOverwriteXQ\t%s zu 100%?\n", "not a valid format template");
  expect_refused(std::string("\x1B[2J\0x\tT\n", 9), "\"\\x1B[2J\\x00x\" is not an identifier");
  expect_refused("\xFF\xFE_\0", "odd number of bytes");
  // The same text twice is harmless (a copy of the catalogue repeats four entries).
  msg::load_translation("_CVNo\tNein\n_CVNo\tNein\n", "de.txt");
  EXPECT_EQ(msg::text(msg::CVNo), u"Nein");
}

TEST_F(Translation, FromAFile) {
  const std::string path = ::testing::TempDir() + "corvane_translation_test.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << "_CVSureQ\tS\xC3\xBBr ?\n";
  }
  msg::load_translation_file(u16(path));
  EXPECT_EQ(msg::text(msg::CVSureQ), u"S\u00FBr ?");
  std::remove(path.c_str());
  EXPECT_THROW(msg::load_translation_file(u16(path)), EFOpenError);
  EXPECT_EQ(msg::text(msg::CVSureQ), u"S\u00FBr ?");
  // What would never end, never answer or fill memory is refused at once.
  EXPECT_THROW(msg::load_translation_file(u16(::testing::TempDir())), EFOpenError);
  EXPECT_THROW(msg::load_translation_file(u"/dev/zero"), EFOpenError);
  { std::ofstream grow(path, std::ios::binary); }
  ASSERT_EQ(::truncate(path.c_str(), msg::max_translation_bytes + 1), 0);
  EXPECT_THROW(msg::load_translation_file(u16(path)), EFOpenError);
  // A FIFO with no writer reads as empty instead of hanging.
  std::remove(path.c_str());
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  msg::load_translation_file(u16(path));
  EXPECT_EQ(msg::translated_count(), 0u);
  std::remove(path.c_str());
}

// The whole catalogue read back through the translation form is the catalogue itself.
TEST_F(Translation, TheCatalogueInItsLineFormIsAValidTranslation) {
  std::string all;
  for (msg::MessageId id : msg::all()) {
    all += msg::identifier(id);
    all += '\t';
    all += msg::escaped(msg::builtin_text(id));
    all += '\n';
  }
  msg::load_translation(all, "catalogue");
  EXPECT_EQ(msg::translated_count(), msg::size());
  for (msg::MessageId id : msg::all()) EXPECT_EQ(msg::text(id), msg::builtin_text(id));
}

}  // namespace
}  // namespace corvane
