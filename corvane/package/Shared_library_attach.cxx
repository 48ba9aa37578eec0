// Linked into libcorvane_runtime.so only, and last, so that it runs after every static
// initialiser of the library: loading the shared library starts the package, as loading
// the package does for the tools; unloading it (or process exit) stops it.
#include "corvane/package/CV7GeneralRuntimePack1.hpp"

namespace {
__attribute__((constructor)) void attach_package() { corvane::PackageLoad(); }
__attribute__((destructor)) void detach_package() { corvane::PackageUnload(); }
}  // namespace
