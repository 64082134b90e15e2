#include "framework/streaming/FrameworkClasses.h"

namespace fw {

void RegisterFrameworkClasses() {
  static const bool registered = [] {
    RegisterGraphicsClasses();
    RegisterControlClasses();
    return true;
  }();
  (void)registered;
}

}  // namespace fw
