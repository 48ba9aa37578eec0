// corvane ini: read and write the suite's ini files.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "corvane/files/Inifileu2.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

bool boolean_argument(const std::string& text, bool& value) {
  if (text == "true" || text == "false") {
    value = text == "true";
    return true;
  }
  return false;
}

}  // namespace

int command_ini_get(const std::string& file, const std::string& section, const std::string& key,
                    bool as_bool, const std::string* default_value, std::ostream& out,
                    std::ostream& err) {
  TPackageScope package;
  TMyMemIniFile ini(u16(file));
  const bool present = ini.ValueExists(u16(section), u16(key));
  if (!present && default_value == nullptr) {
    err << "corvane ini get: " << file << ": no key " << key << " in [" << section << "]\n";
    return 1;
  }
  if (as_bool) {
    bool fallback = false;
    if (default_value != nullptr && !boolean_argument(*default_value, fallback)) {
      err << "corvane ini get: --default with --bool takes true or false\n";
      return 2;
    }
    out << u8(BooleanToStr(ini.ReadBool(u16(section), u16(key), fallback))) << '\n';
    return 0;
  }
  out << (present ? u8(ini.ReadString(u16(section), u16(key), u"")) : *default_value) << '\n';
  return 0;
}

int command_ini_set(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value, bool as_bool, bool backup, std::ostream& err) {
  TPackageScope package;
  TMyMemIniFile ini(u16(file));
  if (as_bool) {
    bool b = false;
    if (!boolean_argument(value, b)) {
      err << "corvane ini set: --bool takes true or false, not " << value << '\n';
      return 2;
    }
    ini.WriteBool(u16(section), u16(key), b);
  } else {
    ini.WriteString(u16(section), u16(key), u16(value));
  }
  if (backup && !ini.SaveABackup()) {
    // A file not there yet has nothing to back up; any other failure stops the write.
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
      err << "corvane ini set: " << file << ": the backup could not be written; file unchanged\n";
      return 2;
    }
  }
  try {
    ini.UpdateFile();
  } catch (const Exception& e) {
    err << "corvane ini set: " << e.what() << '\n';
    return 2;
  }
  return 0;
}

int command_ini_list(const std::string& file, bool json, std::ostream& out, std::ostream& err) {
  TPackageScope package;
  TMyMemIniFile ini(u16(file));
  TStringList sections, keys;
  ini.ReadSections(sections);
  if (json) out << '[';
  bool first = true;
  for (std::int32_t s = 0; s < sections.Count(); ++s) {
    ini.ReadSection(sections.Get(s), keys);
    for (std::int32_t k = 0; k < keys.Count(); ++k) {
      const std::u16string value = ini.ReadString(sections.Get(s), keys.Get(k), u"");
      if (json) {
        out << (first ? "" : ",") << "\n  {\"section\": ";
        write_json_string(out, sections.Get(s));
        out << ", \"key\": ";
        write_json_string(out, keys.Get(k));
        out << ", \"value\": ";
        write_json_string(out, value);
        out << '}';
      } else {
        out << u8(sections.Get(s)) << '\t' << u8(keys.Get(k)) << '\t' << u8(value) << '\n';
      }
      first = false;
    }
  }
  if (json) out << (first ? "]\n" : "\n]\n");
  return 0;
}

void add_ini_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::string file, section, key, value, default_value;
    bool as_bool = false, backup = false, json = false;
  };
  auto o = std::make_shared<options>();
  auto* ini = app.add_subcommand(
      "ini", "Read and write the suite's ini files (saved as UTF-16, Booleans as YES and NO)");
  ini->require_subcommand(1);

  auto* get = ini->add_subcommand(
      "get", "Print a key's value (exit status 1 when it is absent and no default is given)");
  get->add_flag("--bool", o->as_bool, "Read it as a Boolean and print true or false");
  auto* default_option =
      get->add_option("--default", o->default_value, "The value when the key is absent");
  get->add_option("FILE", o->file, "The ini file")->required();
  get->add_option("SECTION", o->section, "The section")->required();
  get->add_option("KEY", o->key, "The key")->required();
  get->callback([o, default_option, &status, &out, &err] {
    status = command_ini_get(o->file, o->section, o->key, o->as_bool,
                             default_option->count() ? &o->default_value : nullptr, out, err);
  });

  auto* set = ini->add_subcommand(
      "set", "Set a key, writing the file beside the old one and renaming it into place");
  set->add_flag("--bool", o->as_bool, "VALUE is true or false, stored as YES or NO");
  set->add_flag("--backup", o->backup, "Copy the file to the same name with .BAK first");
  set->add_option("FILE", o->file, "The ini file")->required();
  set->add_option("SECTION", o->section, "The section")->required();
  set->add_option("KEY", o->key, "The key")->required();
  set->add_option("VALUE", o->value, "The value")->required();
  set->callback([o, &status, &err] {
    status = command_ini_set(o->file, o->section, o->key, o->value, o->as_bool, o->backup, err);
  });

  auto* list = ini->add_subcommand("list", "Print every key as section<TAB>key<TAB>value");
  list->add_flag("--json", o->json, "One JSON array of {section, key, value} objects");
  list->add_option("FILE", o->file, "The ini file")->required();
  list->callback(
      [o, &status, &out, &err] { status = command_ini_list(o->file, o->json, out, err); });
}

}  // namespace corvane::cli
