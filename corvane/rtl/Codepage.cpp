#include "corvane/rtl/Codepage.hpp"

#include <unicode/ucnv.h>

#include <atomic>
#include <memory>
#include <string>

namespace corvane {

namespace {

std::atomic<std::uint32_t> g_ansi_code_page{1252};

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};

std::unique_ptr<UConverter, ConverterCloser> open_converter(std::uint32_t code_page) {
  UErrorCode status = U_ZERO_ERROR;
  std::string name = "windows-" + std::to_string(code_page);
  UConverter* converter = ucnv_open(name.c_str(), &status);
  if (U_FAILURE(status) || converter == nullptr) {
    status = U_ZERO_ERROR;
    converter = ucnv_open("windows-1252", &status);
  }
  if (U_FAILURE(status)) converter = nullptr;
  return std::unique_ptr<UConverter, ConverterCloser>(converter);
}

}  // namespace

std::uint32_t system_ansi_code_page() {
  return g_ansi_code_page.load();
}

void set_system_ansi_code_page(std::uint32_t code_page) {
  g_ansi_code_page.store(code_page);
}

namespace detail {

std::u16string ansi_to_utf16(std::string_view bytes, std::uint32_t code_page) {
  std::u16string out;
  if (bytes.empty()) return out;
  auto converter = open_converter(code_page);
  if (!converter) {
    // No converter at all: read the bytes as Latin-1 rather than lose them.
    out.assign(bytes.begin(), bytes.end());
    for (auto& c : out) c = static_cast<unsigned char>(c);
    return out;
  }
  // An 8-bit page never yields more than two code units per byte.
  out.resize(bytes.size() * 2 + 2);
  const char* source = bytes.data();
  const char* source_end = source + bytes.size();
  UChar* target = reinterpret_cast<UChar*>(out.data());
  UChar* target_start = target;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(converter.get(), &target, target + out.size(), &source, source_end, nullptr, true,
                 &status);
  out.resize(static_cast<std::size_t>(target - target_start));
  return out;
}

}  // namespace detail

}  // namespace corvane
