#include "corvane/files/Dll_utils.hpp"

#include <dlfcn.h>

#include "corvane/rtl/Utf.hpp"

namespace corvane {

Tlibrary_rec FindLibraryFunction(const std::u16string& library_name,
                                 const std::u16string& function_name) {
  Tlibrary_rec rec;
  if (library_name.empty()) return rec;
  rec.handle = ::dlopen(u8(library_name).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (rec.handle == nullptr) return rec;
  rec.function = ::dlsym(rec.handle, u8(function_name).c_str());
  return rec;
}

bool CloseLibraryFunction(Tlibrary_rec& rec) {
  const bool closed = rec.handle != nullptr && ::dlclose(rec.handle) == 0;
  rec.function = nullptr;
  rec.handle = nullptr;
  return closed;
}

}  // namespace corvane
