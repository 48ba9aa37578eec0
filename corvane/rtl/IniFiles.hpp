#pragma once
// The memory ini file: an ini file read whole into memory, changed there and written back
// in one piece by UpdateFile.
//
// Sections and their keys keep the order of the file (new ones are appended); section and
// key names are compared ignoring case. A file is read with byte-order-mark detection, as
// the string list reads text (UTF-16 in either order, UTF-8, else the system's 8-bit code
// page), and written in the file's set encoding. Lines are trimmed; empty lines and lines
// starting with ";" are dropped; "[name]" starts a section; other lines before the first
// section are dropped; "key=value" is split at the first "=" and both sides trimmed; a
// line without "=" is kept as a key with no value and written back as it was.
//
// UpdateFile writes to a temporary file beside the target and renames it over the target
// (keeping the old file's permission bits and owner), so the old file stays as it was
// unless the new one is complete.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/rtl/Object.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

class TMemIniFile : public TObject {
 public:
  // Reads the file when it exists (an unreadable file gives an empty ini file). The
  // encoding is the one the file was read in; enc_ansi for a new file.
  explicit TMemIniFile(std::u16string file_name);
  TMemIniFile(std::u16string file_name, TTextEncodingKind encoding);
  ~TMemIniFile() override = default;
  TMemIniFile(const TMemIniFile&) = delete;
  TMemIniFile& operator=(const TMemIniFile&) = delete;

  const std::u16string& FileName() const { return file_name_; }
  TTextEncodingKind Encoding() const { return encoding_; }
  // enc_none is taken as enc_ansi.
  void SetEncoding(TTextEncodingKind encoding);

  std::u16string ReadString(std::u16string_view section, std::u16string_view ident,
                            std::u16string_view default_value) const;
  void WriteString(std::u16string_view section, std::u16string_view ident,
                   std::u16string_view value);
  // The value read as a decimal or hexadecimal ("$", "0x") integer, else the default.
  std::int32_t ReadInteger(std::u16string_view section, std::u16string_view ident,
                           std::int32_t default_value) const;
  void WriteInteger(std::u16string_view section, std::u16string_view ident, std::int32_t value);
  // "0" is false, any other integer true; a value that is no integer gives the default.
  virtual bool ReadBool(std::u16string_view section, std::u16string_view ident,
                        bool default_value) const;
  // Writes "1" or "0".
  virtual void WriteBool(std::u16string_view section, std::u16string_view ident, bool value);

  bool SectionExists(std::u16string_view section) const;
  bool ValueExists(std::u16string_view section, std::u16string_view ident) const;
  // The section names, in order.
  void ReadSections(TStringList& strings) const;
  // The key names of a section, in order.
  void ReadSection(std::u16string_view section, TStringList& strings) const;
  // "key=value" for each key of a section (a key without value as its line).
  void ReadSectionValues(std::u16string_view section, TStringList& strings) const;
  void EraseSection(std::u16string_view section);
  void DeleteKey(std::u16string_view section, std::u16string_view ident);
  void Clear();

  // The whole file as lines: each section's "[name]", its lines, then an empty line.
  void GetStrings(TStringList& list) const;
  // Replaces the contents by the lines parsed as a file's.
  void SetStrings(const TStringList& list);
  // Parses the text of a file (lines ended by CR LF, LF or CR; a U+0000 ends the text).
  void SetText(std::u16string_view text);

  // The bytes UpdateFile writes: the encoding's byte-order mark (none for 8-bit text), then
  // every line of GetStrings ended by CR LF. In 8-bit encoding a character that
  // windows-1252 cannot hold would be lost, so then the whole file is written as UTF-8
  // with its byte-order mark instead.
  std::string FileBytes() const;
  // Writes the file (see above). EFCreateError when the temporary file cannot be made,
  // EWriteError when writing or renaming it fails; the old file is then left as it was.
  // A file that exists but could not be read is never replaced (EWriteError), since its
  // keys were never loaded.
  virtual void UpdateFile();
  // Takes another name; when reload, reads that file (or clears when it does not exist).
  void Rename(std::u16string file_name, bool reload);

 private:
  struct Entry {
    std::u16string name;
    std::u16string value;
    bool has_value = true;
  };
  struct Section {
    std::u16string name;
    std::vector<Entry> entries;
  };
  const Section* find_section(std::u16string_view name) const;
  Section* find_section(std::u16string_view name);
  static const Entry* find_entry(const Section& section, std::u16string_view name);
  void load_file();

  std::u16string file_name_;
  TTextEncodingKind encoding_ = enc_ansi;
  std::vector<Section> sections_;
  bool unreadable_ = false;  // the file exists but could not be read
};

namespace detail {
// UTF-16 to windows-1252; false when some character has no byte there.
bool utf16_to_windows_1252(std::u16string_view text, std::string& out);
// Writes bytes to a temporary file beside `file_name` and renames it over the target (see
// replace_file_keeping_attributes). EFCreateError or EWriteError on failure, with the
// temporary file removed and the target left alone.
void write_bytes_beside(const std::u16string& file_name, std::string_view bytes);
}  // namespace detail

}  // namespace corvane
