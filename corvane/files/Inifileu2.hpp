#pragma once
// The suite's ini file: the memory ini file saved as UTF-16 little-endian, with Booleans
// stored as the words "YES" and "NO", and a backup copy under the extension ".BAK".

#include <string>
#include <string_view>

#include "corvane/rtl/IniFiles.hpp"

namespace corvane {

inline constexpr std::u16string_view ini_yes = u"YES";
inline constexpr std::u16string_view ini_no = u"NO";

class TMyMemIniFile : public TMemIniFile {
 public:
  // The file's contents when it exists; saved as UTF-16 little-endian whatever it was read
  // in.
  explicit TMyMemIniFile(std::u16string file_name);

  // Default true: false only when the stored value's first character is not "Y"
  // (case-sensitive). Default false: true only when it is not "N". So "yes" with default
  // true reads false, and an empty stored value reads as the opposite of the default.
  bool ReadBool(std::u16string_view section, std::u16string_view ident,
                bool default_value) const override;
  // Writes "YES" or "NO".
  void WriteBool(std::u16string_view section, std::u16string_view ident, bool value) override;
  // When the file's name is set and the file exists, copies it to the same name with the
  // extension ".BAK" (replacing an older backup, written beside it and renamed into
  // place). True when the file existed and was copied.
  bool SaveABackup();
};

}  // namespace corvane
