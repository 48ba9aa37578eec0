#include "tools/corvane/Json.hpp"

#include <cstdio>

#include "corvane/rtl/Utf.hpp"

namespace corvane::cli {

void write_json_string(std::ostream& out, std::string_view utf8) {
  out << '"';
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out << "\\\"";
        break;
      case '\\':
        out << "\\\\";
        break;
      case '\n':
        out << "\\n";
        break;
      case '\r':
        out << "\\r";
        break;
      case '\t':
        out << "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out << buf;
        } else {
          out << ch;
        }
    }
  }
  out << '"';
}

void write_json_string(std::ostream& out, std::u16string_view text) {
  write_json_string(out, u8(text));
}

}  // namespace corvane::cli
