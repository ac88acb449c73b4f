// The Qt host driven as a person drives it, on Qt's offscreen platform.
#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>

#include "app/editor_state.h"
#include "files/level_rom_file.h"
#include "gfx/frame_buffer.h"
#include "hosts/qt/dialog_window.h"
#include "hosts/qt/frame_loop.h"
#include "hosts/qt/images.h"
#include "hosts/qt/start_up.h"
#include "resources/colour_dialogs.h"

namespace {

using hosts::qt::RunLoopTurn;
using Box = QMessageBox;
using Keys = Qt::KeyboardModifiers;

// The modal windows and menus the editor waits for, answered in turn from a timer; one of another
// type, or unanswered for 5 s, fails and is closed.
std::deque<std::pair<const std::type_info*, std::function<void(QWidget&)>>> answers;
int unanswered_ticks = 0;

void Tick() {
  QTimer::singleShot(20, Tick);
  QWidget* open = QApplication::activePopupWidget();
  if (!open) open = QApplication::activeModalWidget();
  if (!open) return;
  if (!answers.empty() && *answers.front().first == typeid(*open)) {
    unanswered_ticks = 0;
    const auto act = std::move(answers.front().second);
    answers.pop_front();
    act(*open);
  } else if (++unanswered_ticks == 250) {
    open->close();
    QFAIL(qPrintable(open->windowTitle() + " came without an answer"));
  }
}

template <class Window>
void Answer(auto act) {
  answers.emplace_back(&typeid(Window), [act](QWidget& open) { act(static_cast<Window&>(open)); });
}

std::unique_ptr<hosts::qt::QtHost> host;
QTemporaryDir temp;
QStringList transcript;

auto& View() {
  return host->Window().View();
}

QString Poll(int key) {
  return QString::asprintf("%04x", static_cast<std::uint16_t>(host->GetAsyncKeyState(key)));
}

// A key event to the main window; keys share a scan code, as one is down at a time.
void SendKey(QEvent::Type type, Qt::Key key, Keys modifiers, bool repeat = false) {
  QKeyEvent event(type, key, modifiers, 57, 0, 0, QString(), repeat);
  QCoreApplication::sendEvent(host->Window().windowHandle(), &event);
}

// A click through the window at `at` in `widget` (or its centre).
void Click(QWidget* widget, QPoint at = {}) {
  at = widget->mapTo(widget->window(), at.isNull() ? widget->rect().center() : at);
  QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {}, at);
}

// Types `path` into the next file dialog, noting down its title, filter, default extension,
// accept mode (1: save), file mode (1: must exist), DontConfirmOverwrite and whether it starts in
// the folder of the temporary files.
void AnswerFileDialog(const QString& path) {
  Answer<QFileDialog>([path](QFileDialog& dialog) {
    transcript << QString("%1 | %2 | %3 | %4 %5 %6 %7")
                      .arg(dialog.windowTitle(), dialog.nameFilters().join(';'),
                           dialog.defaultSuffix())
                      .arg(dialog.acceptMode())
                      .arg(dialog.fileMode())
                      .arg(dialog.testOption(QFileDialog::DontConfirmOverwrite))
                      .arg(dialog.directory() == QDir(temp.path()));
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
}

// A level ROM of its signature alone, in the temporary folder.
QString WriteRom() {
  QFile rom(temp.filePath("tubes.118"));
  if (rom.open(QIODevice::WriteOnly))
    rom.write(reinterpret_cast<const char*>(files::kLevelRomSignature.data()), 4);
  return rom.fileName();
}

QAction* Find(QWidget& menu, const QString& text) {
  for (QAction* item : menu.findChildren<QAction*>())
    if (item->text() == text) return item;
  return nullptr;
}

// How `menu` shows the item: missing, grey, enabled, checked or bulleted.
char Shows(QWidget& menu, const QString& text) {
  const QAction* item = Find(menu, text);
  if (item == nullptr) return '-';
  if (!item->isEnabled()) return 'g';
  if (!item->isChecked()) return 'e';
  return item->actionGroup() && item->actionGroup()->isExclusive() ? 'b' : 'c';
}

// Opens a menu bar menu with the mouse and picks the item by its access key.
void Choose(const QString& title, const QString& item) {
  QMenuBar* bar = host->Window().menuBar();
  QAction* menu = Find(*bar, title);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu).center());
  QTest::keyClick(menu->menu(), Qt::Key(item.at(item.indexOf('&') + 1).toUpper().unicode()));
  RunLoopTurn(*host);
}

