// The current records as named fields, for printing as text lines or JSON.
#include <charconv>
#include <cstdio>
#include <string>

#include "corvane/definitions/Wdef_records.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

using Kind = TRecordField::Kind;

template <class T>
std::string number_text(T v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

TRecordField scalar(std::string name, Kind kind, std::string text) {
  TRecordField f;
  f.name = std::move(name);
  f.kind = kind;
  f.text = std::move(text);
  return f;
}

TRecordField boolean(std::string name, bool v) {
  return scalar(std::move(name), TRecordField::rf_bool, v ? "true" : "false");
}

template <class T>
TRecordField number(std::string name, T v) {
  return scalar(std::move(name), TRecordField::rf_number, number_text(v));
}

TRecordField enumeration(std::string name, unsigned value,
                         std::initializer_list<const char*> names) {
  std::string text = value < names.size() ? std::string(names.begin()[value]) : number_text(value);
  return scalar(std::move(name), TRecordField::rf_enum, std::move(text));
}

template <std::size_t N>
TRecordField text(std::string name, const std::array<char16_t, N>& chars) {
  return scalar(std::move(name), TRecordField::rf_text,
                utf16_to_utf8(WideCharFieldToString(chars)));
}

TRecordField utext(std::string name, const std::u16string& s) {
  return scalar(std::move(name), TRecordField::rf_text, utf16_to_utf8(s));
}

template <std::size_t N>
TRecordField bytes(std::string name, const std::array<std::uint8_t, N>& b) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(2 * N);
  for (std::uint8_t c : b) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return scalar(std::move(name), TRecordField::rf_bytes, std::move(out));
}

TRecordField record(std::string name, TRecordFields children) {
  TRecordField f;
  f.name = std::move(name);
  f.kind = TRecordField::rf_record;
  f.children = std::move(children);
  return f;
}

template <class T, std::size_t N, class Fn>
TRecordField array(std::string name, const std::array<T, N>& a, Fn element) {
  TRecordField f;
  f.name = std::move(name);
  f.kind = TRecordField::rf_array;
  for (const T& v : a) f.children.push_back(element(v));
  return f;
}

TRecordField set(std::string name, unsigned bits, std::initializer_list<const char*> names) {
  TRecordField f;
  f.name = std::move(name);
  f.kind = TRecordField::rf_set;
  unsigned i = 0;
  for (const char* n : names) {
    if ((bits >> i) & 1u) f.members.push_back(n);
    ++i;
  }
  for (; i < 32; ++i)
    if ((bits >> i) & 1u) f.members.push_back(number_text(i));
  return f;
}

TRecordField typefaces(std::string name, Ttypeface_Set s) {
  return set(std::move(name), s.bits, {"tf_bold", "tf_italics", "tf_underline", "tf_strikeout"});
}

TRecordField colour_rec(std::string name, const TMyCanvasColourRec& c) {
  TRecordField f;
  f.name = "colours";
  f.kind = TRecordField::rf_array;
  for (TColor v : c.colours) f.children.push_back(number("", v));
  return record(std::move(name), {std::move(f)});
}

TRecordField tag_treatment(std::string name, TTabulonTagTreatment t) {
  return enumeration(
      std::move(name), t,
      {"wltt_none", "wltt_tags_as_prefix", "wltt_tags_as_suffix", "wltt_list_tags_only"});
}

std::string span_name(TConcordance_span_type s) {
  const int v = static_cast<int>(s);
  if (v < 0 || v >= kConcordanceSpanCount) return number_text(v);
  const int centre = static_cast<int>(span_Centre);
  if (v == centre) return "span_Centre";
  char buf[16];
  if (v < centre)
    std::snprintf(buf, sizeof buf, "span_L%02d", centre - v);
  else
    std::snprintf(buf, sizeof buf, "span_R%02d", v - centre);
  return buf;
}

