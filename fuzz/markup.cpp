// Fuzzes the tag routines on random text: stripping, keeping only the tags, tag values,
// the unclosed-tag search (checked against the plain search on short texts) and the small
// tag forms. Input: byte 0 picks the alphabet (raw UTF-16, or bytes mapped onto tag
// characters so that tags are dense), bytes 1-2 the longest tag, byte 3 the context
// length, byte 4 the filters; the rest is the text.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"

namespace {

constexpr std::u16string_view kTagAlphabet = u"<<>>//%aAbB pP\r\n\u00DF\u4E2D";

void check(bool ok) {
  if (!ok) __builtin_trap();
}

std::vector<std::u16string> plain_unclosed(const std::u16string& text, bool skip_percent,
                                           bool upper_only) {
  std::vector<std::u16string> out;
  for (std::size_t s = text.find(u'<'); s != std::u16string::npos; s = text.find(u'<', s + 1)) {
    const std::size_t e = text.find(u'>', s);
    if (e == std::u16string::npos) continue;
    const std::u16string tag = text.substr(s, e - s + 1);
    if (corvane::IsAnOffTag(tag)) continue;
    if (upper_only && !corvane::IsAllUppercase(corvane::UNAngle_Bracketed(tag))) continue;
    if (skip_percent && corvane::ContainsAPercent(tag)) continue;
    if (text.find(corvane::SameTagButSwitchedOff(tag)) == std::u16string::npos) out.push_back(tag);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  if (size < 5) return 0;
  const bool dense = data[0] & 1;
  const std::int32_t longest = static_cast<std::int16_t>(data[1] | (data[2] << 8));
  const std::int32_t context = static_cast<std::int8_t>(data[3]);
  const bool skip_percent = data[4] & 1, upper_only = data[4] & 2;
  data += 5;
  size -= 5;
  std::u16string text;
  if (dense) {
    for (std::size_t i = 0; i < size; ++i) text += kTagAlphabet[data[i] % kTagAlphabet.size()];
  } else {
    text.resize(size / 2);
    std::memcpy(text.data(), data, text.size() * 2);
  }

  const std::u16string stripped = WithoutMarkup(text, longest);
  check(stripped.size() <= text.size());
  check(longest > 0 || stripped == text);
  WithoutMarkup(text, u'[', u']', longest);
  WithoutMarkup(text, u'<', u'<', longest);
  MarkupWithoutText(text);
  ParaDivHeadingEndToCRLF(text);
  bool found = false;
  const std::u16string name = text.substr(0, std::min<std::size_t>(text.size(), 3));
  SimpleTagValue(name, text, found);
  TrimmedSimpleTagValue(u"p", text, found);
  ExtractMarkupDataFromText(text, u"<p>", u"</p>");
  ExtractMarkupDataFromText(text, name, u">");
  PrecedingContext(text, context, longest);
  SameTagButSwitchedOff(name);
  TagOnNumbered(name, longest);
  Angle_Bracketed(name);
  Bracketed(name);
  UNAngle_Bracketed(name);
  IsAngleBracketed(name);
  IsAllUppercase(text);
  ContainsAPercent(text);

  std::vector<std::u16string> offered;
  const std::u16string first = OpenWithoutCloseTagInText(
      u"", u"", text, skip_percent, upper_only, context, [&](T2StringsAndIntegerRec r) {
        check(r.int_ >= 1 && static_cast<std::size_t>(r.int_) <= text.size());
        check(text.compare(r.int_ - 1, r.s1.size(), r.s1) == 0);
        check(r.s2 == PrecedingContext(text, context, r.int_));
        offered.push_back(r.s1);
        return false;
      });
  check(first.empty());
  const std::u16string unaccepted =
      OpenWithoutCloseTagInText(u"", u"", text, skip_percent, upper_only, context, nullptr);
  check(unaccepted == (offered.empty() ? std::u16string() : offered.front()));
  if (text.size() <= 300) check(offered == plain_unclosed(text, skip_percent, upper_only));
  return 0;
}
