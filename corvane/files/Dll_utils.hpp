#pragma once
// Looking up a function in a dynamic library (dlopen, dlsym, dlclose).

#include <string>

namespace corvane {

// The function's address and the library's handle, in that order; both null when
// nothing was found.
struct Tlibrary_rec {
  void* function = nullptr;
  void* handle = nullptr;
};

// Loads the library (a path, or a name the loader searches for); when that fails both
// fields are null. Otherwise the handle, and the function's address looked up by the
// name's UTF-8 form (null when the library has no such function).
Tlibrary_rec FindLibraryFunction(const std::u16string& library_name,
                                 const std::u16string& function_name);
// Closes the library (the result says whether that worked; false for a null handle) and
// nulls both fields.
bool CloseLibraryFunction(Tlibrary_rec& rec);

}  // namespace corvane
