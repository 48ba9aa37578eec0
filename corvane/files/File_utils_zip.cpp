// Zip entries read as text are decoded exactly as text files are.
#include "corvane/files/File_utils.hpp"
#include "corvane/platform/ZipForge.hpp"

namespace corvane {

namespace detail {

std::u16string decode_file_bytes(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  if ((n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) ||
      (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))))
    return decode_text_bytes(bytes);
  TTextEncodingKind kind = enc_none;
  return decode_unmarked_text(bytes, kind);
}

}  // namespace detail

void File_utils_initialization() {
  set_zip_text_decoder(&detail::decode_file_bytes);
}

void File_utils_finalization() {
  set_zip_text_decoder(nullptr);
}

}  // namespace corvane
