// Reads arbitrary bytes as an extra-font list of settings of container version 19 (no
// record version, 28-byte records) and of version 20 (a record version, 72-byte records
// unless it is 0). Nothing may crash or allocate beyond what the bytes back; a list read
// at version 20 with its current record version writes back the bytes it was read from.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Exception.hpp"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  for (std::int32_t version : {19, 20}) {
    TBytesStream stream(bytes);
    TExtraFontList list;
    bool complete = false;
    try {
      complete = list.XReadFromStream(stream, version);
    } catch (const Exception&) {
    }
    for (std::int32_t i = 0; i < list.Count(); ++i) {
      const TExtraFontRec r = list.GetAFontFrec(i);
      if (list.GetEFVersion() < 3 && !(r.default_typeface == r.spare_typefaces)) std::abort();
      if ((!r.default_typeface.empty() || !r.highlight_typeface.empty()) &&
          !list.insert_space_between_words)
        std::abort();
    }
    list.SortOnStartpoints();
    for (std::int32_t i = 0; i + 1 < list.Count(); ++i)
      if (list.GetAFontFrec(i).switch_on_at_char > list.GetAFontFrec(i + 1).switch_on_at_char)
        std::abort();
    if (complete && version == 20 && list.GetEFVersion() == kExtraFontCurrentVersion && size >= 4 &&
        static_cast<std::int8_t>(data[3]) >= 0) {
      // Unsorted again: read afresh and write back.
      TBytesStream again_in(bytes);
      TExtraFontList fresh;
      fresh.XReadFromStream(again_in, 20);
      TMemoryStream out;
      fresh.XSaveToStream(out, 20);
      if (!std::equal(out.bytes().begin(), out.bytes().end(), bytes.begin()) ||
          out.Size() != again_in.Position())
        std::abort();
    }
  }
  return 0;
}