// Every kind of control; the procedure notes keys with their GetAsyncKeyState, and commands as
// id/notification with IsChecked and GetCurSel.
enum : int { kName = 10, kUpper, kDigits, kCheck, kFirst, kSecond, kList, kDrop };
using enum platform::ControlKind;
constexpr platform::DialogControl kControls[] = {
    {kName, kLabel, 4, 4, 60, 8, "&A && B \xA9", 0},
    {kUpper, kEdit, 70, 4, 80, 12, "", ES_UPPERCASE | WS_TABSTOP},
    {kDigits, kEdit, 70, 20, 80, 12, "-3", ES_NUMBER | WS_TABSTOP},
    {kCheck, kCheckBox, 10, 62, 60, 10, "Check", WS_TABSTOP},
    {kFirst, kRadioButton, 80, 62, 60, 10, "First", WS_TABSTOP},
    {kSecond, kRadioButton, 80, 76, 60, 10, "Second", 0},
    {-1, kGroupBox, 4, 52, 150, 40, "Group", 0},  // after its buttons, behind them
    {kList, kListBox, 4, 96, 80, 60, "", LBS_NOTIFY | WS_TABSTOP},
    {kDrop, kDropDownList, 90, 96, 60, 60, "", WS_TABSTOP},
    {IDOK, kDefaultPushButton, 20, 160, 48, 16, "OK", WS_TABSTOP},
};

INT_PTR TestProcedure(platform::Dialog& dialog, UINT message, WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  if (message == WM_INITDIALOG) {
    for (const char* text : {"one", "two", "three"}) {
      dialog.AddString(kList, text);
      dialog.AddString(kDrop, text);
    }
    dialog.SetTextLimit(kUpper, 4);
    dialog.SetChecked(kFirst, true);
  } else if (message == WM_KEYDOWN) {
    transcript << "key " + QString::number(id) + ' ' + Poll(id);
  } else if (message == WM_COMMAND) {
    transcript << QString::asprintf("%d/%u %d %d", id, HIWORD(wParam), dialog.IsChecked(id),
                                    dialog.GetCurSel(id));
  } else if (message == WM_CLOSE) {
    dialog.EndDialog(-5);
  }
  return 1;
}

class QtHostTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    transcript.clear();
    host = std::make_unique<hosts::qt::QtHost>();
    host->UseNativeFileDialogs(false);
    hosts::qt::StartEditorWindow(*host);
    QVERIFY(QTest::qWaitForWindowActive(&host->Window()));
  }

  void cleanup() {
    host.reset();
    platform::SetHost(nullptr);
    QVERIFY2(std::exchange(answers, {}).empty(), "a window to be answered never came");
  }

  // Keys as GetAsyncKeyState: bit 15 while down, bit 0 when pressed since the last poll, the
  // keypad apart, and a release counted for the key that went down, NumLock or Shift aside; a
  // repeat is no new press, and another window taking the keyboard lets every key go.
  void keys() {
    const auto tap = [](Qt::Key press, Keys modifiers, int key, Qt::Key release = {}) {
      SendKey(QEvent::KeyPress, press, modifiers);
      if (release) SendKey(QEvent::KeyRelease, release, modifiers);
      transcript << Poll(key) << Poll(key);
    };
    tap(Qt::Key_Plus, Qt::KeypadModifier, VK_ADD);
    tap(Qt::Key_Left, Qt::KeypadModifier, VK_LEFT);                // keypad 4 without NumLock
    tap(Qt::Key_4, Qt::KeypadModifier, VK_NUMPAD4, Qt::Key_Left);  // NumLock turned off
    tap(Qt::Key_Plus, Qt::ShiftModifier, 0xBB, Qt::Key_Equal);     // VK_OEM_PLUS, as '='
    tap(Qt::Key_A, {}, 'A');
    SendKey(QEvent::KeyPress, Qt::Key_A, {}, true);
    transcript << Poll('A');
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    transcript << Poll('A');
    QCOMPARE(transcript.join(' '), "8001 8000 8001 8000 0001 0000 0001 0000 8001 8000 8000 0000");
  }

  // Both menus show the model's greying, checks and bullets and follow its changes; file dialogs
  // are set up as the editor asks and give paths in the file system's encoding.
  void menusAndFileDialogs() {
    AnswerFileDialog(WriteRom());
    Choose("&File", "&Load ROM ...");
    // The click that closed the file dialog is over: the first click opens a level.
    RunLoopTurn(*host);
    QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(30, 80));
    RunLoopTurn(*host);
    QCOMPARE(app::editor.editor_mode, app::kViewMode);
    // Each item in the menu bar, then in the popup menu.
    const auto look = [] {
      QString shown;
      for (const char* item : {"&Paste", "&Bend", "&2D View", "&3D View", "&End Edit"})
        shown = shown + Shows(*host->Window().menuBar(), item) + Shows(host->Popup(), item) + ' ';
      transcript << shown.trimmed();
    };
    look();
    // The popup menu opens where the right button went down.
    Answer<QMenu>([](QMenu& menu) {
      transcript << QString::number(menu.pos() == View().mapToGlobal(QPoint(60, 70)));
      QTest::keyClick(&menu, Qt::Key_C);
    });
    QTest::mouseClick(&View(), Qt::RightButton, {}, {60, 70});
    RunLoopTurn(*host);
    RunLoopTurn(*host);
    AnswerFileDialog(temp.filePath("sävéd"));
    Choose("&File", "&Save ROM ...");
    QVERIFY(QFile::exists(temp.filePath("sävéd.118")));
    Choose("&Edit", "&Edit Level");
    Choose("&Display", "&2D View");
    Choose("&Tools", "&Bend");
    look();
    // Copy made Paste available, Edit Level became End Edit, the bullet moved, Bend lost its check.
    QCOMPARE(
        transcript.join(" / "),
        "Load ROM 118 File | ROM 118 Files (*.118) (*.118) | 118 | 0 1 0 0 / gg cc e- b- -- / 1 / "
        "Save ROM 118 File | ROM 118 Files (*.118) (*.118) | 118 | 1 0 0 1 / ee ee b- e- ee");
  }

  // A file named on the command line is loaded as Load ROM or Load TLD File would, its first
  // click taken; anything else is told. Without a program for text files, Help > ReadMe shows the
  // ReadMe in a window of its own.
  void commandLineAndReadMe() {
    const QByteArray rom = QFile::encodeName(WriteRom());
    const QByteArray notes = QFile::encodeName(temp.filePath("notes.txt"));
    Answer<Box>([](Box& box) {
      transcript << box.text();
      QTest::keyClick(&box, Qt::Key_Return);
    });
    const char* const line[] = {"rimforge", notes.constData()};
    hosts::qt::OpenNamedFiles(*host, 2, line);
    const char* const load[] = {"rimforge", rom.constData()};
    hosts::qt::OpenNamedFiles(*host, 2, load);
    RunLoopTurn(*host);
    QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(30, 80));
    RunLoopTurn(*host);
    QCOMPARE(app::editor.editor_mode, app::kViewMode);
    host->UseDesktopOpener(false);
    host->OpenReadMe();
    auto* readme = host->Window().findChild<QPlainTextEdit*>("ReadMe");
    QVERIFY(readme && readme->isVisible() && readme->isReadOnly());
    QVERIFY(readme->toPlainText().startsWith("Rimforge"));
    QCOMPARE(transcript.join(" / "),
             "Rimforge opens one level ROM (.118) or level file (.TLD) at a time, not \"" +
                 temp.filePath("notes.txt") + "\".");
  }

  // A message box shows text and caption in Windows-1252, and the icon and buttons of its MB_
  // flags; Enter gives its default answer, Escape its cancelling one. The close box asks first.
  void messageBoxes() {
    const struct {
      UINT type;
      Qt::Key pressed;
      Box::Icon icon;
      Box::StandardButtons buttons;
      int answer;
    } rows[] = {
        {MB_OK | MB_ICONEXCLAMATION, Qt::Key_Return, Box::Warning, Box::Ok, IDOK},
        {MB_OKCANCEL, Qt::Key_Escape, Box::NoIcon, Box::Ok | Box::Cancel, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, Qt::Key_Return, Box::Question, Box::Yes | Box::No, IDYES},
        {MB_YESNO | MB_ICONQUESTION, Qt::Key_Escape, Box::Question, Box::Yes | Box::No, IDNO},
    };
    const QString line("%1 | %2 | icon %3, buttons %4: %5");
    for (const auto& row : rows) {
      QString shown;
      Answer<Box>([&](Box& box) {
        shown = line.arg(box.windowTitle(), box.text()).arg(box.icon()).arg(box.standardButtons());
        QTest::keyClick(&box, row.pressed);
      });
      QCOMPARE(shown.arg(host->ShowMessageBox("1\xBD \x80", "Rimforge \xA9", row.type)),
               line.arg("Rimforge ©", "1½ €").arg(row.icon).arg(row.buttons).arg(row.answer));
    }
    Answer<Box>([](Box& box) { QTest::keyClick(&box, Qt::Key_Return); });
    host->Window().close();
    RunLoopTurn(*host);
    QVERIFY(host->QuitRequested());
  }

  // A template's dialog: controls placed in dialog units, the procedure hearing a person's acts
  // but not the dialog's own changes; texts in Windows-1252 at the seam.
  void templateDialog() {
    Answer<hosts::qt::DialogWindow>([](auto& dialog) {
      const auto control = [&](int id) { return dialog.ControlWidget(id); };
      // A dialog unit is a quarter of the font's mean letter width, an eighth of its height.
      const auto [w, h] = dialog.BaseUnits();
      transcript << dialog.windowTitle() << qobject_cast<QLabel*>(control(kName))->text()
                 << QString::asprintf(
                        "%d %d", control(IDOK)->geometry() == QRect(5 * w, 20 * h, 12 * w, 2 * h),
                        control(kDrop)->height() < 7 * h);
      QTest::keyClicks(dialog.focusWidget(), "ab½cdef");
      QTest::keyClicks(control(kDigits), "1x2");
      transcript << QString::fromLatin1(dialog.GetItemText(kUpper) + " | " +
                                        dialog.GetItemText(kDigits));
      Click(control(kCheck));
      Click(control(kSecond));
      transcript << QString::number(dialog.IsChecked(kFirst));
      auto* list = qobject_cast<QListWidget*>(control(kList));
      Click(list->viewport(), list->visualItemRect(list->item(2)).center());
      QTest::keyClick(control(kDrop), Qt::Key_Down);
      QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
      QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
      transcript << QString::number(dialog.isVisible());
      dialog.SetCurSel(kList, 1);
      dialog.DeleteString(kList, 1);
      dialog.InsertString(kList, 1, "\xBD");
      transcript << QString::number(dialog.GetCurSel(kList)) << list->item(1)->text();
      // A caption too long for the title bar widens the dialog around its controls.
      const QPoint ok_from_middle = control(IDOK)->pos() - dialog.rect().center();
      dialog.SetCaption(std::string(40, 'W'));
      transcript << QString::number(dialog.width() > 60 * w)
                 << QString::number((control(IDOK)->pos() - dialog.rect().center() - ok_from_middle)
                                        .manhattanLength() <= 1);
      dialog.close();
    });
    const platform::DialogTemplate made{900, 160, 184, "Test \xA9", "MS Sans Serif", 8, kControls};
    QCOMPARE(host->RunModalDialog(made, nullptr, TestProcedure), INT_PTR{-5});
    // The OK button in its place, the drop-down list closed; typing goes to the first tab stop;
    // clicks are heard after the change; Enter, already down, is the default button; Escape
    // keeps it open; a deleted selection leaves none.
    QCOMPARE(
        transcript.join(" | "),
        "Test © | A & B © | 1 1 | AB½C | -312 | 13/0 1 -1 | 15/0 1 -1 | 0 | 16/1 0 2 | 17/1 0 0 | "
        "key 13 8001 | 1/0 0 -1 | key 27 8001 | 2/0 0 -1 | 1 | -1 | ½ | 1 | 1");
  }

  // A colour swatch is its colour inside a dark border, so that white is seen too.
  void swatch() {
    const QImage white = hosts::qt::IconPixmap(resources::kWhiteIcon).toImage();
    QCOMPARE(white.pixelColor(16, 16), QColor(Qt::white));
    QVERIFY(white.pixelColor(0, 16).lightness() < 128 &&
            white.pixelColor(31, 31).lightness() < 128);
  }

  // Sizing keeps the client area at 520 : 650; the frame buffer shows one to one through the
  // palette, to the last pixel.
  void frame() {
    const QSize rows[][2] = {
        // the window's size less the menu bar, and the client area's
        {{900, 1100}, {520, 650}},  // never beyond the frame at zoom 1
        {{300, 300}, {300, 375}},   // a side: the height follows the width
        {{300, 500}, {400, 500}},   // only the bottom edge: the width follows the height
    };
    for (const auto& [dragged, client] : rows) {
      host->Window().resize(dragged + QSize(0, host->Window().menuBar()->height()));
      QCoreApplication::processEvents();
      QCOMPARE(View().size(), client);
    }
    QImage expected(View().size(), QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y) {
      for (int x = 0; x < expected.width(); ++x) {
        const auto colour = static_cast<std::uint8_t>(x * 7 + y * 3);
        gfx::FrameBuffer()[y * gfx::kFrameWidth + x] = colour;
        const auto& entry = gfx::Palette()[colour];
        expected.setPixel(x, y, qRgb(entry.red, entry.green, entry.blue));
      }
    }
    host->BlitFrame();
    QCOMPARE(View().grab().toImage(), expected);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  hosts::qt::PrepareApplication();
  Tick();
  QtHostTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_host_test.moc"
