#pragma once
// TStringList: strings with one object slot each, as the classic runtime keeps them:
// sorted insertion by binary search, duplicates rules, locale-aware case rules, names
// and values, text with line breaks, delimited text, change events, and loading and
// saving text files with byte-order marks.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/rtl/Object.hpp"

namespace corvane {

class TStream;
class TStringList;

enum TDuplicates { dupIgnore, dupAccept, dupError };

// How LoadFromStream decoded the bytes it read (enc_none before any load).
enum TTextEncodingKind { enc_none, enc_ansi, enc_utf8, enc_utf16le, enc_utf16be };

// Compares entries index1 and index2 of list: negative, 0 or positive.
using TStringListSortCompare = int (*)(TStringList* list, std::int32_t index1, std::int32_t index2);

class TStringList : public TObject {
 public:
  TStringList() = default;
  explicit TStringList(bool owns_objects) : owns_objects_(owns_objects) {}
  ~TStringList() override;
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  // ---- Adding and removing
  // Unsorted: appends. Sorted: inserts at Find's index; an equal string present is
  // ignored (dupIgnore, returns its index), accepted (dupAccept) or refused with
  // EStringListError "String list does not allow duplicates" (dupError).
  std::int32_t Add(const std::u16string& s) { return AddObject(s, nullptr); }
  virtual std::int32_t AddObject(const std::u16string& s, TObject* object);
  // Index 0..Count; EStringListError "Operation not allowed on sorted list" when sorted.
  void Insert(std::int32_t index, const std::u16string& s) { InsertObject(index, s, nullptr); }
  virtual void InsertObject(std::int32_t index, const std::u16string& s, TObject* object);
  // Frees the entry's object when OwnsObjects.
  virtual void Delete(std::int32_t index);
  virtual void Clear();
  void Exchange(std::int32_t index1, std::int32_t index2);
  // Moves entry and object together (the object is not freed on the way).
  void Move(std::int32_t cur_index, std::int32_t new_index);
  // Appends every entry of source with its object.
  void AddStrings(const TStringList& source);
  // Clear, then the entries and the text settings (delimiter, quote, separator, line
  // break, strictness) of source. Objects are shared, not copied.
  void Assign(const TStringList& source);

  // ---- Access (EStringListError "List index out of bounds (%d)" outside 0..Count-1)
  std::u16string Get(std::int32_t index) const;
  // Not allowed on a sorted list.
  void Put(std::int32_t index, const std::u16string& s);
  TObject* GetObject(std::int32_t index) const;
  void PutObject(std::int32_t index, TObject* object);
  std::u16string Strings(std::int32_t index) const { return Get(index); }
  TObject* Objects(std::int32_t index) const { return GetObject(index); }
  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  std::int32_t Capacity() const { return static_cast<std::int32_t>(items_.capacity()); }
  void SetCapacity(std::int32_t capacity);

  // ---- Searching
  // Binary search of a sorted list: true when s is present; index is where it is (the
  // first of equal strings unless dupAccept) or where it would be inserted.
  virtual bool Find(const std::u16string& s, std::int32_t& index);
  // Find on a sorted list, else a linear search with CompareStrings; -1 when absent.
  virtual std::int32_t IndexOf(const std::u16string& s);
  std::int32_t IndexOfObject(const TObject* object) const;
  // First entry whose text before the first separator compares equal to name.
  std::int32_t IndexOfName(const std::u16string& name);

  // ---- Names and values ("name=value")
  std::u16string Names(std::int32_t index) const;
  std::u16string Values(const std::u16string& name);
  // An empty value deletes the entry; a new name is added.
  void SetValue(const std::u16string& name, const std::u16string& value);
  std::u16string ValueFromIndex(std::int32_t index) const;
  void SetValueFromIndex(std::int32_t index, const std::u16string& value);
  char16_t NameValueSeparator() const { return name_value_separator_; }
  void SetNameValueSeparator(char16_t c) { name_value_separator_ = c; }

  // ---- Sorting
  bool Sorted() const { return sorted_; }
  // Setting true sorts the list.
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  bool CaseSensitive() const { return case_sensitive_; }
  // A sorted list is sorted again under the new rule.
  void SetCaseSensitive(bool value);
  bool OwnsObjects() const { return owns_objects_; }
  void SetOwnsObjects(bool value) { owns_objects_ = value; }
  virtual void Sort();
  // Quick sort with compare; does nothing on a sorted list or fewer than 2 entries.
  virtual void CustomSort(TStringListSortCompare compare);
  // compare_strings with this list's case rule.
  virtual int CompareStrings(const std::u16string& s1, const std::u16string& s2);

