#pragma once
// The small collections kept in settings and saved lists, with their stream formats: the
// sections of a text, the extra colour-and-typeface runs of a displayed line, language
// definitions, plain string lists and colour sets; and the text forms of two settings
// (tag treatment in word lists, ignored tag delimiters).
//
// Each list owns its holders, one per entry, each with a copy of a plain record; deleting
// an entry or clearing the list frees its holder.
//
// Readers never trust a stored count: entries are appended as they are read, so a count
// that the stream does not back costs a read error, never a large allocation.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "corvane/containers/Sortablelists.hpp"
#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/search/User_input_wildcard_parsing.hpp"  // TIgnore_tag_type

namespace corvane {

class TStream;

// ---- Sections

struct TSectionTagRec {
  std::int32_t start_byte_position = 0;  // where the section starts in the text
  std::u16string w;                      // its heading
  bool operator==(const TSectionTagRec&) const = default;
};

// The answer of a look-up: the heading and the number (from 1; 0 for none).
struct TSectionStartInfo {
  std::u16string section;
  std::int32_t section_number = 0;
};

class TSectionStartHolder : public TObject {
 public:
  explicit TSectionStartHolder(const TSectionTagRec& rec) : data(rec) {}
  TSectionTagRec data;
};

// -1, 0 or 1 as holder a starts before, with or after holder b: sorts sections by start.
int SortSectionTags(void* a, void* b);

// Stream form, little-endian: the count (32-bit signed), then per entry its start
// (32-bit signed) and its heading as WriteAString writes it. The file form puts the
// 57-byte saved-list header of the running tool and lt_sections_list ("Section List32")
// before the stream.
class TSectionStartsList : public TList {
 public:
  TSectionStartsList() = default;
  ~TSectionStartsList() override;

  // Appends a holder with a copy of rec; returns its index.
  std::int32_t AddSection(const TSectionTagRec& rec);
  TSectionStartHolder* Holder(std::int32_t i) const {
    return static_cast<TSectionStartHolder*>(Get(i));
  }
  // A copy of entry i's record; start -1 and an empty heading for an index outside the list.
  TSectionTagRec GetASection(std::int32_t i) const;
  // Orders the entries by start (SortSectionTags).
  void SortSections() { Sort(SortSectionTags); }

  // True only when every write completed; nothing more is written after a failed one.
  bool SaveToStream(TStream& stream);
  // Appends the entries of a stream (the list is not cleared first). False when the count
  // or a start cannot be read; a heading that cannot be read raises EReadError. Entries
  // read before a failure stay.
  bool ReadFromStream(TStream& stream);
  // Writes the header and the stream to the file: beside the name, renamed over it when
  // complete (EFCreateError or EWriteError when that fails, the old file left as it was).
  bool SaveToFile(const std::u16string& name);
  // Opens the file (raising when it cannot) and reads the stream when the header is the
  // running tool's lt_sections_list header; false otherwise.
  bool ReadFromFile(const std::u16string& name);

  // The section holding the byte position, searching from entry `first` of a list sorted
  // by start: the last entry starting at or before the position. Nothing found: an empty
  // heading and number 0.
  TSectionStartInfo SectionFromBytePosition(std::int32_t first, std::int32_t position) const;

 protected:
  void Notify(void* item, TListNotification action) override;
};

// ---- Extra fonts

enum TExtraFontCategory : std::uint8_t {
  efc_tag,
  efc_context_word,
  efc_colloc_highlight,
  efc_centre_word,
  efc_sort1,
  efc_sort2,
  efc_sort3,
  efc_unknown,
};

// The record of version 0: 28 bytes (the first 28 of TExtraFontRec).
struct TExtraFontRecOld {
  std::int32_t switch_on_at_char = 0;
  std::int32_t switch_off_at_char = 0;  // negative: open-ended
  TMyCanvasColourRec colour_rec;
  Ttypeface_Set spare_typefaces;  // the one typeface set of version 0
  bool operator==(const TExtraFontRecOld&) const = default;
};
constexpr std::size_t kExtraFontRecOldSize = 28;

// One colour-and-typeface run. 72 bytes, little-endian:
//    0 switch_on_at_char (32)   4 switch_off_at_char (32)   8 colour_rec (16)
//   24 spare_typefaces   25-27 zero   28 Colouring_word_instead_of_tag
//   29 default_colours   30 applies_to   31 default_typeface   32 highlight_typeface
//   33 spare_determined   34-35 zero   36 spareInts (9 x 32, zero)
struct TExtraFontRec {
  std::int32_t switch_on_at_char = 0;
  std::int32_t switch_off_at_char = 0;
  TMyCanvasColourRec colour_rec;
  Ttypeface_Set spare_typefaces;
  bool Colouring_word_instead_of_tag = false;
  bool default_colours = false;
  TExtraFontCategory applies_to = efc_tag;
  Ttypeface_Set default_typeface;
  Ttypeface_Set highlight_typeface;
  bool spare_determined = false;
  std::array<std::int32_t, 9> spareInts{};
  bool operator==(const TExtraFontRec&) const = default;
};
constexpr std::size_t kExtraFontRecSize = 72;

std::array<std::uint8_t, kExtraFontRecSize> ExtraFontRecBytes(const TExtraFontRec& rec);
// The record from `size` bytes: 72, or 28 for a version-0 record (the rest zero).
TExtraFontRec ExtraFontRecFromBytes(const std::uint8_t* bytes, std::size_t size);

class TExtraFontHolder : public TObject {
 public:
  explicit TExtraFontHolder(const TExtraFontRec& rec) : data(rec) {}
  TExtraFontRec data;
};

// Stream form: the count (32-bit signed), the record version fEFVersion (32-bit signed;
// absent in settings of container version below 20), then each record (72 bytes; 28 for
// record version 0).
class TExtraFontList : public T3SortNonYieldingList {
 public:
  TExtraFontList();
  ~TExtraFontList() override;

