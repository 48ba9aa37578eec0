// corvane tags: the mark-up of whole texts: stripped, kept alone, paragraph-end tags as
// line breaks, the value between a tag's opening and closing forms, or the opening tags
// that are never closed.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/Corpus_file_text.hpp"
#include "corvane/files/Corpus_gathering.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Callback_progress.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {

std::u16string read_all(text_file_reader& reader) {
  reader.settle();
  std::u16string text, part(std::size_t{1} << 16, u'\0');
  while (const std::size_t got = reader.read(part.data(), part.size())) text.append(part, 0, got);
  return text;
}

// The one character an --open or --close names.
bool one_character(const std::string& utf8, char16_t& c) {
  const std::u16string s = u16(utf8);
  if (s.size() != 1) return false;
  c = s[0];
  return true;
}

// Line breaks and tabs as spaces, for one field of a line.
std::string one_line(std::u16string s) {
  for (char16_t& c : s)
    if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
  return u8(s);
}

}  // namespace

bool read_whole_text(const char* command, const std::string& path, entry_reader& entries,
                     const text_encoding_choice& encoding, std::u16string& text,
                     std::ostream& err) {
  text.clear();
  const gathered_text named = text_named(path);
  try {
    if (!named.archive.empty()) {
      std::string bytes, why;
      if (!entries.read(named, bytes, kZipStringLimit, why)) {
        err << "corvane " << command << ": " << path << ": " << why << '\n';
        return false;
      }
      if (is_docx_file_name(u16(path))) {
        text = docx_text_of_bytes(bytes, u16(path));
        return true;
      }
      text_file_reader reader(std::move(bytes), encoding, text_decoding::checked);
      text = read_all(reader);
      report_reading(command, path, reader.report(), err);
      return true;
    }
    if (!check_file(command, path, err)) return false;
    if (is_docx_file_name(u16(path))) {
      text = corpus_file_text(u16(path));
      return true;
    }
    try {
      text_file_reader reader(u16(path), encoding);
      text = read_all(reader);
      report_reading(command, path, reader.report(), err);
    } catch (const text_not_utf8&) {
      text_file_reader reader(u16(path), encoding, text_decoding::checked);
      text = read_all(reader);
      report_reading(command, path, reader.report(), err);
    }
    return true;
  } catch (const Exception& e) {
    err << "corvane " << command << ": " << path << ": " << u8(e.Message()) << '\n';
  } catch (const std::exception& e) {
    err << "corvane " << command << ": " << path << ": " << failure(e) << '\n';
  }
  text.clear();
  return false;
}

int command_tags(const TagsOptions& o, std::ostream& out, std::ostream& err) {
  char16_t open = u'<', close = u'>';
  if ((!o.open.empty() && !one_character(o.open, open)) ||
      (!o.close.empty() && !one_character(o.close, close))) {
    err << "corvane tags: --open and --close take one character each\n";
    return 2;
  }
  text_encoding_choice encoding;
  std::string why;
  if (!text_encoding_setting({}, encoding, why)) {
    err << "corvane tags: " << why << '\n';
    return 2;
  }
  const bool name_files = o.files.size() > 1;
  bool failed = false, any = false;
  entry_reader entries;
  callback_progress progress(o.progress && isatty(STDERR_FILENO), err);
  std::size_t done = 0;
  for (const std::string& path : o.files) {
    if (progress.due())
      progress.show("corvane tags: " + std::to_string(done) + "/" + std::to_string(o.files.size()) +
                    " texts");
    ++done;
    std::u16string text;
    if (!read_whole_text("tags", path, entries, encoding, text, err)) {
      failed = true;
      continue;
    }
    std::u16string result;
    switch (o.mode) {
      case TagsOptions::strip:
        result = WithoutMarkup(text, open, close, o.longest_tag);
        break;
      case TagsOptions::only:
        result = MarkupWithoutText(text, open, close);
        break;
      case TagsOptions::para_ends:
        result = ParaDivHeadingEndToCRLF(text);
        break;
      case TagsOptions::tag_value: {
        bool found = false;
        const std::u16string name = u16(o.value);
        result =
            o.trim ? TrimmedSimpleTagValue(name, text, found) : SimpleTagValue(name, text, found);
        if (!found) continue;
        break;
      }
      case TagsOptions::unclosed: {
        std::string lines;
        OpenWithoutCloseTagInText(
            u"", u"", text, o.skip_percent, o.upper_only, o.context, [&](T2StringsAndIntegerRec r) {
              if (name_files) lines += path + '\t';
              lines +=
                  std::to_string(r.int_) + '\t' + one_line(r.s1) + '\t' + one_line(r.s2) + '\n';
              return false;
            });
        if (lines.empty()) continue;
        any = true;
        out << lines;
        if (!output_ok(out)) return 2;
        continue;
      }
    }
    any = true;
    std::string printed = utf16_to_utf8(result);
    if (printed.empty() || printed.back() != '\n') printed += '\n';
    out << printed;
    if (!output_ok(out)) return 2;
  }
  progress.finish();
  if (failed) return 2;
  // Stripping and the like always give a result; a value or an unclosed tag may not.
  return any ? 0 : 1;
}