  // ---- Text
  // Every line followed by LineBreak (CR LF unless changed), the last one too.
  std::u16string Text() { return GetTextStr(); }
  void SetText(const std::u16string& text) { SetTextStr(text); }
  virtual std::u16string GetTextStr();
  // Clears, then adds the lines of text as split_text_lines splits them.
  virtual void SetTextStr(const std::u16string& text);
  const std::u16string& LineBreak() const { return line_break_; }
  void SetLineBreak(std::u16string value) { line_break_ = std::move(value); }

  std::u16string CommaText();
  void SetCommaText(const std::u16string& text);
  std::u16string DelimitedText();
  void SetDelimitedText(const std::u16string& text);
  char16_t Delimiter() const { return delimiter_; }
  void SetDelimiter(char16_t c) { delimiter_ = c; }
  char16_t QuoteChar() const { return quote_char_; }
  void SetQuoteChar(char16_t c) { quote_char_ = c; }
  bool StrictDelimiter() const { return strict_delimiter_; }
  void SetStrictDelimiter(bool value) { strict_delimiter_ = value; }

  // ---- Updates and events
  void BeginUpdate();
  // The last EndUpdate fires OnChange.
  void EndUpdate();
  std::int32_t UpdateCount() const { return update_count_; }
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // ---- Files and streams
  // Reads from the stream's position to its end: UTF-8, UTF-16LE or UTF-16BE by their
  // byte-order marks, else the system 8-bit code page; then SetTextStr.
  virtual void LoadFromStream(TStream& stream);
  virtual void LoadFromFile(const std::u16string& file_name);
  // The decoding of the last LoadFromStream.
  TTextEncodingKind Encoding() const { return encoding_; }
  // Writes FF FE and Text as UTF-16LE.
  virtual void SaveToStream(TStream& stream);
  // Writes to a temporary file beside file_name, then renames it over the target.
  virtual void SaveToFile(const std::u16string& file_name);

 protected:
  virtual void Changed();
  virtual void Changing();
  // Swaps two entries without checks or events (the sorts use it).
  void ExchangeItems(std::int32_t index1, std::int32_t index2);
  void InsertItem(std::int32_t index, const std::u16string& s, TObject* object);
  [[noreturn]] static void Error(const char* message_format, std::int32_t data);

 private:
  struct Item {
    std::u16string string;
    TObject* object = nullptr;
  };
  void QuickSort(std::int32_t lo, std::int32_t hi, TStringListSortCompare compare);
  void CheckIndex(std::int32_t index) const;

  std::vector<Item> items_;
  bool sorted_ = false;
  TDuplicates duplicates_ = dupIgnore;
  bool case_sensitive_ = false;
  bool owns_objects_ = false;
  std::int32_t update_count_ = 0;
  std::u16string line_break_ = u"\r\n";
  char16_t name_value_separator_ = u'=';
  char16_t delimiter_ = u',';
  char16_t quote_char_ = u'"';
  bool strict_delimiter_ = false;
  TTextEncodingKind encoding_ = enc_none;
};

// Splits text into lines as SetTextStr does. A U+0000 ends the text. With the line break
// CR LF (or an empty one) a line ends at CR LF, LF or CR (LF CR ends two lines); with any
// other line break only that string ends a line. A last line without a break is kept; a
// break at the very end adds no empty line.
std::vector<std::u16string> split_text_lines(std::u16string_view text,
                                             std::u16string_view line_break = u"\r\n");

// The lines split_text_lines cuts with the line break CR LF, each followed by CR LF, into
// `out` in one pass (no list of lines is made): the text as a string list gives it back.
void text_with_crlf_lines(std::u16string_view text, std::u16string& out);

// Decodes the bytes of a text file: BOM EF BB BF (UTF-8), FF FE (UTF-16LE), FE FF
// (UTF-16BE), else the system 8-bit code page. The mark is not part of the result; an
// odd last byte of UTF-16 is dropped.
std::u16string decode_text_bytes(std::string_view bytes, TTextEncodingKind* kind = nullptr);

}  // namespace corvane
