// Tags and mark-up: stripping tags, keeping only them, reading the value between an
// opening and a closing tag, finding tags opened and never closed, and paragraph-level
// closing tags turned into line breaks. A tag runs from its opening character to the next
// closing character; nothing nests. Each routine is one forward pass: the next closing
// character is found once per stretch, not once per opening character, so a text full of
// "<" without ">" costs no more than any other.
#include <unicode/uchar.h>

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

bool starts_with(std::u16string_view s, std::u16string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool is_lower_letter(char16_t c) {
  return u_charType(c) == U_LOWERCASE_LETTER;
}

// The next `close` at or after `from` (0-based), remembered between calls whose `from`
// only grows: as long as `from` has not passed the last answer, that answer still holds.
class next_close {
 public:
  next_close(std::u16string_view text, char16_t close) : text_(text), close_(close) {}
  std::size_t at_or_after(std::size_t from) {
    if (!known_ || (found_ != npos && found_ < from)) {
      found_ = text_.find(close_, from);
      known_ = true;
    }
    return found_;
  }

 private:
  std::u16string_view text_;
  char16_t close_;
  std::size_t found_ = npos;
  bool known_ = false;
};

// Polynomial hashes modulo 2^61 - 1: of a stretch, h(c0 .. cm-1) = sum (ck + 1) B^(m-1-k).
constexpr std::uint64_t kMod = (std::uint64_t{1} << 61) - 1;
constexpr std::uint64_t kBase = 1000003;

std::uint64_t mod_mul(std::uint64_t a, std::uint64_t b) {
  const unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
  const std::uint64_t r =
      static_cast<std::uint64_t>(p & kMod) + static_cast<std::uint64_t>(p >> 61);
  return r >= kMod ? r - kMod : r;
}

std::uint64_t mod_add(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t r = a + b;
  return r >= kMod ? r - kMod : r;
}

// A tag of the text ("<" to the next ">"), with what the unclosed-tag search asks of it.
struct tag_info {
  std::size_t s = 0, e = 0;    // positions of its "<" and ">", 0-based
  std::uint64_t hash = 0;      // of the tag
  std::uint64_t off_hash = 0;  // of its closing form, "</" + text[s+1 .. e]
  bool lower_inside = false;   // a lower-case letter between the brackets
  bool percent = false;        // a "%" in it
};

// Every tag of the text in order. The tags that end at one ">" are suffixes of the longest
// of them, so each group is hashed and counted in one walk back from its ">": the work is
// linear in the text however many "<" share a ">".
std::vector<tag_info> tags_of(std::u16string_view text) {
  std::vector<tag_info> tags;
  const std::uint64_t head = mod_add(mod_mul(u'<' + 1u, kBase), u'/' + 1u);
  std::size_t from = 0;
  for (;;) {
    const std::size_t s_min = text.find(u'<', from);
    if (s_min == npos) break;
    const std::size_t e = text.find(u'>', s_min);
    if (e == npos) break;
    const std::size_t group = tags.size();
    std::uint64_t h = 0, power = 1;      // of text[j+1 .. e]
    std::size_t lower = 0, percent = 0;  // in text[j+1 .. e]
    for (std::size_t j = e + 1; j-- > s_min;) {
      const char16_t c = text[j];
      if (c == u'<') {
        tag_info t;
        t.s = j;
        t.e = e;
        t.hash = mod_add(mod_mul(c + 1u, power), h);
        t.off_hash = mod_add(mod_mul(head, power), h);
        t.lower_inside = lower != 0;
        t.percent = percent != 0;
        tags.push_back(t);
      }
      h = mod_add(mod_mul(c + 1u, power), h);
      power = mod_mul(power, kBase);
      if (is_lower_letter(c)) ++lower;
      if (c == u'%') ++percent;
    }
    std::reverse(tags.begin() + static_cast<std::ptrdiff_t>(group), tags.end());
    from = e + 1;
  }
  return tags;
}

std::u16string with_markers(std::u16string_view s, char16_t before, char16_t after) {
  std::u16string r;
  r.reserve(s.size() + 2);
  if (s.empty() || s.front() != before) r += before;
  r += s;
  if (s.empty() || s.back() != after) r += after;
  return r;
}

}  // namespace

