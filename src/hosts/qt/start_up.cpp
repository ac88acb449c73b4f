#include "hosts/qt/start_up.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QScreen>

#include <clocale>
#include <string>
#include <utility>

#include "app/editor_state.h"
#include "app/shell.h"
#include "app/window_geometry.h"
#include "hosts/common/start_up_arguments.h"
#include "hosts/qt/images.h"
#include "hosts/qt/text_codec.h"

namespace hosts::qt {

void PrepareApplication() {
  // QApplication takes the user's locale for the C library too; the editor's numbers ("%g" in
  // the dialogs, reading them back) always use a decimal point.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Rimforge"));
  QApplication::setWindowIcon(ProgramIcon());
  // The dialogs ask for the classic dialog font; these have its metrics, or come close.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                              QStringLiteral("Liberation Sans")});
}

void StartEditorWindow(QtHost& host) {
  platform::SetHost(&host);
  app::ResetEditor();
  app::StartEditor();

  MainWindow& window = host.Window();
  window.setWindowTitle(QStringLiteral("Rimforge"));
  const QRect screen = window.screen()->geometry();
  const double zoom = app::InitialZoom(screen.height());
  app::editor.zoom_factor = zoom;
  const app::Size client = app::ClientSizeForZoom(zoom);
  host.SetClientSize(client.width, client.height);
  const POINT corner = app::CentredPosition(app::OuterSizeForZoom(zoom, host.GetFrameMetrics()),
                                            screen.width(), screen.height());
  window.move(screen.left() + corner.x, screen.top() + corner.y);
  window.show();
  // Without a window manager nobody else gives the window the keyboard.
  window.activateWindow();
  window.raise();
}

void OpenNamedFiles(QtHost& host, int argc, const char* const* argv) {
  hosts::OpenNamedFiles(
      host, argc, argv,
      [](const char* argument) { return ToWindows1252(QFile::decodeName(argument)); },
      [&host](std::string path) { host.AnswerNextOpenDialog(std::move(path)); });
}

}  // namespace hosts::qt
