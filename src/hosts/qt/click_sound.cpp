#include "hosts/qt/click_sound.h"

#include <QDir>
#include <QUrl>

#include "resources/embedded.h"

namespace hosts::qt {

ClickSound::ClickSound() = default;
ClickSound::~ClickSound() = default;

void ClickSound::Play() {
  if (!effect_) {
    const auto wave = resources::ClickSoundWave();
    file_ = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                             QStringLiteral("/rimforge-click-XXXXXX.wav"));
    // Without a temporary file there is no click; the next one tries again.
    if (!file_->open()) return;
    file_->write(reinterpret_cast<const char*>(wave.data()), static_cast<qint64>(wave.size()));
    file_->flush();
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file_->fileName()));
  }
  // A click that still plays starts again from its beginning.
  effect_->stop();
  effect_->play();
}

}  // namespace hosts::qt
