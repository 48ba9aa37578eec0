// The stored forms of an item list: a stream of typed words with their hit counts and
// languages, and a text file of typed words.

#include <exception>

#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Streams_endian.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane {

namespace {

constexpr char16_t kTab = u'\t';

// A stored number, or -1 (not stored) when the text is not a decimal integer.
std::int32_t stored_number(std::u16string_view text) {
  int value = -1;
  if (!TryStrToInt(text, value)) return -1;
  return value;
}

}  // namespace

bool TBaseSearchItems::SaveToStream(TStream& stream) const {
  try {
    write_i32(stream, Count());
    for (std::int32_t i = 0; i < Count(); ++i) {
      const TSearch_word_format_rec rec = GetSWR(i);
      std::u16string line = rec.typed_in_text;
      line += kTab;
      line += IntToStr(rec.hits_found);
      line += kTab;
      line += IntToStr(rec.Langnum);
      WriteAString(stream, line);
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TBaseSearchItems::ReadFromStream(TStream& stream) {
  try {
    const std::int32_t n = read_i32(stream);
    for (std::int32_t k = 0; k < n; ++k) {
      std::u16string line;
      ReadAString(stream, line);
      const std::size_t tab1 = line.find(kTab);
      const TSWIndices indices = AddedSearchWords(line.substr(0, tab1));
      if (tab1 == std::u16string::npos) continue;
      const std::u16string_view rest = std::u16string_view(line).substr(tab1 + 1);
      const std::size_t tab2 = rest.find(kTab);
      if (tab2 == std::u16string_view::npos) continue;
      // A value that is not a number is left out, as a negative one is.
      const std::int32_t hits = stored_number(rest.substr(0, tab2));
      const std::int32_t language = stored_number(rest.substr(tab2 + 1));
      for (std::int32_t i : indices) {
        if (hits >= 0) SetHitsFound(i, hits);
        if (language >= 0) SetLanguage(i, static_cast<std::int16_t>(language));
      }
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TBaseSearchItems::SaveToFile(const std::u16string& file_name) const {
  try {
    TypedInWordsAsStringlist()->SaveToFile(file_name);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TBaseSearchItems::LoadFromFile(const std::u16string& file_name, std::int32_t n) {
  try {
    TStringList lines;
    lines.LoadFromFile(file_name);
    fSearchWordList->Clear();
    for (std::int32_t i = 0; i < lines.Count(); ++i) {
      const std::u16string line = lines.Get(i);
      if (!line.empty()) AddedSearchWords(line, n);
    }
    fFrom_a_file = Count() > 0;
    return fFrom_a_file;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace corvane
