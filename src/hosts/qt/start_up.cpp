#include "hosts/qt/start_up.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QScreen>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "app/editor_state.h"
#include "app/shell.h"
#include "app/window_geometry.h"
#include "hosts/qt/images.h"
#include "hosts/qt/text_codec.h"
#include "resources/command_ids.h"

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

std::optional<int> AnswerInfoArguments(int argc, const char* const* argv) {
  if (argc != 2) return std::nullopt;
  const std::string_view argument = argv[1];
  if (argument == "--version") {
    std::printf("rimforge %s\n", RIMFORGE_VERSION);
    return 0;
  }
  if (argument != "--help" && argument != "-h") return std::nullopt;
  std::printf(
      "Usage: rimforge [FILE]\n"
      "\n"
      "Rimforge edits the tube shapes of the arcade game Tempest. FILE, a level ROM (.118) or a\n"
      "level file (.TLD), is opened as File > Load ROM or Load TLD File would open it.\n"
      "\n"
      "  --help      show this and end\n"
      "  --version   show the version and end\n");
  return 0;
}

void OpenNamedFiles(QtHost& host, int argc, const char* const* argv) {
  if (argc < 2) return;
  const std::string path = argv[1];
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const int command = extension == ".118"   ? resources::kLoadRom
                      : extension == ".TLD" ? resources::kLoadTld
                                            : 0;
  if (argc > 2 || command == 0) {
    const QString named = QFile::decodeName(argc > 2 ? argv[2] : argv[1]);
    host.ShowMessageBox(ToWindows1252(QStringLiteral("Rimforge opens one level ROM (.118) or level "
                                                     "file (.TLD) at a time, not \"%1\".")
                                          .arg(named)),
                        "Rimforge", MB_OK | MB_ICONEXCLAMATION);
    if (command == 0) return;
  }
  host.AnswerNextOpenDialog(path);
  app::MainWindowProc(WM_COMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace hosts::qt
