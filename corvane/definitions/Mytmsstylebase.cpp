#include "corvane/definitions/Mytmsstylebase.hpp"

namespace corvane {

TTMSStyle GlobalTMSStyle = kStartUpTMSStyle;

void Mytmsstylebase_initialization() {
  GlobalTMSStyle = kStartUpTMSStyle;
}

}  // namespace corvane
