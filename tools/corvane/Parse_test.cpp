#include <gtest/gtest.h>

#include <sstream>

#include "tools/corvane/Cli.hpp"

namespace corvane::cli {
namespace {

std::string run_parse(std::vector<std::string> args, int expected_status = 0) {
  args.insert(args.begin(), {"corvane", "parse"});
  std::ostringstream out, err;
  EXPECT_EQ(run(args, out, err), expected_status) << err.str();
  return out.str() + err.str();
}

std::string field(const std::string& output, const std::string& name, int alternative = 1) {
  std::size_t at = output.find("alternative " + std::to_string(alternative) + "\n");
  if (at == std::string::npos) return "<no alternative>";
  at = output.find("  " + name + " ", at);
  if (at == std::string::npos) return "<no field>";
  at = output.find_first_not_of(' ', at + name.size() + 2);
  return output.substr(at, output.find('\n', at) - at);
}

// A sample of the syntax: each kind of flag, a wildcard shown as its code, a quoted one.
TEST(CorvaneParse, PrintsTheFieldsOfEachAlternative) {
  struct Row {
    const char* typed;
    const char* search_text;
    const char* flags;
  };
  const Row rows[] = {
      {"cat", "cat", "L R"},    {"cat*", "cat", "L"},          {"==Paris==", "Paris", "L C R"},
      {"~dog", "dog", "L A R"}, {"c*t", "c{CHR(29)}t", "L R"}, {"\"*\"star", "*star", "L R"},
  };
  for (const Row& row : rows) {
    const std::string out = run_parse({row.typed});
    EXPECT_EQ(field(out, "search_text"), row.search_text) << row.typed;
    EXPECT_EQ(field(out, "flags"), row.flags) << row.typed;
    EXPECT_EQ(out.find("alternative 2"), std::string::npos) << row.typed;
  }
  std::string out = run_parse({"cat/dog"});
  EXPECT_EQ(field(out, "search_text", 1), "cat");
  EXPECT_EQ(field(out, "search_text", 2), "dog");
  EXPECT_EQ(field(out, "flags", 2), "L R");
  out = run_parse({"cat context:=tail"});
  EXPECT_EQ(field(out, "search_text"), "cat");
  EXPECT_EQ(field(out, "sw_context_needed"), "tail");
  // Control codes typed in (a terminal escape sequence) are shown, never sent raw.
  out = run_parse({"\x1B[2Jcat"});
  EXPECT_EQ(field(out, "typed_in_text"), "{CHR(27)}[2Jcat");
  EXPECT_EQ(out.find('\x1B'), std::string::npos);
}

TEST(CorvaneParse, NoSplitTagsAndCopies) {
  std::string out = run_parse({"--no-split", "cat/dog"});
  EXPECT_EQ(field(out, "search_text"), "cat/dog");
  out = run_parse({"--tags", "<>", "<b>x"});
  EXPECT_EQ(field(out, "search_text"), "{CHR(25)}b{CHR(24)}x");
  EXPECT_EQ(field(out, "contains_a_tag"), "true");
  EXPECT_EQ(field(out, "upper_copy"), "{CHR(25)}B{CHR(24)}X");
  EXPECT_EQ(field(out, "title_copy"), "{CHR(25)}b{CHR(24)}x");
  EXPECT_NE(run_parse({"--tags", "<", "x"}, 2).find("pairs"), std::string::npos);
}

TEST(CorvaneParse, JsonHoldsOneObjectPerAlternativeKeyedByFieldNames) {
  const std::string out = run_parse({"--json", "==Cat==/c*t"});
  EXPECT_EQ(out.front(), '[');
  EXPECT_NE(out.find("{\"typed_in_text\": \"==Cat==\", \"search_text\": \"Cat\", \"flags\": "
                     "[\"myLeftBounded\", \"myCaseIsSensitive\", \"myRightBounded\"]"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\"search_text\": \"c\\u001dt\""), std::string::npos) << out;
  EXPECT_NE(out.find("\"upper_copy\": \"C\\u001dT\""), std::string::npos);
  EXPECT_NE(
      out.find("\"ambiguous\": true, \"contains_a_tag\": false, \"sw_context_needed\": \"\"}"),
      std::string::npos);
  EXPECT_EQ(run_parse({"--json", ""}), "[\n]\n");
}

}  // namespace
}  // namespace corvane::cli