TRecordFields language_fields(const fixed_lang_details_rec32& r) {
  TRecordFields f;
  f.push_back(boolean("allow_middles_at_right", r.allow_middles_at_right));
  f.push_back(boolean("allow_middles_at_left", r.allow_middles_at_left));
  f.push_back(boolean("is_32_version", r.is_32_version));
  f.push_back(number("lcid", r.lcid));
  f.push_back(record("old_win_font", {number("charset_old", r.old_win_font.charset_old),
                                      number("fontsize_old", r.old_win_font.fontsize_old),
                                      bytes("fontname_old", r.old_win_font.fontname_old)}));
  f.push_back(
      enumeration("preference", r.preference,
                  {"lang_nao_instalada", "lang_instalada", "lang_rank_2", "lang_a_preferida"}));
  f.push_back(boolean("custom_language", r.custom_language));
  f.push_back(boolean("hyphen_breaks_word", r.hyphen_breaks_word));
  f.push_back(number("win_codepage", r.win_codepage));
  f.push_back(number("dos_codepage", r.dos_codepage));
  f.push_back(text("allowable_middle_letters", r.allowable_middle_letters));
  f.push_back(bytes("spare_ANSI_lowers", r.spare_ANSI_lowers));
  f.push_back(bytes("spare_ANSI_uppers", r.spare_ANSI_uppers));
  f.push_back(record("new_win_font", {number("charset", r.new_win_font.charset),
                                      number("fontsize", r.new_win_font.fontsize),
                                      text("fontname", r.new_win_font.fontname)}));
  f.push_back(number("custom_sort_string_number", r.custom_sort_string_number));
  f.push_back(bytes("spare_Bools", r.spare_Bools));
  f.push_back(colour_rec("cores", r.cores));
  f.push_back(number("language_number", r.language_number));
  f.push_back(number("spare_hits", r.spare_hits));
  f.push_back(array("spare_ints", r.spare_ints, [](std::int32_t v) { return number("", v); }));
  f.push_back(bytes("spare", r.spare));
  f.push_back(text("nome", r.nome));
  return f;
}

}  // namespace

TRecordFields RecordFields(const fixed_lang_details_rec32& rec) {
  return language_fields(rec);
}

TRecordFields RecordFields(const textsett_rec32& r) {
  TRecordFields f;
  f.push_back(record("language_info", language_fields(r.language_info)));
  f.push_back(tag_treatment("tag_treatment_computing", r.tag_treatment_computing));
  f.push_back(boolean("must_use_Unicode", r.must_use_Unicode));
  f.push_back(boolean("RequirePrecomposedCharacters", r.RequirePrecomposedCharacters));
  f.push_back(boolean("handle_International_System_of_Units_numbers",
                      r.handle_International_System_of_Units_numbers));
  f.push_back(number("spare5", r.spare5));
  f.push_back(boolean("using_SGML", r.using_SGML));
  f.push_back(boolean("clear_default_markup", r.clear_default_markup));
  f.push_back(boolean("numbers_included", r.numbers_included));
  f.push_back(text("ignore_tags", r.ignore_tags));
  f.push_back(array("standard_markers", r.standard_markers, [](const text_segment_rec& m) {
    return record(
        "", {text("marker", m.marker), boolean("spare", m.spare),
             boolean("auto_process", m.auto_process), boolean("has_wildcards", m.has_wildcards)});
  }));
  f.push_back(number("max_texts", r.max_texts));
  f.push_back(tag_treatment("tag_treatment_displaying", r.tag_treatment_displaying));
  f.push_back(bytes("spare", r.spare));
  return f;
}

TRecordFields RecordFields(const TChosenFile_BaseRec& r) {
  TRecordFields f;
  f.push_back(number("FolderData", r.FolderData));
  f.push_back(number("Zip_Num", r.Zip_Num));
  f.push_back(number("Date", r.Date));
  f.push_back(number("Size", r.Size));
  f.push_back(number("Words", r.Words));
  f.push_back(boolean("encrypted", r.encrypted));
  f.push_back(bytes("spare_a", r.spare_a));
  f.push_back(number("Wanted", r.Wanted));
  f.push_back(
      set("KindOfFile", r.KindOfFile.bits,
          {"_8_bit", "_UTF8", "_16_bit", "_early_Word", "_Storage", "_Zip", "_16_bit_reversed"}));
  f.push_back(number("version", r.version));
  f.push_back(number("TextualDateAndTime", r.TextualDateAndTime));
  f.push_back(number("hits", r.hits));
  f.push_back(bytes("spare_b", r.spare_b));
  TRecordField jumps;
  jumps.name = "jump_to";
  jumps.kind = TRecordField::rf_array;
  for (std::int32_t j : r.jump_to) jumps.children.push_back(number("", j));
  f.push_back(std::move(jumps));
  f.push_back(utext("ShortFileName", r.ShortFileName));
  return f;
}

TRecordFields RecordFields(const TFileInfoExtraStatsRec& r) {
  return {number("total_bytes", r.total_bytes), number("zips_added", r.zips_added),
          number("version", r.version), bytes("spare", r.spare)};
}

