#include "corvane/rtl/Exception.hpp"

#include <cerrno>
#include <cstring>
#include <string>

#include "corvane/rtl/Utf.hpp"

namespace corvane {

Exception::Exception(std::u16string message)
    : message_(std::move(message)), utf8_(utf16_to_utf8(message_)) {}

Exception::Exception(std::string_view utf8_message)
    : message_(utf8_to_utf16(utf8_message)), utf8_(utf8_message) {}

std::u16string SysErrorMessage(int error) {
  return utf8_to_utf16(std::strerror(error));
}

void RaiseLastOSError() {
  RaiseLastOSError(errno);
}

void RaiseLastOSError(int error) {
  throw EOSError(u"System Error.  Code: " + utf8_to_utf16(std::to_string(error)) + u".\n" +
                 SysErrorMessage(error));
}

}  // namespace corvane
