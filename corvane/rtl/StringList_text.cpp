// TStringList: text, delimited text, and loading and saving files.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/System_text.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

bool is_blank(char16_t c) {
  return c >= 1 && c <= u' ';
}

// Wraps s in quote, doubling every quote inside.
std::u16string quoted(const std::u16string& s, char16_t quote) {
  std::u16string out(1, quote);
  for (char16_t c : s) {
    out += c;
    if (c == quote) out += c;
  }
  out += quote;
  return out;
}

// Reads a quoted string starting at text[pos] (the opening quote): doubled quotes
// stand for one; the closing quote ends it; no closing quote takes the rest (up to a
// U+0000). pos ends after the closing quote.
std::u16string extract_quoted(const std::u16string& text, std::size_t end, std::size_t& pos,
                              char16_t quote) {
  std::u16string out;
  ++pos;
  while (pos < end) {
    char16_t c = text[pos++];
    if (c == quote) {
      if (pos < end && text[pos] == quote) {
        out += quote;
        ++pos;
        continue;
      }
      return out;
    }
    out += c;
  }
  return out;
}

}  // namespace

std::u16string TStringList::GetTextStr() {
  std::size_t size = 0;
  for (const auto& item : items_) size += item.string.size() + line_break_.size();
  std::u16string text;
  text.reserve(size);
  for (const auto& item : items_) {
    text += item.string;
    text += line_break_;
  }
  return text;
}

void text_with_crlf_lines(std::u16string_view text, std::u16string& out) {
  out.clear();
  out.reserve(text.size() + text.size() / 16 + 2);
  bool open_line = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == 0) break;
    if (c == u'\r' || c == u'\n') {
      out += u"\r\n";
      open_line = false;
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out.push_back(c);
      open_line = true;
    }
  }
  if (open_line) out += u"\r\n";
}

std::vector<std::u16string> split_text_lines(std::u16string_view text,
                                             std::u16string_view line_break) {
  std::vector<std::u16string> lines;
  std::size_t end = text.find(u'\0');
  if (end == std::u16string_view::npos) end = text.size();
  std::size_t pos = 0;
  if (line_break.empty() || line_break == u"\r\n") {
    while (pos < end) {
      std::size_t start = pos;
      while (pos < end && text[pos] != u'\n' && text[pos] != u'\r') ++pos;
      lines.emplace_back(text.substr(start, pos - start));
      if (pos < end && text[pos] == u'\r') ++pos;
      if (pos < end && text[pos] == u'\n') ++pos;
    }
    return lines;
  }
  std::u16string_view body = text.substr(0, end);
  while (pos < end) {
    std::size_t at = body.find(line_break, pos);
    if (at == std::u16string_view::npos) {
      lines.emplace_back(body.substr(pos));
      break;
    }
    lines.emplace_back(body.substr(pos, at - pos));
    pos = at + line_break.size();
  }
  return lines;
}

