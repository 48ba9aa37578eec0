// Feeds arbitrary bytes to the stream readers of every list of the containers and to the
// string list's loaders. Readers may answer false or raise the fixed read error; they must
// not crash, leak or allocate without bound. Lists that read back completely must write
// the same bytes again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <vector>

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/StringList.hpp"

namespace {

using namespace corvane;

std::vector<std::uint8_t> bytes_of(const std::uint8_t* data, std::size_t size) {
  return std::vector<std::uint8_t>(data, data + size);
}

// Reads a list; when the read succeeded, saving a fresh copy must give back the bytes
// consumed (the sorted byte normalised to 0 or 1).
template <class L>
void read_list(const std::uint8_t* data, std::size_t size, bool check_round_trip) {
  TBytesStream in(bytes_of(data, size));
  L list;
  bool ok = false;
  try {
    ok = list.ReadFromStream(in);
  } catch (const Exception&) {
    return;
  }
  if (!ok || !check_round_trip) return;
  TMemoryStream out;
  if (!list.SaveToStream(out)) std::abort();
  auto consumed = static_cast<std::size_t>(in.Position());
  std::vector<std::uint8_t> expected(data, data + consumed);
  // A negative count reads as no elements and is written back as 0.
  if (consumed >= 4 && (expected[3] & 0x80)) std::fill(expected.begin(), expected.begin() + 4, 0);
  if constexpr (std::is_base_of_v<TUsefulBaseListSorts, L>) {
    if (consumed >= 5) expected[4] = expected[4] != 0 ? 1 : 0;
  }
  if (out.bytes() != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Fewer elements without bytes behind them: the same code paths, faster runs.
  detail::max_unbacked_elements = 300;
  read_list<TCVLongintList>(data, size, true);
  read_list<TCVActiveLongintList>(data, size, true);
  read_list<TCardinalList>(data, size, true);
  read_list<TCVInt64List>(data, size, true);
  read_list<TIntegerAndSingleList>(data, size, true);
  read_list<T2LongintAndSingleList>(data, size, true);
  read_list<T3LongintAndSingleList>(data, size, true);
  read_list<TCardinalAndFreqList>(data, size, true);
  read_list<TIntegerAnd3CardinalsList>(data, size, true);
  read_list<T2LongintList>(data, size, true);
  read_list<T3LongintList>(data, size, true);
  read_list<T4LongintList>(data, size, true);
  read_list<TDoublePointerList>(data, size, true);
  read_list<TWordFreqAndSourceNumList>(data, size, true);
  read_list<TStringColumnAndColourList>(data, size, true);
  read_list<T2StringsAnd2IntegersList>(data, size, true);

  {
    TBytesStream in(bytes_of(data, size));
    TSmallintList list;
    list.ReadFromStream(size > 0 ? data[0] * 1000 : 0, in);
  }
  for (bool objects : {false, true}) {
    TBytesStream in(bytes_of(data, size));
    TMySaveStringList list(objects);
    try {
      list.LoadFromStream(in);
    } catch (const Exception&) {
    }
  }
  {
    TBytesStream in(bytes_of(data, size));
    std::u16string s;
    try {
      ReadAString(in, 0x7FFFFFFF, s);
    } catch (const Exception&) {
    }
  }
  {
    TBytesStream in(bytes_of(data, size));
    TStringList list;
    list.LoadFromStream(in);
    std::u16string text = list.Text();
    list.SetCommaText(text);
    TStringListWithALongint numbers;
    numbers.SetText(text);
  }
  return 0;
}