void add_tags_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    TagsOptions tags;
    bool strip = false, only = false, para_ends = false, unclosed = false, no_progress = false;
  };
  auto o = std::make_shared<options>();
  auto* cmd = app.add_subcommand(
      "tags",
      "Mark-up of whole texts (each read as cat reads it, lines ended by CR LF), printed in "
      "UTF-8 with a line break added when the result lacks one. Exit status 0, 1 when no "
      "text has the --value asked for or an unclosed tag, 2 after any error");
  auto* strip = cmd->add_flag("--strip", o->strip, "The text without its tags (the default)");
  auto* only = cmd->add_flag("--only", o->only, "Only the tags, one after another");
  auto* para = cmd->add_flag("--para-ends", o->para_ends,
                             "The text with </p>, </div> and </head> (any case) as line breaks");
  auto* value = cmd->add_option("--value", o->tags.value,
                                "The text between the first <NAME> and the first </NAME>");
  auto* trim =
      cmd->add_flag("--trim", o->tags.trim, "With --value: spaces and control characters trimmed");
  auto* unclosed = cmd->add_flag(
      "--unclosed", o->unclosed,
      "Every opening tag whose closing form occurs nowhere in the text: "
      "position<TAB>tag<TAB>preceding context per tag (the file's path first when there are "
      "several files), position from 1, line breaks in the context as spaces");
  auto* upper = cmd->add_flag("--upper-only", o->tags.upper_only,
                              "With --unclosed: only tags without lower-case letters");
  auto* percent = cmd->add_flag("--skip-percent", o->tags.skip_percent,
                                "With --unclosed: pass over tags holding %");
  auto* context = cmd->add_option("--context", o->tags.context,
                                  "With --unclosed: characters of context before each tag")
                      ->capture_default_str();
  cmd->add_option("--longest-tag", o->tags.longest_tag,
                  "With --strip: the longest stretch, from the opening character to the "
                  "closing one, taken for a tag (0: strip nothing)")
      ->capture_default_str();
  auto* open = cmd->add_option("--open", o->tags.open, "The opening character (default <)");
  auto* close = cmd->add_option("--close", o->tags.close, "The closing character (default >)");
  open->needs(close);
  close->needs(open);
  cmd->add_flag("--no-progress", o->no_progress,
                "Never show the progress line (shown on a terminal after a second)");
  cmd->add_option("FILE", o->tags.files, "Text files, or entries of zip archives")->required();
  strip->excludes(only)->excludes(para)->excludes(value)->excludes(unclosed);
  only->excludes(para)->excludes(value)->excludes(unclosed);
  para->excludes(value)->excludes(unclosed);
  value->excludes(unclosed);
  trim->needs(value);
  upper->needs(unclosed);
  percent->needs(unclosed);
  context->needs(unclosed);
  cmd->callback([o, value, &status, &out, &err] {
    TagsOptions& t = o->tags;
    t.mode = o->only          ? TagsOptions::only
             : o->para_ends   ? TagsOptions::para_ends
             : value->count() ? TagsOptions::tag_value
             : o->unclosed    ? TagsOptions::unclosed
                              : TagsOptions::strip;
    if ((t.mode == TagsOptions::unclosed || t.mode == TagsOptions::tag_value ||
         t.mode == TagsOptions::para_ends) &&
        !t.open.empty()) {
      err << "corvane tags: --open and --close go with --strip and --only\n";
      status = 2;
      return;
    }
    t.progress = !o->no_progress;
    status = command_tags(t, out, err);
  });
}

}  // namespace corvane::cli