bool IsAnOffTag(std::u16string_view tag) {
  return starts_with(tag, u"</");
}

std::u16string SameTagButSwitchedOff(std::u16string_view tag) {
  if (tag.empty()) return {};
  std::u16string r;
  r.reserve(tag.size() + 1);
  if (tag.front() == u'<') {
    r += u"</";
    r += tag.substr(1);
  } else {
    r += u'/';
    r += tag;
  }
  return r;
}

std::u16string TagOnNumbered(std::u16string_view tag, std::int32_t n) {
  if (tag.empty() || tag.back() != u'>') return std::u16string(tag);
  std::u16string r(tag.substr(0, tag.size() - 1));
  r += u" \"";
  for (char c : std::to_string(n)) r += static_cast<char16_t>(c);
  r += u"\">";
  return r;
}

std::u16string Angle_Bracketed(std::u16string_view s) {
  return with_markers(s, u'<', u'>');
}

std::u16string Bracketed(std::u16string_view s) {
  return with_markers(s, u'(', u')');
}

std::u16string UNAngle_Bracketed(std::u16string_view s) {
  if (!s.empty() && s.front() == u'<') s.remove_prefix(1);
  if (!s.empty() && s.back() == u'>') s.remove_suffix(1);
  return std::u16string(s);
}

bool IsAngleBracketed(std::u16string_view s) {
  return s.size() >= 2 && s.front() == u'<' && s.back() == u'>';
}

bool IsAllUppercase(std::u16string_view s) {
  for (char16_t c : s)
    if (is_lower_letter(c)) return false;
  return true;
}

bool ContainsAPercent(std::u16string_view s) {
  return s.find(u'%') != npos;
}

std::u16string PrecedingContext(std::u16string_view text, std::int32_t n, std::int32_t p) {
  if (n <= 0) return {};
  const std::int64_t start = std::max<std::int64_t>(1, std::int64_t{p} - n);
  return Copy(text, start, std::int64_t{p} - start);
}

std::u16string SimpleTagValue(std::u16string_view name, std::u16string_view text, bool& found) {
  found = false;
  std::u16string open = u"<", close = u"</";
  open += name;
  open += u'>';
  close += name;
  close += u'>';
  const std::size_t p1 = text.find(open);
  if (p1 == npos) return {};
  const std::size_t p2 = text.find(close);
  const std::size_t value_start = p1 + open.size();
  if (p2 == npos || p2 < value_start) return {};
  found = true;
  return std::u16string(text.substr(value_start, p2 - value_start));
}

std::u16string TrimmedSimpleTagValue(std::u16string_view name, std::u16string_view text,
                                     bool& found) {
  return Trim(SimpleTagValue(name, text, found));
}

std::u16string ExtractMarkupDataFromText(std::u16string_view text, std::u16string_view start_mark,
                                         std::u16string_view end_mark) {
  if (start_mark.empty() || end_mark.empty()) return {};
  const std::size_t p1 = text.find(start_mark);
  if (p1 == npos) return {};
  const std::size_t p2 = text.find(end_mark, p1);
  const std::size_t value_start = p1 + start_mark.size();
  // An end mark that overlaps the start mark leaves nothing between them.
  if (p2 == npos || p2 <= value_start) return {};
  return std::u16string(text.substr(value_start, p2 - value_start));
}

