// Linked against libcorvane_runtime.so: loading the library must have started the package
// before main, once, with the start-up globals set.
#include <cstdio>

#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"

int main() {
  using namespace corvane;
  int failures = 0;
  auto check = [&](bool ok, const char* what) {
    if (!ok) {
      std::fprintf(stderr, "shared library check failed: %s\n", what);
      ++failures;
    }
  };
  check(PackageIsLoaded(), "package started when the library was loaded");
  check(UnitUseCount("CV7GeneralRuntimePack1") == 1, "entry unit in use once");
  check(!my_temp_path.empty() && my_temp_path.back() == u'/', "my_temp_path set");
  check(panic_mode == panic_no_panic, "panic_mode reset");
  {
    TPackageScope again;  // a second user only counts
    check(UnitUseCount("Wingenok") == 2, "second load counted");
  }
  check(PackageIsLoaded() && UnitUseCount("Wingenok") == 1, "still loaded after the scope");
  std::printf("%d passed, %d failed\n", 5 - failures, failures);
  return failures == 0 ? 0 : 1;
}
