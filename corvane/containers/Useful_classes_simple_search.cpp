#include "corvane/containers/Useful_classes_simple_search.hpp"

#include <algorithm>
#include <filesystem>

#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/platform/CaseMapping.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

std::u16string upper_case(std::u16string s) {
  for (char16_t& c : s) c = simple_upper(c);
  return s;
}

// The items of a line: repeatedly, the text up to " -> " when it occurs, then the text up
// to "," when it occurs, otherwise the rest of the line as the last item. Trimmed.
std::vector<std::u16string> line_items(std::u16string_view line) {
  std::vector<std::u16string> items;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t arrow = line.find(u" -> ", pos);
    if (arrow != std::u16string_view::npos) {
      items.push_back(Trim(line.substr(pos, arrow - pos)));
      pos = arrow + 4;
    }
    const std::size_t comma = line.find(u',', pos);
    if (comma == std::u16string_view::npos) {
      items.push_back(Trim(line.substr(pos)));
      return items;
    }
    items.push_back(Trim(line.substr(pos, comma - pos)));
    pos = comma + 1;
  }
}

}  // namespace

TSimpleSearchSettings DefaultSimpleSearchSettings() {
  return {1000, 200};
}

TSimpleSearchlist::~TSimpleSearchlist() {
  TSimpleSearchlist::Clear();
}

void TSimpleSearchlist::Clear() {
  for (std::int32_t i = 0; i < Count(); ++i) {
    delete static_cast<TSimpleSearchHolder*>(Get(i));
    Put(i, nullptr);
  }
  Pack();
  TList::Clear();
}

std::int32_t TSimpleSearchlist::AddOne(const TSimpleSearch_rec& rec) {
  auto* holder = new TSimpleSearchHolder{rec};
  try {
    return Add(holder);
  } catch (...) {
    delete holder;
    throw;
  }
}

void TSimpleSearchlist::AddAll(const TSimpleSearchlist& other) {
  Settings = other.Settings;
  for (std::int32_t i = 0; i < other.Count(); ++i)
    if (other.IndexAssignedOK(i)) AddOne(other.GetAValue(i));
}

TSimpleSearch_rec TSimpleSearchlist::GetAValue(std::int32_t i) const {
  if (!IndexAssignedOK(i)) return {};
  return static_cast<const TSimpleSearchHolder*>(Get(i))->data;
}

std::u16string TSimpleSearchlist::GetATypedInSW(std::int32_t i) const {
  if (!IndexAssignedOK(i)) return {};
  const TSimpleSearch_rec& rec = static_cast<const TSimpleSearchHolder*>(Get(i))->data;
  return SWStringPlusFlags(rec.seek, rec.flags);
}

std::u16string TSimpleSearchlist::AsText(const std::u16string& separator) const {
  std::u16string text;
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (!IndexAssignedOK(i)) continue;
    if (!text.empty()) text += separator;
    text += static_cast<const TSimpleSearchHolder*>(Get(i))->data.seek;
  }
  return text;
}

void TSimpleSearchlist::LoadFromAStringlist(TStringList& lines, bool key_value) {
  for (std::int32_t l = 0; l < lines.Count(); ++l) {
    MyYieldProcess();
    const std::u16string line = lines.Get(l);
    if (line.empty() || line.starts_with(u";") || line.starts_with(u"//")) continue;
    for (const std::u16string& item : line_items(line)) {
      TSimpleSearch_rec rec;
      const std::size_t equals = item.find(u'=');
      if (key_value)
        rec.seek = equals == std::u16string::npos
                       ? std::u16string()
                       : upper_case(Trim(std::u16string_view(item).substr(0, equals)));
      else
        rec.seek = item;
      rec.flags = FlagsFromSW(rec.seek);
      if (!rec.flags.contains(myCaseIsSensitive)) rec.seek = upper_case(rec.seek);
      int wanted = 0;
      if (equals == std::u16string::npos ||
          !TryStrToInt(Trim(std::u16string_view(item).substr(equals + 1)), wanted))
        wanted = 0;
      rec.n_wanted = std::max(1, wanted);
      if (!rec.seek.empty()) AddOne(rec);
    }
  }
}

bool TSimpleSearchlist::LoadFromFile(const std::u16string& file_name, bool key_value) {
  Clear();
  std::error_code ec;
  if (file_name.empty() || !std::filesystem::is_regular_file(utf16_to_utf8(file_name), ec))
    return false;
  TStringList lines;
  lines.LoadFromFile(file_name);
  LoadFromAStringlist(lines, key_value);
  return true;
}

}  // namespace corvane