std::u16string MarkupWithoutText(std::u16string_view text, char16_t open, char16_t close) {
  std::u16string r;
  next_close closes(text, close);
  for (std::size_t s = text.find(open); s != npos; s = text.find(open, s + 1)) {
    const std::size_t e = closes.at_or_after(s);
    if (e == npos) break;  // no opening character after this one has a closing one either
    r.append(text.substr(s, e - s + 1));
  }
  return r;
}

std::u16string MarkupWithoutText(std::u16string_view text) {
  return MarkupWithoutText(text, u'<', u'>');
}

std::u16string WithoutMarkup(std::u16string_view text, char16_t open, char16_t close,
                             std::int32_t longest) {
  if (longest <= 0) return std::u16string(text);
  std::u16string r;
  r.reserve(text.size());
  next_close closes(text, close);
  bool inside = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == open) {
      std::size_t e = closes.at_or_after(i);
      if (e == npos) e = text.size();  // one past the end
      if (e - i <= static_cast<std::size_t>(longest))
        inside = true;
      else if (!inside)
        r += c;  // too long for a tag: ordinary text
    } else if (!inside) {
      r += c;
    }
    if (c == close) inside = false;  // the closing character goes with its tag
  }
  return r;
}

std::u16string WithoutMarkup(std::u16string_view text, std::int32_t longest) {
  return WithoutMarkup(text, u'<', u'>', longest);
}

std::u16string ParaDivHeadingEndToCRLF(std::u16string_view text) {
  static constexpr std::u16string_view kEnds[] = {u"</p>", u"</div>", u"</head>"};
  std::u16string s(text);
  for (std::u16string_view end : kEnds) {
    if (s.find(u"</") == npos) break;
    std::u16string r;
    r.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
      if (s[i] == u'<' && i + end.size() <= s.size() &&
          SameText(std::u16string_view(s).substr(i, end.size()), end)) {
        r += u"\r\n";
        i += end.size();
      } else {
        r += s[i++];
      }
    }
    s = std::move(r);
  }
  return s;
}

std::u16string OpenWithoutCloseTagInText(std::u16string_view, std::u16string_view,
                                         std::u16string_view text, bool skip_percent,
                                         bool upper_only, std::int32_t context_length,
                                         const T2StringsAndIntegerBoolFunct& accept) {
  const std::vector<tag_info> tags = tags_of(text);
  if (tags.empty()) return {};
  // Every closing tag, by hash and length: a closing form occurs in the text exactly when
  // it is one of them, since it holds no ">" before its last character and so runs from
  // its "<" to the next ">".
  struct key_hash {
    std::size_t operator()(const std::pair<std::uint64_t, std::size_t>& k) const {
      return static_cast<std::size_t>(k.first ^ (k.second * 0x9E3779B97F4A7C15ull));
    }
  };
  std::unordered_map<std::pair<std::uint64_t, std::size_t>, std::size_t, key_hash> closing;
  for (const tag_info& t : tags)
    if (text[t.s + 1] == u'/') closing.try_emplace({t.hash, t.e - t.s + 1}, t.s);

  for (const tag_info& t : tags) {
    if (text[t.s + 1] == u'/') continue;  // a closing tag
    if (upper_only && t.lower_inside) continue;
    if (skip_percent && t.percent) continue;
    const std::u16string_view tag = text.substr(t.s, t.e - t.s + 1);
    const auto hit = closing.find({t.off_hash, tag.size() + 1});
    if (hit != closing.end()) {
      const std::u16string off = SameTagButSwitchedOff(tag);
      // Equal hashes of unequal stretches are all but impossible; a full search settles it.
      if (text.substr(hit->second, off.size()) == off || text.find(off) != npos) continue;
    }
    if (!accept) return std::u16string(tag);
    T2StringsAndIntegerRec rec;
    rec.int_ = static_cast<std::int32_t>(t.s + 1);
    rec.s1 = std::u16string(tag);
    rec.s2 = PrecedingContext(text, context_length, rec.int_);
    if (accept(rec)) return rec.s1;
  }
  return {};
}

}  // namespace corvane