  void Clear() override;
  // Appends a copy of rec; a typeface of its own sets insert_space_between_words.
  void AddOne(const TExtraFontRec& rec);
  // Frees entry i when i is below the count.
  void Delete(std::int32_t i);
  // A copy of entry i, or an all-zero record outside the list.
  TExtraFontRec GetAFontFrec(std::int32_t i) const;
  // Replaces entry i (as AddOne for the spacing); nothing outside the list.
  void SetAFontFrec(std::int32_t i, const TExtraFontRec& rec);
  std::int32_t GetEFVersion() const { return fEFVersion; }
  void SetEFVersion(std::int32_t v) { fEFVersion = v; }
  // The first entry starting at pos; a sorted list gives up at the first entry starting
  // later. -1 when none.
  std::int32_t IndexOfStart(std::int32_t pos) const;
  // The first entry starting in start..end whose end is open or also in start..end.
  std::int32_t IndexOfStartAndEnd(std::int32_t start, std::int32_t end) const;

  // The sort hooks: the key is switch_on_at_char at the first level, applies_to at the
  // others.
  void SetBase(void* item, std::int32_t sort_var) override;
  std::int32_t Compare(void* item) const;
  // Orders the runs by start and, among equal starts, by category.
  void SortOnStartpoints();

  // Raises fEFVersion to at least 3, then writes the count, fEFVersion and the records.
  bool XSaveToStream(TStream& stream, std::int32_t version);
  // Appends the entries of a stream written for container version `version` (the list is
  // not cleared). Records below version 3 get spare_typefaces as both typefaces. Stream
  // errors raise (entries read before stay); otherwise true.
  bool XReadFromStream(TStream& stream, std::int32_t version);

  TExtraFontHolder* Holder(std::int32_t i) const { return static_cast<TExtraFontHolder*>(Get(i)); }

  std::int32_t base_int = 0;
  std::int32_t fEFVersion = 0;
  bool insert_space_between_words = false;

 protected:
  void Notify(void* item, TListNotification action) override;

 private:
  std::int32_t key_of(const TExtraFontHolder* h) const;
  void note_typefaces(const TExtraFontRec& rec);
};

// The record version XSaveToStream writes at the least.
constexpr std::int32_t kExtraFontCurrentVersion = 3;

// ---- Language definitions, strings, colours

class TFixedLangDetailsHolder : public TObject {
 public:
  explicit TFixedLangDetailsHolder(const fixed_lang_details_rec32& rec) : data(rec) {}
  fixed_lang_details_rec32 data;
};

class TFixedLangDetailsList : public TList {
 public:
  ~TFixedLangDetailsList() override;
  std::int32_t AddLang(const fixed_lang_details_rec32& rec);
  // A copy of entry i, or an all-zero record when i is not below the count.
  fixed_lang_details_rec32 GetALang(std::int32_t i) const;
  // Replaces entry i when i is below the count.
  void SetALang(std::int32_t i, const fixed_lang_details_rec32& rec);

 protected:
  void Notify(void* item, TListNotification action) override;
};

// A string list (texts only) with its own stream form: the negated count (0 when empty),
// then each string as WriteAString writes it. A stream whose count is zero or positive
// holds that many 8-bit short strings in the system code page.
//
// The runtime's string list already has a SaveToStream of its own (the list's text), so
// this list holds its strings rather than being one; List() gives the strings.
class TMyStreamableStringlist : public TObject {
 public:
  bool SaveToStream(TStream& stream);
  // Clears the list and reads; false on any failure, keeping the strings read so far.
  bool ReadFromStream(TStream& stream);

  std::int32_t Add(const std::u16string& s) { return list_.Add(s); }
  std::int32_t Count() const { return list_.Count(); }
  std::u16string Strings(std::int32_t i) const { return list_.Get(i); }
  void Clear() { list_.Clear(); }
  TStringList& List() { return list_; }
  const TStringList& List() const { return list_; }

 private:
  TStringList list_;
};

class TColoursHolder : public TObject {
 public:
  explicit TColoursHolder(const TMyCanvasColourRec& rec) : data(rec) {}
  TMyCanvasColourRec data;
};

// ---- Setting texts

enum TTabulonTagTreatment : std::uint8_t {
  wltt_none,
  wltt_tags_as_prefix,
  wltt_tags_as_suffix,
  wltt_list_tags_only,
};

// "tag treatment = tags as prefix to words" and the like, from the message catalogue.
std::u16string TabulonTagTreatmentToString(TTabulonTagTreatment t);
// The treatment whose text equals s exactly; wltt_none for anything else.
TTabulonTagTreatment StringToTabulonTagTreatment(std::u16string_view s);

// "<*>,[*]": opening character, "*", closing character for each pair in use.
std::u16string IgnoreTag_TypeToString(const TIgnore_tag_type& a);
// Spaces, controls and "*" dropped, then items split at ",": first and last character of
// each give the next pair; items past the sixth overwrite the sixth.
TIgnore_tag_type StringToIgnoreTag_Type(std::u16string_view s);

// All zero: no ignored tags.
extern const TIgnore_tag_type Global_Blank_ignoreTags;

}  // namespace corvane
