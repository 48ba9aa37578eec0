// Format, FormatFloat, FormatDateTime and the number and date readers on arbitrary text:
// none may crash, read past its arguments or loop; errors are EConvertError only.

#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/rtl/SysUtils.hpp"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  const TFormatSettings fs;
  try {
    Format(text, {42, 2.5, u"str", u'c', std::int64_t{-7}, nullptr}, fs);
  } catch (const EConvertError&) {
  }
  FormatFloat(text.substr(0, 64), -1234.5678, fs);
  FormatDateTime(text.substr(0, 64), 45357.58761, fs);
  int i = 0;
  std::int64_t i64 = 0;
  double d = 0;
  TDateTime dt = 0;
  TryStrToInt(text, i);
  TryStrToInt64(text, i64);
  TryStrToFloat(text, d, fs);
  TryStrToDate(text, dt, fs);
  ExtractFileExt(text);
  ExtractFileDir(text);
  ExtractFileDrive(text);
  AnsiDequotedStr(text, u'\'');
  return 0;
}
