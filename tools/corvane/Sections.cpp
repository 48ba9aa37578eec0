// corvane sections: a section-list file printed, written from lines, or asked which
// section holds a byte position.
#include <CLI/CLI.hpp>
#include <charconv>
#include <iostream>
#include <memory>
#include <ostream>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

bool parse_int32(std::string_view text, std::int32_t& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Reads the file into list; false with the reason on `err`.
bool read_sections(const std::string& file, TSectionStartsList& list, std::ostream& err) {
  std::string reason;
  try {
    if (list.ReadFromFile(u16(file))) return true;
    reason = "not a section list saved by this tool, or cut short";
  } catch (const Exception& e) {
    reason = u8(e.Message());
  }
  err << "corvane sections: " << file << ": " << reason << '\n';
  return false;
}

}  // namespace

int command_sections(const std::string& file, bool json, std::ostream& out, std::ostream& err) {
  TPackageScope package;
  TSectionStartsList list;
  if (!read_sections(file, list, err)) return 2;
  if (json) out << '[';
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    const TSectionTagRec rec = list.GetASection(i);
    if (json) {
      out << (i == 0 ? "\n  {" : ",\n  {") << "\"start\": " << rec.start_byte_position
          << ", \"heading\": ";
      write_json_string(out, rec.w);
      out << '}';
    } else {
      out << rec.start_byte_position << '\t' << u8(rec.w) << '\n';
    }
    if (!output_ok(out)) return 2;
  }
  if (json) out << (list.Count() == 0 ? "]\n" : "\n]\n");
  return 0;
}

int command_sections_write(const std::string& file, std::istream& in, std::ostream& err) {
  TPackageScope package;
  TSectionStartsList list;
  std::string line;
  for (long number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const std::size_t tab = line.find('\t');
    TSectionTagRec rec;
    if (tab == std::string::npos ||
        !parse_int32(std::string_view(line).substr(0, tab), rec.start_byte_position) ||
        rec.start_byte_position < 0) {
      err << "corvane sections: line " << number
          << ": expected start<TAB>heading with a start from 0 to 2147483647; nothing written\n";
      return 2;
    }
    rec.w = u16(std::string_view(line).substr(tab + 1));
    list.AddSection(rec);
  }
  list.SortSections();
  try {
    if (!list.SaveToFile(u16(file))) {
      err << "corvane sections: " << file << ": could not be written\n";
      return 2;
    }
  } catch (const Exception& e) {
    err << "corvane sections: " << u8(e.Message()) << '\n';
    return 2;
  }
  return 0;
}

int command_sections_at(const std::string& file, std::int32_t position, std::ostream& out,
                        std::ostream& err) {
  TPackageScope package;
  TSectionStartsList list;
  if (!read_sections(file, list, err)) return 2;
  const TSectionStartInfo info = list.SectionFromBytePosition(0, position);
  if (info.section_number == 0) return 1;
  out << info.section_number << '\t' << u8(info.section) << '\n';
  return 0;
}

void add_sections_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::string file, write;
    std::int32_t at = 0;
    bool json = false;
  };
  auto o = std::make_shared<options>();
  auto* cmd = app.add_subcommand(
      "sections",
      "Print a section-list file as start<TAB>heading lines; --write saves such lines from "
      "standard input, sorted by start; --at POS names the section holding a byte position. "
      "Exit status 1 when no section holds it, 2 for a file that is refused (with the reason)");
  auto* file = cmd->add_option("FILE", o->file, "The section-list file");
  auto* json = cmd->add_flag("--json", o->json, "One JSON array of objects start, heading");
  auto* write = cmd->add_option("--write", o->write,
                                "Save start<TAB>heading lines from standard input to this file");
  auto* at = cmd->add_option("--at", o->at,
                             "Print number<TAB>heading of the section holding "
                             "this byte position (numbered from 1)");
  write->excludes(file)->excludes(json)->excludes(at);
  at->excludes(json);
  cmd->callback([o, file, write, at, &status, &out, &err] {
    if (*write) {
      status = command_sections_write(o->write, std::cin, err);
      return;
    }
    if (!*file) {
      err << "corvane sections: name a FILE, or --write FILE\n";
      status = 2;
      return;
    }
    status = *at ? command_sections_at(o->file, o->at, out, err)
                 : command_sections(o->file, o->json, out, err);
  });
}

}  // namespace corvane::cli
