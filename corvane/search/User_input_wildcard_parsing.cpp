#include "corvane/search/User_input_wildcard_parsing.hpp"

#include "corvane/frame/Mykpsmall.hpp"

namespace corvane {

namespace {
// A quoted special as the plain character(s) it stands for.
std::u16string bare_special(std::u16string_view quoted) {
  std::u16string r;
  for (char16_t c : quoted)
    if (c != u'"') r += c;
  const std::size_t first = r.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  const std::size_t last = r.find_last_not_of(u' ');
  return r.substr(first, last - first + 1);
}

void replace_all(std::u16string& s, std::u16string_view what, std::u16string_view with) {
  if (what.empty()) return;
  std::size_t at = 0;
  while ((at = s.find(what, at)) != std::u16string::npos) {
    MyYieldProcess();
    s.replace(at, what.size(), with);
    at += with.size();
  }
}
}  // namespace

bool Parse_Translate(std::u16string& s, std::u16string_view what, char16_t code) {
  if (what.empty() || what.front() == code) return false;
  bool replaced = false;
  std::size_t from = 0;
  // No occurrence starts before the one just replaced, and a new one can only have been
  // made by the replaced character, so the search goes on from the earliest start that
  // covers it.
  for (std::size_t at; (at = s.find(what, from)) != std::u16string::npos;) {
    s[at] = code;
    replaced = true;
    from = at >= what.size() - 1 ? at - (what.size() - 1) : 0;
  }
  return replaced;
}

void Parse_RetainOne(std::u16string& s, char16_t code, std::u16string_view quoted) {
  replace_all(s, quoted, std::u16string_view(&code, 1));
}

void Parse_Retain(std::u16string& s, std::uint32_t base) {
  for (std::size_t i = 0; i < quoted_specials.size(); ++i)
    Parse_RetainOne(s, static_cast<char16_t>(base + i), quoted_specials[i]);
}

void Parse_RestoreOne(std::u16string& s, char16_t code, std::u16string_view quoted) {
  replace_all(s, std::u16string_view(&code, 1), bare_special(quoted));
}

void Parse_Restore(std::u16string& s, std::uint32_t base) {
  for (std::size_t i = 0; i < quoted_specials.size(); ++i)
    Parse_RestoreOne(s, static_cast<char16_t>(base + i), quoted_specials[i]);
}

bool DoMainParse_Translates(std::u16string& s) {
  Parse_Translate(s, u"^", kAnyLetterCode);
  Parse_Translate(s, u"#", kNumberCode);
  Parse_Translate(s, u"*", kAnyRunInWordCode);
  Parse_Translate(s, u"?", kAnyCharacterCode);
  return Parse_Translate(s, any_string_symbol_str, kAnyStringCode);
}

bool ContainsPairedTagMarkup(const TIgnore_tag_type& tags, std::u16string& s) {
  bool result = false;
  for (int i = 0; i < 6; ++i) {
    const char16_t open = tags[i], close = tags[i + 6];
    if (open != 0 && Parse_Translate(s, std::u16string_view(&open, 1), kTagOpenCode)) result = true;
    if (result && close != 0 && !Parse_Translate(s, std::u16string_view(&close, 1), kTagCloseCode))
      result = false;
  }
  return result;
}

std::u16string TagWildcardConverted(const std::u16string& s) {
  std::u16string r = s;
  for (const TTagWildcardConverter& conv : tag_wildcards_converters) {
    const char16_t quoted[3] = {u'"', conv.original_char, u'"'};
    const std::size_t at = r.find(std::u16string_view(quoted, 3));
    if (at != std::u16string::npos) {
      r.replace(at, 3, 1, conv.original_char);
    } else if (const std::size_t bare = r.find(conv.original_char); bare != std::u16string::npos) {
      r[bare] = conv.replacement_char;
    }
  }
  return r;
}

TIgnore_tag_type tags_from_pairs(std::u16string_view pairs) {
  TIgnore_tag_type tags{};
  for (std::size_t i = 0; i < 6 && 2 * i + 1 < pairs.size(); ++i) {
    tags[i] = pairs[2 * i];
    tags[i + 6] = pairs[2 * i + 1];
  }
  return tags;
}

}  // namespace corvane
