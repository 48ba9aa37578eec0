#include "corvane/messages/Message_catalogue.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "corvane/messages/Generalruntime2const_ids.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane::embedded {
extern const unsigned char message_catalogue[];
extern const std::size_t message_catalogue_size;
}  // namespace corvane::embedded

namespace corvane::msg {

namespace {

// ---------------------------------------------------------------------------------------
// The catalogue line form, shared by the built-in catalogue and translations.

// Bytes of a refused line as they may be shown on a terminal: printable ASCII as it is,
// every other byte as \xNN (a binary file's bytes could be control sequences or a NUL).
std::string shown(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      out += "\\x";
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

// Raises the error for a malformed catalogue or translation: "source: line n: why".
template <class... Parts>
[[noreturn]] void refuse(std::string_view source, std::size_t line, const Parts&... why) {
  std::string message(source);
  if (line) {
    message += ": line ";
    message += std::to_string(line);
  }
  message += ": ";
  (message.append(std::string_view(why)), ...);
  throw EConvertError(std::string_view(message));
}

bool word_characters(std::string_view s) {
  for (char c : s)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
      return false;
  return !s.empty();
}

bool is_identifier(std::string_view s) {
  return s.size() >= 2 && s[0] == '_' && word_characters(s);
}

bool valid_utf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t len;
    std::uint32_t cp, min;
    if ((c & 0xE0) == 0xC0) {
      len = 2, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4, cp = c & 0x07, min = 0x10000;
    } else {
      return false;
    }
    if (i + len > n) return false;
    for (std::size_t k = 1; k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

// The reason an escaped text is malformed, or null when it is well formed.
const char* text_fault(std::string_view escaped_text) {
  for (std::size_t i = 0; i < escaped_text.size(); ++i) {
    if (escaped_text[i] != '\\') continue;
    if (i + 1 == escaped_text.size()) return "a backslash ends the text (write \\\\ for one)";
    const char e = escaped_text[++i];
    if (e != 'r' && e != 'n' && e != 't' && e != '\\')
      return "unknown escape after a backslash (only \\r, \\n, \\t and \\\\ are known)";
  }
  if (!valid_utf8(escaped_text)) return "the text is not valid UTF-8";
  return nullptr;
}

// The text an escaped, well-formed line text stands for.
std::u16string unescape(std::string_view escaped_text) {
  if (escaped_text.find('\\') == std::string_view::npos) return utf8_to_utf16(escaped_text);
  std::string plain;
  plain.reserve(escaped_text.size());
  for (std::size_t i = 0; i < escaped_text.size(); ++i) {
    char c = escaped_text[i];
    if (c == '\\' && i + 1 < escaped_text.size()) {
      switch (escaped_text[++i]) {
        case 'r':
          c = '\r';
          break;
        case 'n':
          c = '\n';
          break;
        case 't':
          c = '\t';
          break;
        default:
          c = '\\';
          break;
      }
    }
    plain.push_back(c);
  }
  return utf8_to_utf16(plain);
}

// Calls on_group(name) for each [group] line and on_entry(line, identifier, escaped text)
// for each entry, in order; refuses a malformed line.
template <class OnGroup, class OnEntry>
void parse_lines(std::string_view contents, std::string_view source, OnGroup on_group,
                 OnEntry on_entry) {
  if (contents.substr(0, 3) == "\xEF\xBB\xBF") contents.remove_prefix(3);
  std::size_t line_number = 0;
  while (!contents.empty()) {
    ++line_number;
    const std::size_t end = contents.find('\n');
    std::string_view line = contents.substr(0, end);
    contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos || line[0] == '#') continue;
    if (line[0] == '[') {
      const std::string_view name = line.substr(1, line.size() - 1 - (line.back() == ']'));
      if (line.back() != ']' || !word_characters(name))
        refuse(source, line_number, "a group line must read [Name]");
      on_group(name);
      continue;
    }
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
      refuse(source, line_number, "expected an identifier, a TAB and the text");
    const std::string_view id = line.substr(0, tab);
    if (!is_identifier(id))
      refuse(source, line_number, "\"", shown(id),
             "\" is not an identifier (an underscore, then letters, digits or underscores)");
    const std::string_view text = line.substr(tab + 1);
    if (const char* fault = text_fault(text)) refuse(source, line_number, fault);
    on_entry(line_number, id, text);
  }
}

// ---------------------------------------------------------------------------------------
// The built-in catalogue: an index of views into the compiled-in bytes, made at the first
// look-up. The texts stay in their escaped form until they are asked for.

struct Builtin {
  std::vector<std::string_view> names;  // by index
  std::vector<std::string_view> texts;  // escaped, by index
  std::unordered_map<std::string_view, std::uint16_t> by_name;
  std::vector<std::string_view> group_names;
  std::vector<std::vector<MessageId>> groups;
};

Builtin make_builtin() {
  Builtin b;
  const std::string_view contents(reinterpret_cast<const char*>(embedded::message_catalogue),
                                  embedded::message_catalogue_size);
  constexpr std::string_view source = "built-in message catalogue";
  parse_lines(
      contents, source,
      [&](std::string_view name) {
        b.group_names.push_back(name);
        b.groups.emplace_back();
      },
      [&](std::size_t line, std::string_view id, std::string_view text) {
        if (b.groups.empty()) refuse(source, line, "an entry before the first group");
        const auto found = b.by_name.find(id);
        if (found != b.by_name.end()) {
          if (b.texts[found->second] != text)
            refuse(source, line, id, " is listed again with another text");
          b.groups.back().push_back(MessageId{found->second});
          return;
        }
        const auto index = static_cast<std::uint16_t>(b.names.size());
        b.names.push_back(id);
        b.texts.push_back(text);
        b.by_name.emplace(id, index);
        b.groups.back().push_back(MessageId{index});
      });
  if (b.names.size() != catalogue_size)
    refuse(source, 0, "its entries do not match the identifiers it was built with");
  return b;
}

const Builtin& builtin() {
  static const Builtin b = make_builtin();
  return b;
}

std::size_t checked(MessageId id) {
  if (id.index >= catalogue_size)
    throw EListError(std::u16string(u"message identifier out of range: ") +
                     utf8_to_utf16(std::to_string(id.index)));
  return id.index;
}

// ---------------------------------------------------------------------------------------
// The translation in force. Replaced whole, so a reader holds a consistent one.

using Translation = std::unordered_map<std::uint16_t, std::u16string>;

std::mutex translation_mutex;
std::shared_ptr<const Translation> translation;

std::shared_ptr<const Translation> current_translation() {
  std::lock_guard lock(translation_mutex);
  return translation;
}

void install(std::shared_ptr<const Translation> t) {
  std::lock_guard lock(translation_mutex);
  translation = std::move(t);
}

const char* kind_name(char kind) {
  switch (kind) {
    case 's':
      return "a string";
    case 'd':
      return "an integer";
    default:
      return "a number";
  }
}

// Refuses a translated text that would take arguments the built-in text's callers do not pass.
void check_arguments(std::string_view source, std::size_t line, std::string_view id,
                     std::u16string_view translated, std::u16string_view original) {
  const std::optional<std::string> want = argument_kinds(original);
  if (!want) return;  // the built-in text is not a template: nothing to agree with
  const std::optional<std::string> got = argument_kinds(translated);
  if (!got) refuse(source, line, id, ": the text is not a valid format template");
  for (std::size_t i = 0; i < got->size(); ++i) {
    const char have = (*got)[i];
    const char need = i < want->size() ? (*want)[i] : '.';
    if (have == '.' || have == need) continue;
    const std::string number = std::to_string(i + 1);
    if (need == '.') {
      refuse(source, line, id, ": argument ", number, " is ", kind_name(have),
             " here but the built-in text has no argument ", number);
    }
    refuse(source, line, id, ": argument ", number, " is ", kind_name(have), " here but ",
           kind_name(need), " in the built-in text");
  }
}

}  // namespace

std::u16string builtin_text(MessageId id) {
  return unescape(builtin().texts[checked(id)]);
}

std::u16string text(MessageId id) {
  const std::size_t index = checked(id);
  if (const auto t = current_translation()) {
    const auto found = t->find(static_cast<std::uint16_t>(index));
    if (found != t->end()) return found->second;
  }
  return unescape(builtin().texts[index]);
}

std::string_view identifier(MessageId id) {
  return builtin().names[checked(id)];
}

std::optional<MessageId> find(std::string_view identifier) {
  const Builtin& b = builtin();
  const auto found = b.by_name.find(identifier);
  if (found == b.by_name.end()) return std::nullopt;
  return MessageId{found->second};
}

std::size_t size() {
  return catalogue_size;
}

std::vector<MessageId> all() {
  std::vector<MessageId> ids;
  ids.reserve(catalogue_size);
  for (std::size_t i = 0; i < catalogue_size; ++i)
    ids.push_back(MessageId{static_cast<std::uint16_t>(i)});
  return ids;
}

std::vector<std::string_view> group_names() {
  return builtin().group_names;
}

std::vector<MessageId> group(std::string_view name) {
  const Builtin& b = builtin();
  for (std::size_t g = 0; g < b.group_names.size(); ++g)
    if (b.group_names[g] == name) return b.groups[g];
  return {};
}

void load_translation(std::string_view contents, std::string_view source_name) {
  std::string converted;
  if (contents.size() >= 2 && static_cast<unsigned char>(contents[0]) == 0xFF &&
      static_cast<unsigned char>(contents[1]) == 0xFE) {
    if (contents.size() % 2 != 0) refuse(source_name, 0, "UTF-16 text with an odd number of bytes");
    std::u16string wide;
    wide.reserve(contents.size() / 2 - 1);
    for (std::size_t i = 2; i + 1 < contents.size(); i += 2)
      wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(contents[i]) |
                                           static_cast<unsigned char>(contents[i + 1]) << 8));
    converted = utf16_to_utf8(wide);
    contents = converted;
  }

