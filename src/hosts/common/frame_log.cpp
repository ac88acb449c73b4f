#include "hosts/common/frame_log.h"

#include <cstdlib>

namespace hosts {

FrameLog::FrameLog() : start_(std::chrono::steady_clock::now()) {
  const char* path = std::getenv("RIMFORGE_FRAME_LOG");
  if (path == nullptr || *path == '\0') return;
  file_ = std::fopen(path, "wb");  // "\n" ends every line, on Windows too
  // Line by line, so that a measuring script may stop the program at any moment.
  if (file_ != nullptr) std::setvbuf(file_, nullptr, _IOLBF, 256);
}

FrameLog::~FrameLog() {
  if (file_ != nullptr) std::fclose(file_);
}

void FrameLog::Record(std::chrono::steady_clock::time_point blit_start,
                      std::chrono::steady_clock::time_point blit_end, bool painted) {
  if (file_ == nullptr) return;
  using std::chrono::duration_cast;
  using std::chrono::microseconds;
  std::fprintf(file_, "%lld %lld %d\n",
               static_cast<long long>(duration_cast<microseconds>(blit_start - start_).count()),
               static_cast<long long>(duration_cast<microseconds>(blit_end - blit_start).count()),
               painted ? 1 : 0);
}

}  // namespace hosts
