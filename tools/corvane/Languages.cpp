// corvane languages: what the platform knows of each locale, the varieties of a language,
// and a language definition record saved for a locale.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <ostream>

#include "corvane/definitions/Locale_utilities.hpp"
#include "corvane/definitions/Wdef.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

std::string lcid_text(std::uint32_t lcid) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", lcid);
  return buf;
}

// The locales the user named, or every known one; false (with a message) for one that
// names no locale.
bool resolve(const std::vector<std::string>& names, const char* what, std::vector<TLCID>& ids,
             std::ostream& err) {
  if (names.empty()) {
    ids = all_locale_lcids();
    return true;
  }
  for (const std::string& name : names) {
    std::uint32_t id = 0;
    if (!lcid_from_argument(name, id)) {
      err << "corvane languages: " << what << name << " names no locale\n";
      return false;
    }
    ids.push_back(id);
  }
  return true;
}

void print_locale(std::uint32_t lcid, bool json, bool first, std::ostream& out) {
  const std::string name = icu_locale_or_root(lcid);
  const std::u16string english = EnglishLanguageNameFromLCID(lcid);
  const std::u16string local = LocalLanguageNameFromLCID(lcid);
  const std::u16string country = CountryFromLCID(lcid);
  const std::u16string currency = CurrencyFromLCID(lcid);
  const int ansi = WindowsCodepageFromLCID(lcid), oem = DOSCodepageFromLCID(lcid);
  const bool rtl = BiDiModeFromLCID(lcid) == bdRightToLeft;
  const bool unicode = LanguageRequiresUnicode(lcid);
  const bool combining = LanguageHasCombiningCharacters(lcid);
  if (!json) {
    out << lcid_text(lcid) << '\t' << name << '\t' << u8(english) << '\t' << u8(local) << '\t'
        << u8(country) << '\t' << u8(currency) << '\t' << ansi << '\t' << oem << '\t'
        << (rtl ? "rtl" : "ltr") << '\t' << (unicode ? "yes" : "no") << '\t'
        << (combining ? "yes" : "no") << '\n';
    return;
  }
  out << (first ? "\n  {" : ",\n  {") << "\"lcid\": \"" << lcid_text(lcid) << "\", \"name\": ";
  write_json_string(out, std::string_view(name));
  out << ", \"english\": ";
  write_json_string(out, english);
  out << ", \"local\": ";
  write_json_string(out, local);
  out << ", \"country\": ";
  write_json_string(out, country);
  out << ", \"currency\": ";
  write_json_string(out, currency);
  out << ", \"ansi\": " << ansi << ", \"oem\": " << oem << ", \"direction\": \""
      << (rtl ? "rtl" : "ltr") << "\", \"unicode\": " << (unicode ? "true" : "false")
      << ", \"combining\": " << (combining ? "true" : "false") << '}';
}

std::vector<std::string> split_commas(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t comma = text.find(',', at);
    if (comma == std::string::npos) comma = text.size();
    if (comma > at) parts.push_back(text.substr(at, comma - at));
    at = comma + 1;
  }
  return parts;
}

}  // namespace

int command_languages(const std::vector<std::string>& locales, bool json, std::ostream& out,
                      std::ostream& err) {
  TPackageScope package;
  std::vector<TLCID> ids;
  if (!resolve(locales, "", ids, err)) return 2;
  if (json) out << '[';
  bool first = true;
  for (TLCID id : ids) {
    print_locale(id, json, first, out);
    first = false;
    if (!output_ok(out)) return 2;
  }
  if (json) out << (first ? "]\n" : "\n]\n");
  return 0;
}

int command_language_varieties(const std::string& locale, const std::string& among,
                               std::ostream& out, std::ostream& err) {
  TPackageScope package;
  std::vector<TLCID> target, all;
  if (!resolve({locale}, "", target, err)) return 2;
  if (!resolve(split_commas(among), "--among: ", all, err)) return 2;
  const auto varieties = LCIDSubVarieties(target[0], all);
  for (std::int32_t i = 0; i < varieties->Count(); ++i) {
    const auto* holder = static_cast<const TLCIDHolder*>(varieties->GetObject(i));
    out << lcid_text(holder->lcid) << '\t' << u8(varieties->Get(i)) << '\n';
  }
  out << "currencies\t" << u8(LCIDAllCurrencyString(target[0], all)) << '\n';
  return 0;
}

int command_language_save(const std::string& file, const std::string& locale,
                          const std::string& allow, std::ostream& out, std::ostream& err) {
  TPackageScope package;
  std::vector<TLCID> ids;
  if (!resolve({locale}, "", ids, err)) return 2;
  try {
    SaveLanguageRecordToFile(u16(file), LanguageRecordForLCID(ids[0], u16(allow)));
  } catch (const Exception& e) {
    err << "corvane languages: " << file << ": " << u8(e.Message()) << '\n';
    return 2;
  }
  return 0;
}

void add_languages_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::vector<std::string> locales;
    std::string varieties, among, save, allow = "'-";
    bool json = false;
  };
  auto o = std::make_shared<options>();
  auto* cmd = app.add_subcommand(
      "languages",
      "What the platform knows of each locale, one line per locale, tab-separated: lcid, "
      "name, English language name, local language name, country, currency symbol, ANSI and "
      "OEM code pages, direction (rtl/ltr), unicode and combining (yes/no). No LOCALE: every "
      "known identifier. Exit status 2 for a LOCALE that names no locale");
  cmd->add_option("LOCALE", o->locales,
                  "Locales as --lang takes them: a name (en_US) or identifier (1033, 0x0409)");
  auto* json = cmd->add_flag("--json", o->json, "One JSON array with an object per locale");
  auto* varieties =
      cmd->add_option("--varieties", o->varieties,
                      "Print lcid<TAB>country for each variety of this locale's language, then "
                      "currencies<TAB> and their currency symbols");
  cmd->add_option("--among", o->among,
                  "The locales --varieties looks among, comma-separated, in this order "
                  "(default: every known identifier)")
      ->needs(varieties);
  auto* save = cmd->add_option("--save", o->save,
                               "Write the language definition record (1040 bytes) of the one "
                               "LOCALE to this file");
  cmd->add_option("--allow", o->allow,
                  "With --save: the characters allowed inside a word, at most 10 (default: "
                  "the apostrophe and the hyphen)")
      ->needs(save);
  varieties->excludes(save)->excludes(json);
  save->excludes(json);
  cmd->callback([o, &status, &out, &err] {
    if (!o->varieties.empty()) {
      if (!o->locales.empty()) {
        err << "corvane languages: --varieties takes no other LOCALE\n";
        status = 2;
        return;
      }
      status = command_language_varieties(o->varieties, o->among, out, err);
    } else if (!o->save.empty()) {
      if (o->locales.size() != 1) {
        err << "corvane languages: --save FILE needs exactly one LOCALE\n";
        status = 2;
        return;
      }
      status = command_language_save(o->save, o->locales[0], o->allow, out, err);
    } else {
      status = command_languages(o->locales, o->json, out, err);
    }
  });
}

}  // namespace corvane::cli
