#include "corvane/rtl/Exception.hpp"

#include "corvane/rtl/Utf.hpp"

namespace corvane {

Exception::Exception(std::u16string message)
    : message_(std::move(message)), utf8_(utf16_to_utf8(message_)) {}

Exception::Exception(std::string_view utf8_message)
    : message_(utf8_to_utf16(utf8_message)), utf8_(utf8_message) {}

}  // namespace corvane
