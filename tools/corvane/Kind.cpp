// corvane kind: what kind of saved list each file is, and the tables of tools and list
// kinds. Also the global --tool option, which makes the program act as another tool.
#include <CLI/CLI.hpp>
#include <ostream>

#include "corvane/definitions/My_types.hpp"
#include "corvane/definitions/Wdef.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

std::string_view form_name(list_file_form form) {
  switch (form) {
    case list_file_form::header:
      return "header";
    case list_file_form::old:
      return "old";
    case list_file_form::batch:
      return "batch";
    default:
      return "extension";
  }
}

std::string_view version_name(list_file_version v) {
  switch (v) {
    case list_file_version::current:
      return "current";
    case list_file_version::earlier:
      return "earlier";
    case list_file_version::other:
      return "other";
    default:
      return "-";
  }
}

std::string_view data_name(file_data_type d) {
  return d == graphic_data ? "graphic" : d == text_data ? "text" : "own";
}

void print_tools(std::ostream& out) {
  for (int t = 0; t < kToolTypeCount; ++t) {
    const auto tool = static_cast<tool_type>(t);
    if (tool == tt_unused_8) continue;
    out << t << '\t' << tool_type_name(tool) << '\t' << u8(Tool_Name(tool)) << '\t'
        << u8(GetShortToolFilename(tool)) << '\t' << u8(tool_log_prefix(tool)) << '\t'
        << CurrentSignature[t] << '\n';
  }
}

void print_lists(std::ostream& out) {
  for (int i = 0; i < kListTypeCount; ++i) {
    const auto lt = static_cast<list_type>(i);
    out << i << '\t' << list_type_name(lt) << '\t' << u8(list_type_as_string[i]) << '\t'
        << u8(DefaultExtFromListType(lt)) << '\t' << list_signature32[i] << '\t'
        << list_signature16[i] << '\t' << tool_type_name(ToolTypeFromListType(lt)) << '\t'
        << data_name(ListTypeToFileDataType(lt)) << '\t'
        << (SaveableListTypes.contains(lt) ? "S" : "-") << '\t'
        << (LemmatisableListTypes.contains(lt) ? "L" : "-") << '\n';
  }
}

}  // namespace

bool tool_from_argument(const std::string& text, tool_type& tool) {
  if (tool_type_from_name(text, tool)) return tool != tt_unused_8;
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const int n = std::stoi(text);
  if (n >= kToolTypeCount || n == tt_unused_8) return false;
  tool = static_cast<tool_type>(n);
  return true;
}

int command_kind(const std::vector<std::string>& files, bool json, bool tools, bool lists,
                 std::ostream& out, std::ostream& err) {
  TPackageScope package;  // the list kinds' display names
  if (tools) print_tools(out);
  if (lists) print_lists(out);
  if (files.empty()) return 0;
  bool failed = false, any_by_contents = false;
  bool first = true;
  if (json) out << '[';
  for (const std::string& path : files) {
    TListFileKind kind;
    try {
      if (!ListFileKind(u16(path), kind)) {
        err << "corvane kind: " << path << ": no such file\n";
        failed = true;
        continue;
      }
    } catch (const Exception& e) {
      err << "corvane kind: " << e.what() << "\n";
      failed = true;
      continue;
    }
    if (kind.form != list_file_form::extension) any_by_contents = true;
    const bool header = kind.form == list_file_form::header;
    const bool batch = kind.form == list_file_form::batch;
    if (json) {
      out << (first ? "\n  {" : ",\n  {") << "\"path\": ";
      write_json_string(out, path);
      out << ", \"form\": \"" << form_name(kind.form) << "\", \"tool\": \""
          << tool_type_name(kind.tool) << "\", \"list_type\": " << int(kind.ListType)
          << ", \"list_type_name\": \"" << list_type_name(kind.ListType) << "\", \"signature\": ";
      if (header)
        out << kind.signature;
      else
        out << "null";
      out << ", \"version\": ";
      if (header)
        out << '"' << version_name(kind.version) << '"';
      else
        out << "null";
      out << ", \"entries\": ";
      if (batch)
        out << kind.Number_within_Zipfile;
      else
        out << "null";
      out << '}';
    } else {
      out << path << '\t' << form_name(kind.form) << '\t' << tool_type_name(kind.tool) << '\t'
          << int(kind.ListType) << '\t' << list_type_name(kind.ListType) << '\t';
      if (header)
        out << kind.signature;
      else
        out << '-';
      out << '\t' << version_name(kind.version) << '\t';
      if (batch)
        out << kind.Number_within_Zipfile;
      else
        out << '-';
      out << '\n';
    }
    first = false;
  }
  if (json) out << (first ? "]\n" : "\n]\n");
  if (failed) return 2;
  return any_by_contents ? 0 : 1;
}

void add_tool_option(CLI::App& app) {
  current_tool_var = tt_shell;  // the suite's shell, unless told otherwise
  app.add_option_function<std::string>(
         "--tool",
         [](const std::string& text) {
           tool_type tool = tt_shell;
           if (tool_from_argument(text, tool)) current_tool_var = tool;
         },
         "Act as this tool of the suite for every command: a value name such as tt_linara, "
         "or its number (default: tt_shell, the suite's shell)")
      ->check([](const std::string& text) {
        tool_type tool;
        return tool_from_argument(text, tool) ? std::string()
                                              : "not a tool: " + text + " (see kind --tools)";
      });
}

void add_kind_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  // Kept alive by the callback, which the App owns.
  struct options {
    std::vector<std::string> files;
    bool json = false, tools = false, lists = false;
  };
  auto o = std::make_shared<options>();
  auto* kind = app.add_subcommand(
      "kind",
      "Name the kind of saved lists, one line per file, tab-separated: path, form (header, "
      "old, batch or extension), tool, list type number and name, the header's signature, "
      "current/earlier/other against the running tool, a batch archive's entry count. Exit "
      "status 0 when every file was read, 1 when none was recognised by its contents, 2 when "
      "one is missing or an archive cannot be opened");
  kind->add_flag("--json", o->json, "One JSON array with an object per file");
  kind->add_flag("--tools", o->tools,
                 "Print the tool table: number, value name, name, short file name, log prefix, "
                 "signature");
  kind->add_flag("--lists", o->lists,
                 "Print the list table: number, value name, display name, extension, "
                 "signature, 16-bit-era name, tool, own/graphic/text, S (saveable), "
                 "L (lemmatisable)");
  kind->add_option("FILE", o->files, "The files");
  kind->callback([o, &status, &out, &err] {
    if (o->files.empty() && !o->tools && !o->lists) {
      err << "corvane kind: name a FILE, or --tools or --lists\n";
      status = 2;
      return;
    }
    status = command_kind(o->files, o->json, o->tools, o->lists, out, err);
  });
}

}  // namespace corvane::cli