  auto t = std::make_shared<Translation>();
  parse_lines(
      contents, source_name, [](std::string_view) {},
      [&](std::size_t line, std::string_view id, std::string_view escaped_text) {
        const std::optional<MessageId> entry = find(id);
        if (!entry) refuse(source_name, line, "unknown message identifier ", id);
        std::u16string value = unescape(escaped_text);
        const auto [where, added] = t->try_emplace(entry->index, value);
        if (!added && where->second != value)
          refuse(source_name, line, id, " is given two different texts");
        check_arguments(source_name, line, id, value, builtin_text(*entry));
      });
  install(std::move(t));
}

void load_translation_file(const std::u16string& file_name) {
  const std::string path = u8(file_name);
  const auto fail = [&](const std::string& why) -> void {
    throw EFOpenError(u"Cannot read file \"" + file_name + u"\". " + u16(why));
  };
  // Non-blocking, so that opening a FIFO nobody writes to does not wait for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    throw EFOpenError(u"Cannot open file \"" + file_name + u"\". " + u16(std::strerror(errno)));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat status;
  if (::fstat(fd, &status) != 0) fail(std::strerror(errno));
  if (S_ISDIR(status.st_mode)) fail("It is a folder.");
  if (!S_ISREG(status.st_mode) && !S_ISFIFO(status.st_mode)) fail("It is not a file.");
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::string contents;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(std::strerror(errno));
    if (n == 0) break;
    if (contents.size() + static_cast<std::size_t>(n) > max_translation_bytes)
      fail("It is larger than 16 MiB.");
    contents.append(buffer, static_cast<std::size_t>(n));
  }
  load_translation(contents, path);
}

