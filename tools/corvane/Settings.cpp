// corvane settings: records of a settings file of any generation read with their kind's
// reader, printed as field<TAB>value lines or JSON, or written in the current layout.
#include <CLI/CLI.hpp>
#include <cmath>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>

#include "corvane/definitions/Convert_old_record_types.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

bool is_json_number(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(v) && text != "+" &&
         text.find_first_of("xXnN") == std::string::npos;
}

void write_json_field_value(std::ostream& out, const TRecordField& f, int indent);

void write_json_object(std::ostream& out, const TRecordFields& fields, int indent) {
  const std::string pad(indent + 2, ' ');
  out << '{';
  for (std::size_t i = 0; i < fields.size(); ++i) {
    out << (i ? ",\n" : "\n") << pad;
    write_json_string(out, std::string_view(fields[i].name));
    out << ": ";
    write_json_field_value(out, fields[i], indent + 2);
  }
  out << '\n' << std::string(indent, ' ') << '}';
}

void write_json_field_value(std::ostream& out, const TRecordField& f, int indent) {
  switch (f.kind) {
    case TRecordField::rf_bool:
      out << f.text;
      return;
    case TRecordField::rf_number:
      if (is_json_number(f.text))
        out << f.text;
      else
        write_json_string(out, std::string_view(f.text));  // nan, inf
      return;
    case TRecordField::rf_set:
      out << '[';
      for (std::size_t i = 0; i < f.members.size(); ++i) {
        if (i) out << ", ";
        write_json_string(out, std::string_view(f.members[i]));
      }
      out << ']';
      return;
    case TRecordField::rf_record:
      write_json_object(out, f.children, indent);
      return;
    case TRecordField::rf_array:
      out << '[';
      for (std::size_t i = 0; i < f.children.size(); ++i) {
        if (i) out << ", ";
        write_json_field_value(out, f.children[i], indent);
      }
      out << ']';
      return;
    default:
      write_json_string(out, std::string_view(f.text));
  }
}

}  // namespace

int command_settings(const SettingsOptions& o, std::ostream& out, std::ostream& err) {
  TPackageScope package;
  TSettingsRecordKind kind;
  if (!SettingsRecordKindFromName(o.kind, kind)) {
    err << "corvane settings: unknown --kind \"" << o.kind
        << "\" (lang, text, chosen, stats, grid, mi or conc)\n";
    return 2;
  }
  if (kind == srk_grid && !o.write.empty()) {
    err << "corvane settings: grid headings have no stored current layout; --write is not for "
           "grid\n";
    return 2;
  }
  if (o.count < 1 || o.offset < 0) {
    err << "corvane settings: --count must be 1 or more and --offset 0 or more\n";
    return 2;
  }
  TMemoryStream stream;
  try {
    stream.LoadFromFile(u16(o.file));
  } catch (const Exception& e) {
    err << "corvane settings: " << o.file << ": " << u8(e.Message()) << '\n';
    return 2;
  }
  std::vector<TConvertedRecord> records;
  stream.SetPosition(o.offset);
  for (std::int64_t n = 1; n <= o.count; ++n) {
    const std::int64_t start = stream.Position();
    TConvertedRecord rec;
    if (!ReadConvertedRecord(stream, kind, o.file_version, o.column_data, rec)) {
      err << "corvane settings: " << o.file << ": record " << n << " (" << o.kind << ") at offset "
          << start << ": the data ran out at offset " << stream.Size() << '\n';
      return 2;
    }
    records.push_back(std::move(rec));
  }
  if (!o.write.empty()) {
    std::string bytes;
    for (const TConvertedRecord& r : records)
      bytes.append(r.current_bytes.begin(), r.current_bytes.end());
    try {
      detail::write_file_replacing(u16(o.write), bytes);
    } catch (const Exception& e) {
      err << "corvane settings: " << o.write << ": " << u8(e.Message()) << '\n';
      return 2;
    }
    return 0;
  }
  if (o.json) out << '[';
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (o.json) {
      out << (i ? ",\n  " : "\n  ");
      write_json_object(out, records[i].fields, 2);
    } else {
      if (i) out << '\n';
      out << RecordFieldsAsLines(records[i].fields);
    }
    if (!output_ok(out)) return 2;
  }
  if (o.json) out << "\n]\n";
  return output_ok(out) ? 0 : 2;
}

void add_settings_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto o = std::make_shared<SettingsOptions>();
  auto* cmd = app.add_subcommand(
      "settings",
      "Read settings records of any generation from FILE with the reader of their kind, "
      "converted to the current records, and print them as field<TAB>value lines (a blank "
      "line between records) or JSON, or write them in the current layout (--write). Exit "
      "status 2 when the data runs out or the file cannot be read");
  cmd->add_option("FILE", o->file, "The settings file")->required();
  cmd->add_option("--kind", o->kind, "lang, text, chosen, stats, grid, mi or conc")->required();
  cmd->add_option("--file-version", o->file_version,
                  "The version of the enclosing file (default 0: the bytes tell the layout)");
  cmd->add_option("--offset", o->offset, "Where the first record starts (bytes; default 0)");
  cmd->add_option("--count", o->count, "How many records follow each other (default 1)");
  cmd->add_flag("--column-data", o->column_data, "grid: the 60-byte heading with column data");
  auto* json = cmd->add_flag("--json", o->json, "One JSON array, an object per record");
  auto* write = cmd->add_option("--write", o->write,
                                "Write the records in their current layout to this file instead");
  write->excludes(json);
  cmd->callback([o, &status, &out, &err] { status = command_settings(*o, out, err); });
}

}  // namespace corvane::cli
