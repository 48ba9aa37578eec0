// String lists from and to separated strings.
#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

std::unique_ptr<TStringList> StringListFromString(char16_t separator, const std::u16string& s) {
  auto list = std::make_unique<TStringList>();
  std::size_t from = 0;
  for (std::size_t at; (at = s.find(separator, from)) != std::u16string::npos;) {
    list->Add(s.substr(from, at - from));
    from = at + 1;
    if (from < s.size() && s[from] == u'\n') ++from;
  }
  list->Add(s.substr(std::min(from, s.size())));
  return list;
}

std::unique_ptr<TStringList> StringListFromString(const std::u16string& s) {
  return StringListFromString(u'\r', s);
}

int StringToStringListAllowDoubleQuotes(char16_t separator, const std::u16string& s,
                                        TStringList& list) {
  list.Clear();
  if (s.empty()) return 0;
  std::size_t from = 0;
  for (std::size_t at; (at = s.find(separator, from)) != std::u16string::npos; from = at + 1)
    list.Add(s.substr(from, at - from));
  list.Add(s.substr(from));
  return list.Count();
}

int StringToStringList(char16_t separator, const std::u16string& s, TStringList& list) {
  list.Clear();
  if (s.empty()) return 0;
  bool in_quotes = false;
  std::u16string item;
  char16_t previous = 0;
  for (char16_t c : s) {
    if (c == u'"') {
      in_quotes = !in_quotes;
      if (!in_quotes) {
        list.Add(item);
        item.clear();
      }
    } else if (c == separator) {
      // After a closing quote the item has already been added.
      if (previous != u'"') {
        list.Add(item);
        item.clear();
      }
    } else {
      item += c;
    }
    previous = c;
  }
  list.Add(item);
  return in_quotes ? -list.Count() : list.Count();
}

std::u16string AddToListWithSeparatorIfNeeded(const std::u16string& list_string,
                                              const std::u16string& item,
                                              const std::u16string& separator) {
  if (list_string.empty()) return item;
  return list_string + separator + item;
}

std::u16string StringListToString(char16_t separator, const TStringList& list, int first,
                                  int max_length) {
  std::u16string result;
  const std::u16string sep(1, separator);
  for (int i = std::max(first, 0); i < list.Count(); ++i) {
    const std::u16string entry = list.Get(i);
    if (entry.empty()) continue;
    result = AddToListWithSeparatorIfNeeded(result, entry, sep);
    if (static_cast<std::int64_t>(result.size()) >= max_length) {
      if (i + 1 < list.Count()) result += u" " + LoadResString(msg::CVEtc);
      break;
    }
  }
  return result;
}

}  // namespace corvane
