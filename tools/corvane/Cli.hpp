#pragma once
// The corvane program: command-line parsing and the commands, callable in-process so
// that tests can run them and read what they print.

#include <cstdint>
#include <exception>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/files/File_utils.hpp"
#include "tools/corvane/Gathering.hpp"

namespace CLI {
class App;
}

namespace corvane::cli {

// Runs the program with argv; output and errors go to the given streams. Returns the
// process exit code.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int run(int argc, char** argv);

// A locale as the user gives it: an identifier ("1033", "0x0409", "$409") or a locale name
// ("en_US", "en-US", "de"). False when it names no locale.
bool lcid_from_argument(const std::string& text, std::uint32_t& lcid);

// False once `out` has failed; the first time, the system's reason is kept for the one
// message the program gives at the end. Commands that write much check after each write
// and stop.
bool output_ok(std::ostream& out);

// The global options about reading texts, as run() sets them for one run.
struct ReadingSettings {
  std::string encoding = "auto";  // --encoding: auto, system, an ICU name or a code page
  std::string lang;               // --lang: the texts' language (a command's own wins)
  bool verbose = false;           // --verbose: say how each text is read
};
ReadingSettings& reading_settings();

// How texts are decoded under the settings (a command's own --lang, when it has one and
// it is given, in place of the global one): --encoding when it is not "auto", else the
// language's code page when a language is given, else the detector. False, with the
// message in `why`, for an encoding or a language that names nothing.
bool text_encoding_setting(const std::string& command_lang, text_encoding_choice& choice,
                           std::string& why);

// The lines a reader's report gives for one text on standard error: how it was read (only
// with --verbose), and what did not decode (always). Returns whether text was lost.
bool report_reading(const char* command, const std::string& path, const text_reading_report& report,
                    std::ostream& err);

// False, with "corvane COMMAND: PATH: reason" on `err`, for a path that names no regular
// file that can be read by its name: a FIFO or device is refused (opening one could wait
// for ever), as is a name that is not valid UTF-8.
bool check_file(const char* command, const std::string& path, std::ostream& err);

// What one file threw, as a message: the run goes on with the next file.
std::string failure(const std::exception& e);

// The most texts concord searches in parallel: far more than there are processors to run
// them, while each worker's buffers (a few MiB) stay a small part of memory.
constexpr int kMostThreads = 256;

struct ConcordOptions {
  std::string search;              // the search line as typed
  std::vector<std::string> paths;  // files, folders, archives and their entries
  GatherOptions gather;            // how the texts are gathered from them
  std::string allow = "'-";        // word-internal characters
  std::string lang;                // locale name or identifier; empty: the environment's
  std::string sort;                // up to three sort keys ("R1+,N+,F-"); empty: text order
  int width = 40;                  // context characters on each side
  int max_per_word = 0;            // hits per search word per file; 0: no limit
  int threads = 0;                 // 0: one per processor; at most kMostThreads are used
  bool no_split = false, count = false, tsv = false, json = false;
  bool with_filename = false;  // every line names its file (-H)
  bool no_filename = false;    // no line names its file (the default with one text)
  bool colour = true;          // colour the hit when standard output is a terminal
  bool progress = true;        // a progress line on standard error when it is a terminal
  // Pictures of the concordance (Concord_pictures.cpp); empty names: none.
  std::string png, svg, html;
  int style = kStyleNotGiven;  // the display style; not given: GlobalTMSStyle
  int cell_width = 1000;       // pixels a line
  std::string font = "DejaVu Sans";
  int font_size = 11;  // points
  static constexpr int kStyleNotGiven = -2147483647 - 1;
};
// Adds --png, --svg, --html, --style, --cell-width, --font and --font-size to concord.
void add_concord_picture_options(CLI::App& concord, ConcordOptions& options);

// The commands.
int command_info(std::ostream& out);
int command_concord(const ConcordOptions& options, std::ostream& out, std::ostream& err);
int command_parse(const std::string& line, bool split, const std::string& tag_pairs, bool json,
                  std::ostream& out, std::ostream& err);
int command_messages(const std::string& translation_file, const std::vector<std::string>& ids,
                     std::ostream& out, std::ostream& err);
int command_sentences(const std::string& file_name, const std::string& marker,
                      const std::string& lang, int longest_tag, std::ostream& out,
                      std::ostream& err);
// Prints each file's path and its encoding verdict, tab-separated; with `charset`, also the
// charset a search reads it in and the detector's confidence ("-" where it was not asked;
// "binary" for a file that is no text).
int command_detect(const std::vector<std::string>& files, bool quick, bool charset,
                   std::ostream& out, std::ostream& err);
// Prints each file's text as TextFileContents loads it, in UTF-8.
int command_cat(const std::vector<std::string>& files, std::ostream& out, std::ostream& err);

// Commands registered from their own files (Kind.cpp, Zip.cpp): each adds itself to the
// app and writes its exit status to `status` when it runs.
void add_tool_option(CLI::App& app);  // --tool; sets current_tool_var to tt_shell first
void add_kind_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
void add_zip_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
// The shared services (Log.cpp, Ini.cpp, Drives.cpp, File.cpp).
void add_log_option(CLI::App& app);  // --log FILE; each run starts with the log off
void add_log_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
void add_ini_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
void add_drives_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
void add_file_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
// Index files (Index.cpp): ACTION is "backup" or "delete". Exit status 1 when none was there.
void add_index_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
int command_index(const std::string& action, const std::string& name, std::ostream& out,
                  std::ostream& err);
// corvane files (Files.cpp).
void add_files_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
int command_files(const std::vector<std::string>& paths, const GatherOptions& options, bool json,
                  bool no_verdict, std::ostream& out, std::ostream& err);
// Languages (Languages.cpp) and section lists (Sections.cpp).
void add_languages_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
void add_sections_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
int command_languages(const std::vector<std::string>& locales, bool json, std::ostream& out,
                      std::ostream& err);
// lcid<TAB>country per variety of the locale's language among `among` (comma-separated;
// empty: every known identifier), then currencies<TAB> and their symbols.
int command_language_varieties(const std::string& locale, const std::string& among,
                               std::ostream& out, std::ostream& err);
int command_language_save(const std::string& file, const std::string& locale,
                          const std::string& allow, std::ostream& out, std::ostream& err);
int command_sections(const std::string& file, bool json, std::ostream& out, std::ostream& err);
// Settings records of any generation (Settings.cpp).
struct SettingsOptions {
  std::string file, kind, write;
  std::int32_t file_version = 0;
  std::int64_t offset = 0;
  std::int64_t count = 1;
  bool column_data = false;
  bool json = false;
};
void add_settings_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
int command_settings(const SettingsOptions& options, std::ostream& out, std::ostream& err);
int command_sections_write(const std::string& file, std::istream& in, std::ostream& err);
// Exit status 1 when no section holds the position.
int command_sections_at(const std::string& file, std::int32_t position, std::ostream& out,
                        std::ostream& err);
// One line painted by the line drawer on the fixed-advance canvas (Draw.cpp).
struct DrawOptions {
  std::string text;
  std::string hit;                // "START,LENGTH", 1-based UTF-16 units; empty: a plain line
  std::string lang;               // empty: the global --lang, else en_US
  std::string cell;               // "WxH"; empty: 400x20
  std::string align = "default";  // default, centre or right
  int advance = 8;
  std::optional<int> style;  // empty: the start-up style
  std::string words;         // comma-separated search words
};
int command_draw(const DrawOptions& options, std::ostream& out, std::ostream& err);
void add_draw_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
// A tool as the user names it: its value name ("tt_linara") or number; never the reserved 8.
bool tool_from_argument(const std::string& text, tool_type& tool);
int command_kind(const std::vector<std::string>& files, bool json, bool tools, bool lists,
                 std::ostream& out, std::ostream& err);
int command_zip_list(const std::string& archive, bool json, std::ostream& out, std::ostream& err);
int command_zip_comment(const std::string& archive, std::ostream& out, std::ostream& err);
int command_zip_cat(const std::string& archive, const std::vector<std::string>& entries,
                    std::ostream& out, std::ostream& err);
// Lines of text through shared memory (Shm.cpp). put reads standard input from `in` when
// no file is given.
int command_shm_put(const std::string& name, const std::string& file, std::istream& in,
                    std::ostream& out, std::ostream& err);
int command_shm_get(const std::string& name, bool json, bool remove, std::ostream& out,
                    std::ostream& err);
int command_shm_rm(const std::string& name, std::ostream& err);
void add_shm_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
// Writes one entry to tempzip.txt in the temporary folder and prints its path; ENTRY is
// #N or a stored name. 1 when there is no such entry (nothing written).
int command_zip_cat_temp(const std::string& archive, const std::string& entry, std::ostream& out,
                         std::ostream& err);
int command_zip_extract(const std::string& archive, const std::string& folder,
                        const std::vector<std::string>& entries, bool yes, std::ostream& out,
                        std::ostream& err);

// corvane tags (Tags.cpp) and corvane repeats (Repeats.cpp).
struct TagsOptions {
  enum mode_t { strip, only, para_ends, tag_value, unclosed } mode = strip;
  std::vector<std::string> files;
  std::string value;          // --value NAME
  bool trim = false;          // --trim
  bool upper_only = false;    // --unclosed --upper-only
  bool skip_percent = false;  // --unclosed --skip-percent
  int context = 20;           // --unclosed --context N
  int longest_tag = 100;      // --longest-tag N
  std::string open, close;    // --open C --close C; empty: < and >
  bool progress = true;       // a progress line on standard error when it is a terminal
};
int command_tags(const TagsOptions& options, std::ostream& out, std::ostream& err);
void add_tags_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
struct RepeatsOptions {
  std::vector<std::string> paths;
  GatherOptions gather;
  int min_hits = 2, min_length = 10, longest_tag = 100;
  bool unterminated = false;
  std::string sort = "freq";  // freq or file
  bool json = false;
  bool chunk_mode = false;         // --chunks given: RepeatedXCharChunks on one file
  int chunks = 0;                  // --chunks LEN
  int min_freq = 2, limit = 1000;  // with --chunks
  bool progress = true;
};
int command_repeats(const RepeatsOptions& options, std::ostream& out, std::ostream& err);
void add_repeats_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
// The whole text of a file or an archive's entry, read as cat reads it (every line ended by
// CR LF); false, with "corvane COMMAND: PATH: reason" on `err`, when it cannot be read.
bool read_whole_text(const char* command, const std::string& path, entry_reader& entries,
                     const text_encoding_choice& encoding, std::u16string& text, std::ostream& err);
// corvane colours and corvane view.
// The style a --style argument names (empty: GlobalTMSStyle); false, with
// "corvane COMMAND: --style N: no such style ..." on `err`, for anything but 0 to 12.
bool style_from_argument(const char* command, const std::string& text, std::int32_t& style,
                         std::ostream& err);
int command_colours(const std::string& style, bool web, bool json, std::ostream& out,
                    std::ostream& err);
void add_colours_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);
struct ViewOptions {
  std::string file, style, rtf, html;
  std::vector<std::string> words;  // each may hold several, comma-separated
};
int command_view(const ViewOptions& options, std::ostream& out, std::ostream& err);
void add_view_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);

}  // namespace corvane::cli