void TStringList::SetTextStr(const std::u16string& text) {
  BeginUpdate();
  try {
    Clear();
    for (auto& line : split_text_lines(text, line_break_)) Add(line);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::u16string TStringList::DelimitedText() {
  if (Count() == 1 && items_[0].string.empty()) return std::u16string(2, quote_char_);
  std::u16string result;
  for (std::int32_t i = 0; i < Count(); ++i) {
    const std::u16string& s = items_[i].string;
    // Quoted when it holds the delimiter, the quote or (unless strict) a blank before any
    // U+0000 (where a zero-terminated scan would stop).
    bool needs_quotes = false;
    for (char16_t c : s) {
      if (c == u'\0') break;
      if (c == quote_char_ || c == delimiter_ || (!strict_delimiter_ && is_blank(c))) {
        needs_quotes = true;
        break;
      }
    }
    if (i > 0) result += delimiter_;
    result += needs_quotes ? quoted(s, quote_char_) : s;
  }
  return result;
}

void TStringList::SetDelimitedText(const std::u16string& text) {
  BeginUpdate();
  try {
    Clear();
    std::size_t end = text.find(u'\0');
    if (end == std::u16string::npos) end = text.size();
    std::size_t pos = 0;
    auto skip_blanks = [&] {
      if (!strict_delimiter_) {
        while (pos < end && is_blank(text[pos])) ++pos;
      }
    };
    skip_blanks();
    while (pos < end) {
      std::u16string s;
      if (text[pos] == quote_char_) {
        s = extract_quoted(text, end, pos, quote_char_);
      } else {
        std::size_t start = pos;
        while (pos < end && text[pos] != delimiter_ && (strict_delimiter_ || text[pos] > u' ')) {
          ++pos;
        }
        s = text.substr(start, pos - start);
      }
      Add(s);
      skip_blanks();
      if (pos < end && text[pos] == delimiter_) {
        if (pos + 1 >= end) Add(std::u16string());
        do {
          ++pos;
        } while (!strict_delimiter_ && pos < end && is_blank(text[pos]));
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::u16string TStringList::CommaText() {
  char16_t old_delimiter = delimiter_;
  char16_t old_quote = quote_char_;
  delimiter_ = u',';
  quote_char_ = u'"';
  std::u16string result = DelimitedText();
  delimiter_ = old_delimiter;
  quote_char_ = old_quote;
  return result;
}

void TStringList::SetCommaText(const std::u16string& text) {
  char16_t old_delimiter = delimiter_;
  char16_t old_quote = quote_char_;
  delimiter_ = u',';
  quote_char_ = u'"';
  try {
    SetDelimitedText(text);
  } catch (...) {
    delimiter_ = old_delimiter;
    quote_char_ = old_quote;
    throw;
  }
  delimiter_ = old_delimiter;
  quote_char_ = old_quote;
}

// ---- Files

std::u16string decode_text_bytes(std::string_view bytes, TTextEncodingKind* kind) {
  TTextEncodingKind ignored;
  if (kind == nullptr) kind = &ignored;
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  auto utf16 = [&](std::size_t from, bool big_endian) {
    std::u16string out((bytes.size() - from) / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
      unsigned a = byte(from + 2 * i), b = byte(from + 2 * i + 1);
      out[i] = static_cast<char16_t>(big_endian ? (a << 8 | b) : (b << 8 | a));
    }
    return out;
  };
  if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
    *kind = enc_utf8;
    return utf8_to_utf16(bytes.substr(3));
  }
  if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
    *kind = enc_utf16le;
    return utf16(2, false);
  }
  if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF) {
    *kind = enc_utf16be;
    return utf16(2, true);
  }
  *kind = enc_ansi;
  // 8-bit text in the system code page; should that page be unavailable, windows-1252
  // reads every byte rather than lose any.
  return decode_ansi_text(bytes);
}

void TStringList::LoadFromStream(TStream& stream) {
  std::int64_t size = stream.Remaining();
  std::string bytes;
  // Read in pieces: the stream may hold less than its size promised.
  constexpr std::int32_t kChunk = 1 << 20;
  while (size > 0) {
    auto n = static_cast<std::int32_t>(std::min<std::int64_t>(size, kChunk));
    std::size_t old = bytes.size();
    bytes.resize(old + static_cast<std::size_t>(n));
    std::int32_t got = stream.Read(bytes.data() + old, n);
    bytes.resize(old + static_cast<std::size_t>(got > 0 ? got : 0));
    if (got != n) break;
    size -= n;
  }
  BeginUpdate();
  try {
    std::u16string text = decode_text_bytes(bytes, &encoding_);
    SetTextStr(text);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStringList::LoadFromFile(const std::u16string& file_name) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TStringList::SaveToStream(TStream& stream) {
  std::u16string text = GetTextStr();
  std::string bytes;
  bytes.reserve(2 + text.size() * 2);
  bytes += '\xFF';
  bytes += '\xFE';
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  std::size_t done = 0;
  constexpr std::size_t kChunk = 1 << 20;
  while (done < bytes.size()) {
    std::size_t n = std::min(bytes.size() - done, kChunk);
    stream.WriteBuffer(bytes.data() + done, static_cast<std::int32_t>(n));
    done += n;
  }
}

void TStringList::SaveToFile(const std::u16string& file_name) {
  // Write beside the target and rename, so that the old file is replaced only by a
  // complete new one.
  std::random_device random;
  std::u16string temp_name = file_name + u".tmp" + u16(std::to_string(::getpid())) + u"_" +
                             u16(std::to_string(random() & 0xFFFFFF));
  auto create_error = [&](int error) {
    return EFCreateError(u"Cannot create file \"" + file_name + u"\". " +
                         u16(std::strerror(error)));
  };
  std::unique_ptr<TFileStream> file;
  try {
    file = std::make_unique<TFileStream>(temp_name, fmCreate);
  } catch (const EFCreateError& e) {
    // Name the target, not the temporary file, in the message.
    std::u16string message = e.Message();
    auto at = message.find(temp_name);
    if (at != std::u16string::npos) message.replace(at, temp_name.size(), file_name);
    throw EFCreateError(message);
  }
  try {
    SaveToStream(*file);
    file.reset();
    if (const int error = detail::replace_file_keeping_attributes(u8(temp_name), u8(file_name));
        error != 0) {
      throw create_error(error);
    }
  } catch (...) {
    file.reset();
    std::remove(u8(temp_name).c_str());
    throw;
  }
}

}  // namespace corvane
