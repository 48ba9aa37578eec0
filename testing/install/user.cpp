// A user's program: starts the package, fills a message of the catalogue (its identifier
// comes from a generated header) and prints it.
#include <cstdio>
#include <string>

#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Utf.hpp"

int main() {
  corvane::TPackageScope package;
  const std::u16string question =
      corvane::Format(corvane::LoadResString(corvane::msg::CVOverwriteXQ), {u"corpus.txt"});
  std::printf("%s\n", corvane::utf16_to_utf8(question).c_str());
  return corvane::PackageIsLoaded() ? 0 : 1;
}
