// The streamable string list: UTF-16 strings announced by a negative count, or the 8-bit
// short strings of older settings announced by a positive one.
#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/definitions/Wdef.hpp"
#include "corvane/files/Myfilestreamu.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams_endian.hpp"

namespace corvane {

bool TMyStreamableStringlist::SaveToStream(TStream& stream) {
  try {
    if (!detail::try_write_le<std::int32_t>(stream, -Count())) return false;
    for (std::int32_t i = 0; i < Count(); ++i) {
      MyYieldProcess();
      const std::u16string s = Strings(i);
      const std::int64_t before = stream.Position();
      WriteAString(stream, s);
      if (stream.Position() - before != 4 + 2 * static_cast<std::int64_t>(s.size())) return false;
    }
  } catch (const Exception&) {
    return false;
  }
  return true;
}

bool TMyStreamableStringlist::ReadFromStream(TStream& stream) {
  Clear();
  std::int32_t stored = 0;
  if (!detail::try_read_le(stream, stored)) return false;
  // Widened so that the most negative count has a magnitude too.
  const bool wide = stored < 0;
  const std::int64_t count = wide ? -static_cast<std::int64_t>(stored) : stored;
  try {
    // Each string is read before it is added: a count the stream does not back ends in a
    // read error, never in a large allocation.
    for (std::int64_t i = 0; i < count; ++i) {
      MyYieldProcess();
      if (wide) {
        std::u16string s;
        ReadAString(stream, s);
        Add(s);
      } else {
        Add(ReadShortStringUnicode(stream));
      }
    }
  } catch (const Exception&) {
    return false;
  }
  return true;
}

}  // namespace corvane
