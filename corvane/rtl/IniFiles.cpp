#include "corvane/rtl/IniFiles.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/System_text.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

std::u16string error_text(int error) {
  return u16(std::strerror(error));
}

void append_utf16le(std::string& out, std::u16string_view text) {
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
}

}  // namespace

bool detail::utf16_to_windows_1252(std::u16string_view text, std::string& out) {
  static const std::u16string high = windows_1252_to_utf16(
      std::string_view("\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
                       "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F",
                       32));
  out.clear();
  out.reserve(text.size());
  for (char16_t c : text) {
    const auto at = high.find(c);
    if (at != std::u16string::npos) {
      out.push_back(static_cast<char>(0x80 + at));
    } else if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
    } else {
      return false;
    }
  }
  return true;
}

void detail::write_bytes_beside(const std::u16string& file_name, std::string_view bytes) {
  const std::string target = u8(file_name);
  std::random_device random;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(random() & 0xFFFFFF);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    throw EFCreateError(u"Cannot create file \"" + file_name + u"\". " + error_text(errno));
  }
  auto fail = [&](int error) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw EWriteError(u"Cannot write file \"" + file_name + u"\". " + error_text(error));
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    if (n == 0) fail(ENOSPC);
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    throw EWriteError(u"Cannot write file \"" + file_name + u"\". " + error_text(error));
  }
  if (const int error = replace_file_keeping_attributes(temp, target); error != 0) {
    ::unlink(temp.c_str());
    throw EWriteError(u"Cannot write file \"" + file_name + u"\". " + error_text(error));
  }
}

TMemIniFile::TMemIniFile(std::u16string file_name) : file_name_(std::move(file_name)) {
  load_file();
}

TMemIniFile::TMemIniFile(std::u16string file_name, TTextEncodingKind encoding)
    : file_name_(std::move(file_name)) {
  load_file();
  SetEncoding(encoding);
}

void TMemIniFile::SetEncoding(TTextEncodingKind encoding) {
  encoding_ = encoding == enc_none ? enc_ansi : encoding;
}

void TMemIniFile::load_file() {
  sections_.clear();
  unreadable_ = false;
  encoding_ = enc_ansi;
  if (file_name_.empty()) return;
  const std::string path = u8(file_name_);
  struct stat status;
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    unreadable_ = true;
    return;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) unreadable_ = true;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (unreadable_) return;
  TTextEncodingKind kind = enc_none;
  const std::u16string text = decode_text_bytes(bytes, &kind);
  SetEncoding(kind);
  SetText(text);
}

const TMemIniFile::Section* TMemIniFile::find_section(std::u16string_view name) const {
  for (const Section& s : sections_)
    if (SameText(s.name, name)) return &s;
  return nullptr;
}

TMemIniFile::Section* TMemIniFile::find_section(std::u16string_view name) {
  for (Section& s : sections_)
    if (SameText(s.name, name)) return &s;
  return nullptr;
}

const TMemIniFile::Entry* TMemIniFile::find_entry(const Section& section,
                                                  std::u16string_view name) {
  for (const Entry& e : section.entries)
    if (SameText(e.name, name)) return &e;
  return nullptr;
}

std::u16string TMemIniFile::ReadString(std::u16string_view section, std::u16string_view ident,
                                       std::u16string_view default_value) const {
  if (const Section* s = find_section(section)) {
    if (const Entry* e = find_entry(*s, ident); e != nullptr && e->has_value) return e->value;
  }
  return std::u16string(default_value);
}

void TMemIniFile::WriteString(std::u16string_view section, std::u16string_view ident,
                              std::u16string_view value) {
  Section* s = find_section(section);
  if (s == nullptr) {
    sections_.push_back(Section{std::u16string(section), {}});
    s = &sections_.back();
  }
  for (Entry& e : s->entries) {
    if (SameText(e.name, ident)) {
      e.value = std::u16string(value);
      e.has_value = true;
      return;
    }
  }
  s->entries.push_back(Entry{std::u16string(ident), std::u16string(value), true});
}

std::int32_t TMemIniFile::ReadInteger(std::u16string_view section, std::u16string_view ident,
                                      std::int32_t default_value) const {
  int value = 0;
  const std::u16string text = ReadString(section, ident, u"");
  return TryStrToInt(text, value) ? value : default_value;
}

void TMemIniFile::WriteInteger(std::u16string_view section, std::u16string_view ident,
                               std::int32_t value) {
  WriteString(section, ident, u16(std::to_string(value)));
}

