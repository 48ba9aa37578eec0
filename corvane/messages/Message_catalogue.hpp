#pragma once
// The message catalogue: every text a user reads, named by an identifier such as "_CVEtc".
// The built-in texts are compiled into the library from corvane/messages/catalogue.txt; a
// translation loaded at run time replaces any of them. Nothing is copied at start-up: each
// call fetches the entry's current text, so a translation takes effect at the next look-up.
//
// C++ names an entry by its identifier without the leading underscore, since names that
// begin with an underscore and a capital are reserved: msg::CVEtc for "_CVEtc",
// msg::CV_TMSStyleBlue for "_CV_TMSStyleBlue", msg::WESEpisodes for "_WESEpisodes". The
// constants live in the group headers Generalruntime1const.hpp and Generalruntime2const.hpp.
//
// Texts are format templates; callers format them with their arguments (an entry never
// formats itself).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

namespace msg {

// An entry of the catalogue: its position among the distinct identifiers, in catalogue order.
struct MessageId {
  std::uint16_t index;
  friend constexpr bool operator==(MessageId, MessageId) = default;
};

// The current text of the entry: the loaded translation's when it has one, else the
// built-in text. The caller owns the result.
std::u16string text(MessageId id);
// The built-in text, whatever translation is loaded.
std::u16string builtin_text(MessageId id);
// The entry's identifier, "_CVEtc" for msg::CVEtc.
std::string_view identifier(MessageId id);
// The entry an identifier names (exact, case-sensitive), or nothing.
std::optional<MessageId> find(std::string_view identifier);
// The number of distinct identifiers.
std::size_t size();
// Every entry, in catalogue order.
std::vector<MessageId> all();
// The names of the groups, in catalogue order.
std::vector<std::string_view> group_names();
// The entries of a group in its order, including those it shares with an earlier group;
// empty for an unknown name.
std::vector<MessageId> group(std::string_view name);

// Replaces texts with those of a translation (see README.md for the form; UTF-8, or UTF-16
// little-endian with the byte-order mark FF FE). Entries the translation lacks keep their
// built-in text; a translation loaded before is dropped first. A malformed translation (a
// line that is not an entry, an unknown identifier, one identifier with two texts, a bad
// escape, text that is not UTF-8, or a text whose placeholders take arguments that the
// built-in text does not take) raises EConvertError naming the source and line, and
// changes nothing. `source_name` only names the translation in error messages.
void load_translation(std::string_view contents, std::string_view source_name);
// As load_translation, reading a file; EFOpenError, naming the file and the reason, when it
// cannot be read. A pipe or FIFO is read as a stream; a folder, device or socket is refused
// (it would never end or never answer), and so is anything over max_translation_bytes.
void load_translation_file(const std::u16string& file_name);
// 16 MiB: many times the whole catalogue in any script.
inline constexpr std::size_t max_translation_bytes = 16u << 20;
// Back to the built-in texts.
void clear_translation();
// How many entries the loaded translation replaces (0 without one).
std::size_t translated_count();

// The text as a catalogue line writes it: "\r", "\n", "\t" and "\\" for carriage return,
// line feed, tab and backslash; UTF-8.
std::string escaped(std::u16string_view text);

// The arguments a format template takes, one letter per argument position: 's' a string,
// 'd' an integer (%d, %u, %x, and a "*" width or precision), 'f' a floating-point number
// (%e, %f, %g, %n, %m), '.' a position no placeholder uses (an index such as "%2:s" may
// skip one). "%%" takes none. Nothing when the text is not a valid template (a "%" without
// a type, an unknown type, or one position given two kinds).
std::optional<std::string> argument_kinds(std::u16string_view text);

}  // namespace msg

// The current text of a catalogue entry; the same as msg::text.
inline std::u16string LoadResString(msg::MessageId id) {
  return msg::text(id);
}

}  // namespace corvane