TRecordFields RecordFields(const TGrid_head32& r) {
  TRecordFields f;
  f.push_back(enumeration("alignment", r.alignment,
                          {"centre_aligned", "default_aligned", "right_aligned", "decimal_aligned",
                           "plotting_aligned", "spare_aligned", "conc_aligned", "spare2_aligned"}));
  f.push_back(typefaces("typefaces", r.typefaces));
  f.push_back(enumeration("editable", r.editable, {"nao_pode", "maiusc", "minusc", "tanto_faz"}));
  f.push_back(number("minimum", r.minimum));
  f.push_back(number("decimals", r.decimals));
  f.push_back(number("vestigial_TextColour", r.vestigial_TextColour));
  f.push_back(number("user_specified_background", r.user_specified_background));
  f.push_back(boolean("allow_case_change", r.allow_case_change));
  f.push_back(boolean("extra_computed", r.extra_computed));
  f.push_back(boolean("numerical", r.numerical));
  f.push_back(boolean("heading_visible", r.heading_visible));
  f.push_back(number("original_column", r.original_column));
  f.push_back(number("pixel_width96", r.pixel_width96));
  f.push_back(number("output_case", r.output_case));
  f.push_back(number("SpareB4", r.SpareB4));
  f.push_back(boolean("may_have_old_data_unsafe", r.may_have_old_data_unsafe));
  f.push_back(number("previous_decimals", r.previous_decimals));
  f.push_back(boolean("wordwrap", r.wordwrap));
  f.push_back(boolean("has_custom_heading", r.has_custom_heading));
  f.push_back(boolean("percent_data", r.percent_data));
  f.push_back(number("version", r.version));
  f.push_back(number("HelpContext", r.HelpContext));
  f.push_back(number("localization_number", r.localization_number));
  f.push_back(array("column_data", r.column_data, [](float v) { return number("", v); }));
  f.push_back(number("timeline_basis", r.timeline_basis));
  f.push_back(boolean("timelinerounded", r.timelinerounded));
  f.push_back(enumeration("SortStateAscending", r.SortStateAscending,
                          {"quem_sabe", "falso", "verdadeiro"}));
  f.push_back(boolean("has_custom_colours", r.has_custom_colours));
  f.push_back(scalar("span", TRecordField::rf_enum, span_name(r.span)));
  f.push_back(number("extra_column_type", r.extra_column_type));
  f.push_back(number("show_as_percent_colour", r.show_as_percent_colour));
  f.push_back(number("special_colour", r.special_colour));
  f.push_back(utext("hint", r.hint));
  f.push_back(utext("heading", r.heading));
  return f;
}

TRecordFields RecordFields(const TMutual_info_settings32& r) {
  TRecordFields f;
  f.push_back(number("spare_stop", r.spare_stop));
  f.push_back(boolean("stop_at", r.stop_at));
  f.push_back(boolean("omit_left_right_matches", r.omit_left_right_matches));
  f.push_back(boolean("omit_numbers", r.omit_numbers));
  f.push_back(boolean("show_pairs_twice", r.show_pairs_twice));
  f.push_back(boolean("recompute_total_tokens", r.recompute_total_tokens));
  f.push_back(boolean("two_way", r.two_way));
  f.push_back(
      enumeration("MIStopListOption", r.MIStopListOption,
                  {"MIS_none", "mis_filter_word1", "mis_filter_word2", "mis_filter_both_words"}));
  f.push_back(boolean("use_OR_for_minima", r.use_OR_for_minima));
  f.push_back(bytes("spare_a", r.spare_a));
  f.push_back(number("MI_span", r.MI_span));
  f.push_back(number("spare_MI_min_freq", r.spare_MI_min_freq));
  f.push_back(number("MI_max_percent", r.MI_max_percent));
  static const char* const kStats[] = {"MI_Dice",           "MI_MI",      "MI_MI3",      "MI_Z",
                                       "MI_log_likelihood", "MI_T_Score", "MI_Log_Ratio"};
  TRecordFields minima;
  for (int i = 0; i < kMutualInfoStatsCount; ++i) minima.push_back(number(kStats[i], r.minima[i]));
  f.push_back(record("minima", std::move(minima)));
  f.push_back(bytes("spare_b", r.spare_b));
  f.push_back(number("MI_min_texts", r.MI_min_texts));
  f.push_back(bytes("spare_c", r.spare_c));
  return f;
}

TRecordFields RecordFields(const TConcSettingsRec32& r) {
  return {bytes("bytes", r.bytes)};
}

namespace {

void append_lines(const TRecordField& f, const std::string& path, std::string& out) {
  switch (f.kind) {
    case TRecordField::rf_record:
      for (const TRecordField& c : f.children) append_lines(c, path + "." + c.name, out);
      return;
    case TRecordField::rf_array:
      if (f.children.empty()) {
        out += path + "\t\n";
        return;
      }
      for (std::size_t i = 0; i < f.children.size(); ++i)
        append_lines(f.children[i], path + "[" + std::to_string(i) + "]", out);
      return;
    case TRecordField::rf_set: {
      out += path + "\t";
      for (std::size_t i = 0; i < f.members.size(); ++i) out += (i ? "," : "") + f.members[i];
      out += "\n";
      return;
    }
    default:
      out += path + "\t" + f.text + "\n";
  }
}

}  // namespace

std::string RecordFieldsAsLines(const TRecordFields& fields) {
  std::string out;
  for (const TRecordField& f : fields) append_lines(f, f.name, out);
  return out;
}

}  // namespace corvane
