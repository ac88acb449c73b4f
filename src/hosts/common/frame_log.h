// For measuring only: when the environment variable RIMFORGE_FRAME_LOG names a file, the host
// writes one line per frame into it: the microsecond the frame's blit began, how many
// microseconds the blit took, and 1 if it painted a new picture (0 if the picture was the
// same). The editor itself reads no environment; only this measuring aid of the desktop hosts does.
#pragma once

#include <chrono>
#include <cstdio>

namespace hosts {

class FrameLog {
 public:
  FrameLog();
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  bool Enabled() const { return file_ != nullptr; }
  void Record(std::chrono::steady_clock::time_point blit_start,
              std::chrono::steady_clock::time_point blit_end, bool painted);

 private:
  std::FILE* file_ = nullptr;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace hosts
