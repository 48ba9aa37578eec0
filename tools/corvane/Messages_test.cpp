// corvane messages, run in-process.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "corvane/messages/Message_catalogue.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using Outcome = testing::Result;
using testing::run_corvane;

TEST(MessagesCommand, PrintsTheNamedEntries) {
  const Outcome r =
      run_corvane({"messages", "_CVOverwriteXQ", "_CVUserReadWriteFolderIsWrong", "_CVXFiles"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "_CVOverwriteXQ\tOverwrite %s?\n"
            "_CVUserReadWriteFolderIsWrong\tThe folder for your own files cannot be read or "
            "written to.\\rPlease choose another one in the settings.\n"
            "_CVXFiles\t%s files \n");
  EXPECT_EQ(r.err, "");
}

TEST(MessagesCommand, PrintsEveryEntryOnceWithoutIdentifiers) {
  const Outcome r = run_corvane({"messages"});
  EXPECT_EQ(r.status, 0);
  std::istringstream lines(r.out);
  std::string line;
  std::size_t count = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_NE(line.find('\t'), std::string::npos) << line;
    EXPECT_EQ(line.find('\r'), std::string::npos) << line;
  }
  EXPECT_EQ(count, msg::size());
  EXPECT_TRUE(r.out.starts_with("_CVN\tN\n"));
  EXPECT_TRUE(r.out.ends_with("_CVAdditionalRequirement\tadditional requirement\n"));
}

TEST(MessagesCommand, RefusesUnknownIdentifiers) {
  const Outcome r = run_corvane({"messages", "_CVYes", "_CVNoSuchThing", "CVEtc"});
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("unknown message identifier \"_CVNoSuchThing\""), std::string::npos);
  EXPECT_NE(r.err.find("unknown message identifier \"CVEtc\""), std::string::npos);
}

TEST(MessagesCommand, AppliesATranslationForItsOwnRunOnly) {
  const std::string path = ::testing::TempDir() + "corvane_messages_test.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << "_CVOverwriteXQ\t%s \xC3\xBC"
           "berschreiben?\n_CVYes\tJa\\rwirklich\n";
  }
  const Outcome r =
      run_corvane({"messages", "--translation", path, "_CVOverwriteXQ", "_CVYes", "_CVNo"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "_CVOverwriteXQ\t%s \xC3\xBC"
            "berschreiben?\n_CVYes\tJa\\rwirklich\n_CVNo\tNo\n");
  EXPECT_EQ(msg::text(msg::find("_CVYes").value()), u"Yes");

  {
    std::ofstream out(path, std::ios::binary);
    out << "_CVYes\tJa\n_CVOverwriteXQ\t%d?\n";
  }
  const Outcome bad = run_corvane({"messages", "--translation", path, "_CVYes"});
  EXPECT_NE(bad.status, 0);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("line 2: _CVOverwriteXQ: argument 1 is an integer"), std::string::npos)
      << bad.err;
  std::remove(path.c_str());

  const Outcome missing = run_corvane({"messages", "--translation", path});
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.err.find("Cannot open file"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace corvane::cli
