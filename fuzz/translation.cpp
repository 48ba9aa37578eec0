// Translation files and format templates from untrusted bytes: a translation is either
// loaded or refused with EConvertError, and the placeholder scanner never fails.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "corvane/messages/Message_catalogue.hpp"
#include "corvane/rtl/Exception.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    corvane::msg::load_translation(bytes, "fuzz");
  } catch (const corvane::EConvertError&) {
  }
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2)
    text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  (void)corvane::msg::argument_kinds(text);
  corvane::msg::clear_translation();
  return 0;
}
