#include "corvane/messages/Generalruntime1const.hpp"

#include "corvane/platform/Desktop.hpp"

namespace corvane {

std::u16string my_temp_path;

void Generalruntime1const_initialization() {
  my_temp_path = temporary_folder();
}

void Generalruntime1const_finalization() {
  my_temp_path.clear();
  my_temp_path.shrink_to_fit();
}

}  // namespace corvane