bool TMemIniFile::ReadBool(std::u16string_view section, std::u16string_view ident,
                           bool default_value) const {
  return ReadInteger(section, ident, default_value ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(std::u16string_view section, std::u16string_view ident, bool value) {
  WriteString(section, ident, value ? u"1" : u"0");
}

bool TMemIniFile::SectionExists(std::u16string_view section) const {
  return find_section(section) != nullptr;
}

bool TMemIniFile::ValueExists(std::u16string_view section, std::u16string_view ident) const {
  const Section* s = find_section(section);
  return s != nullptr && find_entry(*s, ident) != nullptr;
}

void TMemIniFile::ReadSections(TStringList& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  for (const Section& s : sections_) strings.Add(s.name);
  strings.EndUpdate();
}

void TMemIniFile::ReadSection(std::u16string_view section, TStringList& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  if (const Section* s = find_section(section))
    for (const Entry& e : s->entries) strings.Add(e.name);
  strings.EndUpdate();
}

void TMemIniFile::ReadSectionValues(std::u16string_view section, TStringList& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  if (const Section* s = find_section(section))
    for (const Entry& e : s->entries) strings.Add(e.has_value ? e.name + u"=" + e.value : e.name);
  strings.EndUpdate();
}

void TMemIniFile::EraseSection(std::u16string_view section) {
  std::erase_if(sections_, [&](const Section& s) { return SameText(s.name, section); });
}

void TMemIniFile::DeleteKey(std::u16string_view section, std::u16string_view ident) {
  if (Section* s = find_section(section))
    std::erase_if(s->entries, [&](const Entry& e) { return SameText(e.name, ident); });
}

void TMemIniFile::Clear() {
  sections_.clear();
}

void TMemIniFile::GetStrings(TStringList& list) const {
  list.BeginUpdate();
  list.Clear();
  for (const Section& s : sections_) {
    list.Add(u"[" + s.name + u"]");
    for (const Entry& e : s.entries) list.Add(e.has_value ? e.name + u"=" + e.value : e.name);
    list.Add(u"");
  }
  list.EndUpdate();
}

void TMemIniFile::SetStrings(const TStringList& list) {
  sections_.clear();
  Section* current = nullptr;
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    const std::u16string line = Trim(list.Get(i));
    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
      const std::u16string name = Trim(std::u16string_view(line).substr(1, line.size() - 2));
      current = find_section(name);
      if (current == nullptr) {
        sections_.push_back(Section{name, {}});
        current = &sections_.back();
      }
      continue;
    }
    if (current == nullptr) continue;
    const auto eq = line.find(u'=');
    if (eq == std::u16string::npos) {
      current->entries.push_back(Entry{line, u"", false});
    } else {
      current->entries.push_back(Entry{Trim(std::u16string_view(line).substr(0, eq)),
                                       Trim(std::u16string_view(line).substr(eq + 1)), true});
    }
  }
}

void TMemIniFile::SetText(std::u16string_view text) {
  TStringList list;
  for (const std::u16string& line : split_text_lines(text)) list.Add(line);
  SetStrings(list);
}

std::string TMemIniFile::FileBytes() const {
  TStringList list;
  GetStrings(list);
  std::u16string text;
  for (std::int32_t i = 0; i < list.Count(); ++i) text += list.Get(i) + u"\r\n";
  std::string out;
  switch (encoding_) {
    case enc_utf16le:
      out = "\xFF\xFE";
      append_utf16le(out, text);
      return out;
    case enc_utf16be:
      out = "\xFE\xFF";
      for (char16_t c : text) {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
      }
      return out;
    case enc_utf8:
      return "\xEF\xBB\xBF" + u8(text);
    default:
      if (detail::utf16_to_windows_1252(text, out)) return out;
      return "\xEF\xBB\xBF" + u8(text);
  }
}

void TMemIniFile::UpdateFile() {
  if (unreadable_) {
    throw EWriteError(u"Cannot write file \"" + file_name_ +
                      u"\". It exists but could not be read, so it is left as it was");
  }
  detail::write_bytes_beside(file_name_, FileBytes());
}

void TMemIniFile::Rename(std::u16string file_name, bool reload) {
  file_name_ = std::move(file_name);
  if (reload) {
    load_file();
  } else {
    unreadable_ = false;  // the keys in memory go to a new file
  }
}

}  // namespace corvane
