#include "corvane/platform/LocaleFormats.hpp"

#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/smpdtfmt.h>

#include <array>
#include <memory>

namespace corvane {

namespace {

std::u16string to_u16(const icu::UnicodeString& s) {
  return std::u16string(s.getBuffer(), static_cast<std::size_t>(s.length()));
}

bool is_ascii_letter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool needs_quotes(char16_t c) {
  return is_ascii_letter(c) || c == u'/' || c == u':' || c == u'\'' || c == u'"';
}

// Moves a run of literal text into a runtime format, between double quotes (or single ones
// when it holds a double quote) if the runtime would read any of it as a specifier.
void flush_literal(std::u16string& out, std::u16string& lit) {
  bool quote = false;
  for (char16_t& c : lit) {
    if (c == 0x202F) c = u' ';  // ICU's narrow no-break space before day periods
    quote = quote || needs_quotes(c);
  }
  if (!quote) {
    out += lit;
  } else if (lit.find(u'"') == std::u16string::npos) {
    out += u'"' + lit + u'"';
  } else if (lit.find(u'\'') == std::u16string::npos) {
    out += u'\'' + lit + u'\'';
  } else {
    for (char16_t c : lit) {
      out += c == u'"' ? std::u16string(u"'\"'") : u'"' + std::u16string(1, c) + u'"';
    }
  }
  lit.clear();
}

// Bidirectional and similar format marks, which ICU puts around separators in some locales.
bool is_format_mark(char16_t c) {
  return c == 0x200E || c == 0x200F || c == 0x061C;
}

std::u16string repeat(char16_t c, std::size_t n) {
  return std::u16string(n, c);
}

std::u16string field(char16_t letter, std::size_t count) {
  switch (letter) {
    case u'y':
    case u'Y':
    case u'u':
    case u'U':
    case u'r':
      return u"yyyy";
    case u'M':
    case u'L':
      return repeat(u'm', count > 4 ? 4 : count);
    case u'd':
      return repeat(u'd', count > 2 ? 2 : count);
    case u'E':
    case u'c':
    case u'e':
      return count >= 4 ? u"dddd" : u"ddd";
    case u'h':
    case u'H':
    case u'k':
    case u'K':
      return repeat(u'h', count > 2 ? 2 : count);
    case u'm':
      return repeat(u'n', count > 2 ? 2 : count);
    case u's':
      return repeat(u's', count > 2 ? 2 : count);
    case u'S':
      return count >= 3 ? u"zzz" : u"z";
    case u'a':
    case u'b':
    case u'B':
      return u"AMPM";
    default:
      return {};  // eras, zones, week numbers and the like have no runtime letter
  }
}

std::u16string date_pattern(icu::DateFormat::EStyle style, const icu::Locale& loc, bool time) {
  std::unique_ptr<icu::DateFormat> df(time ? icu::DateFormat::createTimeInstance(style, loc)
                                           : icu::DateFormat::createDateInstance(style, loc));
  auto* sdf = dynamic_cast<icu::SimpleDateFormat*>(df.get());
  if (!sdf) return {};
  icu::UnicodeString p;
  sdf->toPattern(p);
  return to_u16(p);
}

template <std::size_t N>
void copy_names(std::array<std::u16string, N>& target, const icu::UnicodeString* names,
                int32_t count, int32_t first) {
  if (!names) return;
  for (std::size_t i = 0; i < N; ++i) {
    const auto k = static_cast<int32_t>(i) + first;
    if (k < count && names[k].length() > 0) target[i] = to_u16(names[k]);
  }
}

bool is_space(char16_t c) {
  return c == u' ' || c == 0x00A0 || c == 0x202F;
}

// CurrencyFormat 0..3 from the positive part of an ICU currency pattern, and the matching
// NegCurrFormat (from the negative part when the pattern has one).
void currency_layout(std::u16string_view pattern, TFormatSettings& fs) {
  const std::size_t semi = pattern.find(u';');
  const std::u16string_view pos = pattern.substr(0, semi);
  const std::size_t sym = pos.find(u'\u00a4');
  const std::size_t num = pos.find_first_of(u"#0");
  if (sym == std::u16string_view::npos || num == std::u16string_view::npos) return;
  if (sym < num) {
    fs.CurrencyFormat = (sym + 1 < pos.size() && is_space(pos[sym + 1])) ? 2 : 0;
  } else {
    fs.CurrencyFormat = (sym > 0 && is_space(pos[sym - 1])) ? 3 : 1;
  }
  static constexpr std::uint8_t kNegFor[4] = {1, 5, 9, 8};
  fs.NegCurrFormat = kNegFor[fs.CurrencyFormat];
  if (semi != std::u16string_view::npos) {
    // "¤ -#,##0.00" and "¤-#,##0.00": the sign between symbol and number
    const std::u16string_view neg = pattern.substr(semi + 1);
    const std::size_t s = neg.find(u'\u00a4'), minus = neg.find(u'-'), n = neg.find_first_of(u"#0");
    if (s != std::u16string_view::npos && minus != std::u16string_view::npos &&
        n != std::u16string_view::npos && s < minus && minus < n) {
      fs.NegCurrFormat = fs.CurrencyFormat == 2 ? 12 : 2;
    }
  }
}

// True when a day period ("a", "b", "B") comes before the first hour field, outside quotes.
bool period_before_hour(std::u16string_view p) {
  bool quoted = false;
  for (char16_t c : p) {
    if (c == u'\'') {
      quoted = !quoted;
    } else if (!quoted) {
      if (c == u'a' || c == u'b' || c == u'B') return true;
      if (c == u'h' || c == u'H' || c == u'k' || c == u'K') return false;
    }
  }
  return false;
}

}  // namespace

namespace detail {

std::u16string icu_pattern_to_format(std::u16string_view p, char16_t date_separator,
                                     char16_t time_separator) {
  // The runtime's hour is on the 12-hour clock only when a day period follows it; a
  // pattern with the period first ("a h:mm") is shown on the 24-hour clock instead.
  const bool period_first = period_before_hour(p);
  std::u16string out, lit;
  std::size_t i = 0;
  while (i < p.size()) {
    const char16_t c = p[i];
    if (c == u'\'') {
      if (i + 1 < p.size() && p[i + 1] == u'\'') {  // '' is a quote
        lit.push_back(u'\'');
        i += 2;
        continue;
      }
      ++i;
      while (i < p.size()) {
        if (p[i] == u'\'') {
          if (i + 1 < p.size() && p[i + 1] == u'\'') {
            lit.push_back(u'\'');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        lit.push_back(p[i++]);
      }
      continue;
    }
    if (is_ascii_letter(c)) {
      std::size_t n = 1;
      while (i + n < p.size() && p[i + n] == c) ++n;
      flush_literal(out, lit);
      if (!(period_first && (c == u'a' || c == u'b' || c == u'B'))) out += field(c, n);
      i += n;
      continue;
    }
    if (date_separator != 0 && c == date_separator) {
      flush_literal(out, lit);
      out.push_back(u'/');
    } else if (time_separator != 0 && c == time_separator) {
      flush_literal(out, lit);
      out.push_back(u':');
    } else {
      lit.push_back(c);
    }
    ++i;
  }
  flush_literal(out, lit);
  // Dropped fields can leave blanks at the ends.
  while (!out.empty() && out.back() == u' ') out.pop_back();
  std::size_t lead = 0;
  while (lead < out.size() && out[lead] == u' ') ++lead;
  return out.substr(lead);
}

char16_t pattern_separator(std::u16string_view p, char16_t fallback) {
  std::size_t i = 0;
  while (i < p.size() && !is_ascii_letter(p[i])) ++i;
  while (i < p.size() && is_ascii_letter(p[i])) ++i;
  while (i < p.size() && is_format_mark(p[i])) ++i;
  if (i < p.size() && p[i] != u'\'' && !is_space(p[i])) return p[i];
  return fallback;
}

}  // namespace detail

TFormatSettings format_settings_for_locale(const char* icu_locale) {
  TFormatSettings fs;
  const icu::Locale loc(icu_locale);
  UErrorCode status = U_ZERO_ERROR;

  const icu::DecimalFormatSymbols symbols(loc, status);
  if (U_SUCCESS(status)) {
    const auto first = [&](icu::DecimalFormatSymbols::ENumberFormatSymbol which, char16_t& to) {
      const icu::UnicodeString s = symbols.getSymbol(which);
      if (s.length() > 0) to = s.charAt(0);
    };
    first(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol, fs.DecimalSeparator);
    first(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol, fs.ThousandSeparator);
    const icu::UnicodeString cur = symbols.getSymbol(icu::DecimalFormatSymbols::kCurrencySymbol);
    if (cur.length() > 0) fs.CurrencyString = to_u16(cur);
  }
  fs.ListSeparator = fs.DecimalSeparator == u',' ? u';' : u',';

  status = U_ZERO_ERROR;
  std::unique_ptr<icu::NumberFormat> money(icu::NumberFormat::createCurrencyInstance(loc, status));
  if (U_SUCCESS(status) && money) {
    fs.CurrencyDecimals = static_cast<std::uint8_t>(money->getMaximumFractionDigits());
    if (auto* df = dynamic_cast<icu::DecimalFormat*>(money.get())) {
      icu::UnicodeString p;
      df->toPattern(p);
      currency_layout(to_u16(p), fs);
    }
  }

  const std::u16string short_date = date_pattern(icu::DateFormat::kShort, loc, false);
  const std::u16string long_date = date_pattern(icu::DateFormat::kFull, loc, false);
  const std::u16string short_time = date_pattern(icu::DateFormat::kShort, loc, true);
  const std::u16string long_time = date_pattern(icu::DateFormat::kMedium, loc, true);
  if (!short_date.empty()) {
    fs.DateSeparator = detail::pattern_separator(short_date, u'/');
    fs.ShortDateFormat = detail::icu_pattern_to_format(short_date, fs.DateSeparator, 0);
  }
  if (!long_date.empty()) fs.LongDateFormat = detail::icu_pattern_to_format(long_date, 0, 0);
  if (!long_time.empty()) {
    fs.TimeSeparator = detail::pattern_separator(long_time, u':');
    fs.LongTimeFormat = detail::icu_pattern_to_format(long_time, 0, fs.TimeSeparator);
  }
  if (!short_time.empty()) {
    fs.ShortTimeFormat = detail::icu_pattern_to_format(short_time, 0, fs.TimeSeparator);
  }

  status = U_ZERO_ERROR;
  const icu::DateFormatSymbols names(loc, status);
  if (U_SUCCESS(status)) {
    using S = icu::DateFormatSymbols;
    int32_t n = 0;
    const icu::UnicodeString* v = names.getMonths(n, S::STANDALONE, S::WIDE);
    copy_names(fs.LongMonthNames, v, n, 0);
    v = names.getMonths(n, S::STANDALONE, S::ABBREVIATED);
    copy_names(fs.ShortMonthNames, v, n, 0);
    // Weekdays are indexed from 1 (Sunday).
    v = names.getWeekdays(n, S::STANDALONE, S::WIDE);
    copy_names(fs.LongDayNames, v, n, 1);
    v = names.getWeekdays(n, S::STANDALONE, S::ABBREVIATED);
    copy_names(fs.ShortDayNames, v, n, 1);
    v = names.getAmPmStrings(n);
    if (v && n >= 2) {
      fs.TimeAMString = to_u16(v[0]);
      fs.TimePMString = to_u16(v[1]);
    }
  }
  return fs;
}

TFormatSettings user_default_format_settings() {
  return format_settings_for_locale(icu::Locale::getDefault().getName());
}

}  // namespace corvane
