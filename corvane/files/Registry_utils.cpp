#include "corvane/files/Registry_utils.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "corvane/platform/CharTypes.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

std::u16string Registry_Current_User() {
  std::vector<char> buffer(1024);
  struct passwd entry;
  struct passwd* found = nullptr;
  for (;;) {
    const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
    if (error == ERANGE && buffer.size() < (1u << 20)) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (error != 0) RaiseLastOSError(error);
    if (found == nullptr) RaiseLastOSError(ENOENT);
    return u16(found->pw_name);
  }
}

std::u16string detail::initials_of(std::u16string_view name) {
  std::u16string initials;
  for (char16_t c : name) {
    if (initials.size() == 2) break;
    if (char_type1(c) & C1_UPPER) initials.push_back(c);
  }
  return initials;
}

std::u16string Registry_Current_User_Initials() {
  return detail::initials_of(Registry_Current_User());
}

}  // namespace corvane
