#pragma once
// The simple search list: words with their flags and wanted counts, for plain look-ups,
// loaded from a text file of one or more words per line.

#include <cstdint>
#include <string>

#include "corvane/containers/Useful_classes_search_flags.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

struct TSimpleSearch_rec {
  std::u16string seek;  // the word, its flag markers removed
  std::int32_t n_wanted = 0;
  TMySearchFlags flags;
};

struct TSimpleSearchSettings {
  std::int32_t spare_wordcount_multiplier = 0;
  std::int32_t markup_search_span = 0;
};

// 1000 and 200.
TSimpleSearchSettings DefaultSimpleSearchSettings();

class TSimpleSearchHolder {
 public:
  TSimpleSearch_rec data;
};

// Owns its holders; every slot holds one.
class TSimpleSearchlist : public TList {
 public:
  explicit TSimpleSearchlist(const TSimpleSearchSettings& settings) : Settings(settings) {}
  ~TSimpleSearchlist() override;

  bool IndexAssignedOK(std::int32_t Index) const {
    return Index >= 0 && Index < Count() && Get(Index) != nullptr;
  }
  // Frees every holder, then empties the list.
  void Clear() override;

  // Adds a copy of the record; returns its index.
  std::int32_t AddOne(const TSimpleSearch_rec& rec);
  // Takes over the other list's settings and adds a copy of each of its records.
  void AddAll(const TSimpleSearchlist& other);
  // A copy of record i; an empty record (zero count, no flags) for a bad index.
  TSimpleSearch_rec GetAValue(std::int32_t i) const;
  // The word of record i as typed, with its flag markers (SWStringPlusFlags); empty for a
  // bad index.
  std::u16string GetATypedInSW(std::int32_t i) const;
  // Every word, the separator between them.
  std::u16string AsText(const std::u16string& separator) const;

  // Adds the words of each line (see the .cpp for the line form). Empty lines and lines
  // starting ";" or "//" are skipped; items are cut at " -> " and ","; in key-value mode an
  // item "word=5" asks for 5 hits of WORD. Words are upper-cased unless marked case
  // sensitive. Calls MyYieldProcess once per line.
  void LoadFromAStringlist(TStringList& lines, bool key_value);
  // Clears the list; false when the file does not exist, else loads its lines.
  bool LoadFromFile(const std::u16string& file_name, bool key_value);

  TSimpleSearchSettings Settings;
};

}  // namespace corvane
