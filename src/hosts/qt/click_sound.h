// The click of level select, played without waiting. Made on first use, so that a run that
// never clicks never opens the audio device; without one the program stays silent.
#pragma once

#include <QSoundEffect>
#include <QTemporaryFile>
#include <memory>

namespace hosts::qt {

class ClickSound {
 public:
  ClickSound();
  ~ClickSound();

  void Play();

 private:
  // QSoundEffect plays files only, so the embedded wave goes to a temporary file.
  std::unique_ptr<QTemporaryFile> file_;
  std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace hosts::qt
