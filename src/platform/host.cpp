#include "platform/host.h"

#include <cassert>

namespace platform {
namespace {
Host* current_host = nullptr;
}

Host& CurrentHost() {
  assert(current_host != nullptr && "SetHost must be called before the editor runs");
  return *current_host;
}

void SetHost(Host* host) {
  current_host = host;
}

}  // namespace platform
