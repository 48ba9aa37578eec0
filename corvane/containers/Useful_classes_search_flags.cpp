#include "corvane/containers/Useful_classes_search_flags.hpp"

namespace corvane {

TMySearchFlags FlagsFromSW(std::u16string& s) {
  TMySearchFlags flags{myLeftBounded, myRightBounded};
  if (s.empty()) return flags;
  if (s.front() == u'*') {
    s.erase(0, 1);
    flags.exclude(myLeftBounded);
  } else if (s.front() == u'=') {
    if (s.size() >= 2 && s.compare(0, 2, u"==") == 0 && s.compare(s.size() - 2, 2, u"==") == 0) {
      // The two pairs may overlap ("==", "==="): then nothing is left.
      s.erase(0, 2);
      s.resize(s.size() >= 2 ? s.size() - 2 : 0);
      flags.include(myCaseIsSensitive);
    }
  } else if (s.front() == u'~') {
    s.erase(0, 1);
    flags.include(mySW_To_Avoid);
  }
  if (!s.empty() && s.back() == u'*') {
    s.pop_back();
    flags.exclude(myRightBounded);
  }
  return flags;
}

std::u16string SWStringPlusFlags(const std::u16string& s, TMySearchFlags flags) {
  std::u16string r = s;
  if (!flags.contains(myLeftBounded)) r.insert(r.begin(), u'*');
  if (!flags.contains(myRightBounded)) r += u'*';
  if (flags.contains(myCaseIsSensitive)) r = u"==" + r + u"==";
  return r;
}

}  // namespace corvane