void clear_translation() {
  install(nullptr);
}

std::size_t translated_count() {
  const auto t = current_translation();
  return t ? t->size() : 0;
}

std::string escaped(std::u16string_view text) {
  std::string out;
  for (const char c : utf16_to_utf8(text)) {
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

std::optional<std::string> argument_kinds(std::u16string_view text) {
  // No caller passes this many arguments; a larger index is a typing error. Widths and
  // precisions beyond what Format accepts would make every use of the text fail.
  constexpr std::size_t max_argument_index = 255;
  constexpr std::size_t max_width = 1'000'000;
  std::string kinds;
  std::size_t next = 0;
  const auto take = [&](std::size_t position, char kind) {
    if (kinds.size() <= position) kinds.resize(position + 1, '.');
    if (kinds[position] != '.' && kinds[position] != kind) return false;
    kinds[position] = kind;
    return true;
  };
  const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    ++i;
    if (i < text.size() && text[i] == u'%') continue;
    // Optional index "n:".
    std::size_t j = i;
    std::size_t number = 0;
    while (j < text.size() && digit(text[j]) && number <= max_argument_index)
      number = number * 10 + (text[j++] - u'0');
    if (j > i && j < text.size() && text[j] == u':') {
      if (number > max_argument_index) return std::nullopt;
      next = number;
      i = j + 1;
    }
    if (i < text.size() && text[i] == u'-') ++i;
    // Width, then precision: digits or "*" (an integer argument).
    for (int part = 0; part < 2; ++part) {
      if (part == 1) {
        if (i >= text.size() || text[i] != u'.') break;
        ++i;
      }
      if (i < text.size() && text[i] == u'*') {
        if (!take(next++, 'd')) return std::nullopt;
        ++i;
      } else {
        std::size_t width = 0;
        while (i < text.size() && digit(text[i])) {
          width = width * 10 + (text[i++] - u'0');
          if (width > max_width) return std::nullopt;
        }
      }
    }
    if (i >= text.size()) return std::nullopt;
    char kind;
    switch (text[i] | 0x20) {  // letters of either case
      case u's':
        kind = 's';
        break;
      case u'd':
      case u'u':
      case u'x':
        kind = 'd';
        break;
      case u'e':
      case u'f':
      case u'g':
      case u'n':
      case u'm':
        kind = 'f';
        break;
      default:
        return std::nullopt;
    }
    if (!take(next++, kind)) return std::nullopt;
  }
  return kinds;
}

}  // namespace corvane::msg
