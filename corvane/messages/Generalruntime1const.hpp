#pragma once
// First group of the message catalogue (general words, dialog captions, list and statistic
// names, tool start and stop messages, settings names), and the user's temporary folder.
//
// Each entry is a constant msg::CVxxx naming the catalogue identifier _CVxxx; fetch its
// current text with LoadResString(msg::CVxxx) or msg::text(msg::CVxxx). The constants are
// generated from corvane/messages/catalogue.txt (see Message_catalogue.hpp).

#include <string>

#include "corvane/messages/Generalruntime1const_ids.hpp"
#include "corvane/messages/Message_catalogue.hpp"

namespace corvane {

// The user's temporary folder, with its trailing delimiter; set at start-up.
extern std::u16string my_temp_path;

void Generalruntime1const_initialization();
void Generalruntime1const_finalization();

}  // namespace corvane
