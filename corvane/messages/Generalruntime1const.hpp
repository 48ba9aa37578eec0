#pragma once
// First group of the message catalogue, and the user's temporary folder.

#include <string>

namespace corvane {

// The user's temporary folder, with its trailing delimiter; set at start-up.
extern std::u16string my_temp_path;

void Generalruntime1const_initialization();
void Generalruntime1const_finalization();

}  // namespace corvane
