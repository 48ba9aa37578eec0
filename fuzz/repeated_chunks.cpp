// Fuzzes the repeat finders with random arguments: RepeatedXCharChunks (chunk lengths,
// minimum frequencies and limits of any sign: below 1 the list is empty, and it never
// loops for ever) and the repeated-sentence search over the same text. Input: bytes 0-1
// the chunk length, 2-3 the minimum frequency, 4-5 the limit, 6 the sentence settings; the
// rest, mapped onto a small alphabet so that text repeats, is the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/files/My_string_functions_repeats.hpp"

namespace {

constexpr std::u16string_view kAlphabet = u"aaAbB. .\r\n!?3\u00E9\u4E2D\u3002";

void check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  if (size < 7) return 0;
  const int len = static_cast<std::int16_t>(data[0] | (data[1] << 8));
  const int min_freq = static_cast<std::int16_t>(data[2] | (data[3] << 8));
  const int limit = static_cast<std::int16_t>(data[4] | (data[5] << 8));
  const std::uint8_t settings = data[6];
  std::u16string text;
  for (std::size_t i = 7; i < size; ++i) text += kAlphabet[data[i] % kAlphabet.size()];

  int last_percent = -1;
  const auto chunks = RepeatedXCharChunks(len, min_freq, limit, text, [&](int pc) {
    check(pc >= last_percent && pc <= 100);
    last_percent = pc;
  });
  if (len < 1 || limit < 1 || len <= 100) check(chunks->Count() == 0);
  for (int i = 0; i < chunks->Count(); ++i) {
    const T2_longint_rec r = chunks->GetOne(i);
    check(r.long0 >= min_freq && r.long0 >= 1);
    check(r.long1 >= 1 && static_cast<std::size_t>(r.long1) <= text.size());
    if (i > 0) check(chunks->GetOne(i - 1).long0 >= r.long0);
  }

  TRepeatedChunks repeats;
  repeats.SetSettings(settings & 1, 100, 1 + ((settings >> 1) & 3), (settings >> 3) & 7, nullptr,
                      nullptr, nullptr);
  repeats.processing = true;
  const int added = repeats.AddedToRepeatedSentencesInTxt(0, text);
  check(added == repeats.chunks_list->Count());
  for (int i = 0; i < repeats.chunks_list->Count(); ++i) {
    TListOfOccurrences* o = repeats.chunks_list->GetAListOfOccurrences(i);
    check(o != nullptr && o->Count() == 1 && o->GetADouble(0).long1 >= repeats.min_hits);
  }
  repeats.SortDescendingFreq();
  repeats.SortAScendingFilenumbers();
  return 0;
}
