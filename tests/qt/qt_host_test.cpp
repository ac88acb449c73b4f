// The Qt host driven as a person drives it, on Qt's offscreen platform.
#include <QActionGroup>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "answers.h"
#include "files/colours.h"
#include "files/level_rom_file.h"
#include "gfx/frame_buffer.h"
#include "hosts/qt/frame_loop.h"
#include "hosts/qt/start_up.h"
#include "resources/colour_dialogs.h"

namespace {

using hosts::qt::DialogWindow;
using hosts::qt::RunLoopTurn;
using qt_testing::Answer;
using Box = QMessageBox;
using Keys = Qt::KeyboardModifiers;

std::unique_ptr<hosts::qt::QtHost> host;
QTemporaryDir temp;

hosts::qt::FrameView& View() {
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

// A click on the window that reaches whatever lies at `at` in `widget` (or its centre).
void Click(QWidget* widget, QPoint at = {}) {
  at = widget->mapTo(widget->window(), at.isNull() ? widget->rect().center() : at);
  QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {}, at);
}

QString WriteFile(const QString& name, const auto& bytes) {
  QFile file(temp.filePath(name));
  if (file.open(QIODevice::WriteOnly))
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  return file.fileName();
}

// Types `path` into the next file dialog (none cancels), noting down how the dialog is set up.
void AnswerFileDialog(const QString& path, QStringList* seen = nullptr) {
  Answer<QFileDialog>("QFileDialog", [path, seen](QFileDialog& dialog) {
    if (seen) {
      *seen << QString("%1 | %2 | %3 | %4 %5 %6")
                   .arg(dialog.windowTitle(), dialog.nameFilters().join(';'),
                        dialog.defaultSuffix())
                   .arg(dialog.acceptMode())
                   .arg(dialog.fileMode())
                   .arg(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    }
    if (path.isEmpty()) return dialog.reject();
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
}

QAction* Find(const QList<QAction*>& actions, const QStringList& path) {
  for (QAction* action : actions) {
    if (action->text() != path.front()) continue;
    if (path.size() == 1) return action;
    return action->menu() ? Find(action->menu()->actions(), path.mid(1)) : nullptr;
  }
  return nullptr;
}

// The item on `path` from a menu-bar title, or else in the popup menu, as the person sees it.
QString Shows(const QStringList& path) {
  const QAction* item = Find(host->Window().menuBar()->actions(), path);
  if (item == nullptr) item = Find(host->Popup().actions(), path);
  if (item == nullptr) return "missing";
  if (!item->isEnabled()) return "grey";
  if (!item->isChecked()) return "enabled";
  return item->actionGroup() && item->actionGroup()->isExclusive() ? "bullet" : "check";
}

// Opens a menu of the menu bar with the mouse and chooses the item by its access key.
void Choose(const QString& title, const QString& item) {
  QMenuBar* bar = host->Window().menuBar();
  QAction* menu = Find(bar->actions(), {title});
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu).center());
  QVERIFY2(menu && menu->menu()->isVisible(), qPrintable(title));
  QTest::keyClick(menu->menu(), Qt::Key(item.at(item.indexOf('&') + 1).toUpper().unicode()));
  RunLoopTurn(*host);
}

// The id of the control that has the focus.
int FocusedId(const DialogWindow& dialog) {
  int id = 0;
  while (id < 2000 && dialog.ControlWidget(id) != dialog.focusWidget())
    ++id;
  return id;
}

// Every kind of control that a person works, and a procedure that writes down keys with their
// GetAsyncKeyState, and commands as id/notification with IsChecked and GetCurSel.
enum : int { kName = 10, kUpper, kDigits, kCheck, kFirst, kSecond, kList, kDrop };
using enum platform::ControlKind;
constexpr platform::DialogControl kControls[] = {
    {kName, kLabel, 4, 4, 60, 8, "&Name:", 0},
    {kUpper, kEdit, 70, 4, 80, 12, "", ES_UPPERCASE | WS_TABSTOP},
    {kDigits, kEdit, 70, 20, 80, 12, "-3", ES_NUMBER | WS_TABSTOP},
    {kCheck, kCheckBox, 10, 62, 60, 10, "Check", WS_TABSTOP},
    {kFirst, kRadioButton, 80, 62, 60, 10, "First", WS_TABSTOP},
    {kSecond, kRadioButton, 80, 76, 60, 10, "Second", 0},
    {-1, kGroupBox, 4, 52, 150, 40, "Group", 0},  // after its buttons, behind them
    {kList, kListBox, 4, 96, 80, 60, "", LBS_NOTIFY | WS_TABSTOP},
    {kDrop, kDropDownList, 90, 96, 60, 60, "", WS_TABSTOP},
    {IDOK, kDefaultPushButton, 20, 164, 50, 14, "OK", WS_TABSTOP},
};
QStringList transcript;

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
    transcript << QString::asprintf("command %d/%u %d %d", id, HIWORD(wParam), dialog.IsChecked(id),
                                    dialog.GetCurSel(id));
  } else if (message == WM_CLOSE) {
    transcript << "close";
    dialog.EndDialog(-5);
  }
  return 1;
}

class QtHostTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    host = std::make_unique<hosts::qt::QtHost>();
    host->UseNativeFileDialogs(false);
    hosts::qt::StartEditorWindow(*host);
    QVERIFY(QTest::qWaitForWindowActive(&host->Window()));
  }

  void cleanup() {
    host.reset();
    platform::SetHost(nullptr);
    QVERIFY2(std::exchange(qt_testing::answers, {}).empty(), "a window to be answered never came");
  }

  // Keys as GetAsyncKeyState: bit 15 while down, bit 0 when pressed since the last poll, the
  // keypad apart, and a release counted for the key that went down, NumLock or Shift aside.
  void keys() {
    constexpr Keys kPad = Qt::KeypadModifier;
    constexpr int kOemPlus = 0xBB;  // VK_OEM_PLUS
    const struct {
      Qt::Key press;
      Keys modifiers;
      int key;
      const char* polls;  // two, one after the other
      Qt::Key release = {};
      Keys release_modifiers = {};
    } rows[] = {
        {Qt::Key_A, {}, 'A', "8001 8000"},
        {Qt::Key_Space, {}, VK_SPACE, "0001 0000", Qt::Key_Space},  // a tap between polls
        {Qt::Key_Plus, kPad, VK_ADD, "8001 8000"},
        {Qt::Key_Left, kPad, VK_LEFT, "8001 8000"},                      // keypad 4 without NumLock
        {Qt::Key_4, kPad, VK_NUMPAD4, "0001 0000", Qt::Key_Left, kPad},  // NumLock turned off
        {Qt::Key_Plus, Qt::ShiftModifier, kOemPlus, "0001 0000", Qt::Key_Equal},  // Shift up first
    };
    for (const auto& row : rows) {
      host->ReleaseAllKeys();
      SendKey(QEvent::KeyPress, row.press, row.modifiers);
      if (row.release) SendKey(QEvent::KeyRelease, row.release, row.release_modifiers);
      const QString first = QString("row %1: ").arg(&row - rows) + Poll(row.key);
      QCOMPARE(first + ' ' + Poll(row.key), QString("row %1: %2").arg(&row - rows).arg(row.polls));
    }
    // Repeats are no new presses; a key is let go when another window takes the keyboard.
    SendKey(QEvent::KeyPress, Qt::Key_W, {});
    QCOMPARE(Poll('W'), "8001");
    SendKey(QEvent::KeyPress, Qt::Key_W, {}, true);
    QCOMPARE(Poll('W'), "8000");
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(Poll('W'), "0000");
  }

  // Both menus show the model's texts with access keys, greying, checks and bullets, and follow
  // its changes; a chosen item reaches the editor as its command.
  void menus() {
    AnswerFileDialog(WriteFile("tubes.118", files::kLevelRomSignature));
    Choose("&File", "&Load ROM ...");
    // The first click in level select ends the latch against the file dialog's click.
    for (int click = 0; click < 2; ++click) {
      QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(30, 80));
      RunLoopTurn(*host);
    }

    // The popup menu opens where the right button went down; Copy makes Paste available.
    QCOMPARE(Shows({"&Edit", "&Paste"}) + Shows({"&Paste"}), "greygrey");
    QPoint shown_at;
    Answer<QMenu>("QMenu", [&](auto& menu) {
      shown_at = menu.pos();
      QTest::keyClick(&menu, Qt::Key_C);
    });
    QTest::mouseClick(&View(), Qt::RightButton, {}, {60, 70});
    RunLoopTurn(*host);
    RunLoopTurn(*host);
    QCOMPARE(shown_at, View().mapToGlobal(QPoint(60, 70)));
    QCOMPARE(Shows({"&Edit", "&Paste"}) + Shows({"&Paste"}), "enabledenabled");

    const struct {
      QStringList chosen;  // from the menu bar, before looking
      QStringList item;    // from a menu-bar title, or else in the popup menu
      const char* shows;
    } rows[] = {
        {{"&Edit", "&Edit Level"}, {"&Edit", "&End Edit"}, "enabled"},
        {{}, {"&End Edit"}, "enabled"},
        {{}, {"&Display", "&3D View"}, "bullet"},
        {{"&Display", "&2D View"}, {"&Display", "&2D View"}, "bullet"},
        {{}, {"&Display", "&3D View"}, "enabled"},
        {{}, {"&Bend"}, "check"},
        {{"&Tools", "&Bend"}, {"&Bend"}, "enabled"},
    };
    for (const auto& row : rows) {
      if (!row.chosen.isEmpty()) Choose(row.chosen[0], row.chosen[1]);
      QCOMPARE(row.item.join('/') + ' ' + Shows(row.item), row.item.join('/') + ' ' + row.shows);
    }
  }

  // A message box shows text, caption, and the icon and buttons of its MB_ flags, and returns
  // the button pressed; Escape gives its cancelling answer.
  void messageBoxes() {
    const struct {
      UINT type;
      Box::StandardButton pressed;  // Box::NoButton: Escape
      Box::Icon icon;
      Box::StandardButtons buttons;
      int answer;
    } rows[] = {
        {MB_OK | MB_ICONEXCLAMATION, Box::Ok, Box::Warning, Box::Ok, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, Box::Cancel, Box::Question, Box::Ok | Box::Cancel,
         IDCANCEL},
        {MB_OKCANCEL, Box::NoButton, Box::NoIcon, Box::Ok | Box::Cancel, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, Box::Yes, Box::Question, Box::Yes | Box::No, IDYES},
        {MB_YESNO | MB_ICONQUESTION, Box::No, Box::Question, Box::Yes | Box::No, IDNO},
    };
    const QString line("%1 | %2 | icon %3, buttons %4: %5");
    for (const auto& row : rows) {
      QString shown;
      Answer<Box>("QMessageBox", [&](auto& box) {
        shown = line.arg(box.windowTitle(), box.text()).arg(box.icon()).arg(box.standardButtons());
        if (row.pressed == Box::NoButton) return QTest::keyClick(&box, Qt::Key_Escape);
        QTest::mouseClick(box.button(row.pressed), Qt::LeftButton);
      });
      QCOMPARE(shown.arg(host->ShowMessageBox("1\xBD \x80", "Rimforge \xA9", row.type)),
               line.arg("Rimforge ©", "1½ €").arg(row.icon).arg(row.buttons).arg(row.answer));
    }
    // The close box asks before leaving: Cancel keeps the editor open, OK leaves.
    for (const Box::StandardButton pressed : {Box::Cancel, Box::Ok}) {
      Answer<Box>("QMessageBox", [&](auto& box) { box.button(pressed)->click(); });
      host->Window().close();
      RunLoopTurn(*host);
      QCOMPARE(host->QuitRequested(), pressed == Box::Ok);
    }
  }

  // A template's dialog: controls placed in dialog units, its procedure hearing what a person
  // does with each, but not the dialog's own changes; texts in Windows-1252 at the seam.
  void templateDialog() {
    hosts::qt::DialogBaseUnits units{};
    QRect ok, drop;
    Answer<DialogWindow>("900", [&](auto& dialog) {
      const auto control = [&](int id) { return dialog.ControlWidget(id); };
      const auto text = [&](int id) { return QString::fromLatin1(dialog.GetItemText(id)); };
      units = dialog.BaseUnits();
      ok = control(IDOK)->geometry();
      drop = control(kDrop)->geometry();
      transcript << dialog.windowTitle() << QString::number(FocusedId(dialog));
      QTest::keyClicks(control(kUpper), "ab½cdef");
      QTest::keyClicks(control(kDigits), "1x2");
      transcript << text(kUpper) << text(kDigits);
      Click(control(kCheck));
      Click(control(kSecond));
      transcript << QString::number(dialog.IsChecked(kFirst));
      auto* list = qobject_cast<QListWidget*>(control(kList));
      Click(list->viewport(), list->visualItemRect(list->item(2)).center());
      control(kDrop)->setFocus();
      QTest::keyClick(control(kDrop), Qt::Key_Down);
      control(kUpper)->setFocus();
      QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
      QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
      transcript << QString::number(dialog.isVisible());
      dialog.SetCurSel(kList, 1);
      dialog.DeleteString(kList, 1);
      dialog.InsertString(kList, 1, "\xBD");
      dialog.SetItemText(kName, "A && B \xA9");
      transcript << QString::number(dialog.GetCurSel(kList)) << list->item(1)->text()
                 << qobject_cast<QLabel*>(control(kName))->text();
      const RECT was = dialog.GetWindowRect();
      dialog.MoveWindow(was.left + 15, was.top + 25);
      const RECT is = dialog.GetWindowRect();
      transcript << QString::asprintf("%d %d %d %d", is.left - was.left, is.top - was.top,
                                      is.right - was.right, is.bottom - was.bottom);
      dialog.close();
    });
    const platform::DialogTemplate made{900, 160, 184, "Test \xA9", "MS Sans Serif", 8, kControls};
    QCOMPARE(host->RunModalDialog(made, nullptr, TestProcedure), INT_PTR{-5});
    // Caption, focus on the first tab stop; capitals within the limit, digits only; clicks heard
    // after the change; the drop-down list had nothing chosen; Enter, freshly pressed, then the
    // default button; Escape, IDCANCEL, kept open; the dialog's own changes, unheard; the move.
    QCOMPARE(transcript.join(" | "),
             "Test © | 11 | AB½C | -312 | command 13/0 1 -1 | command 15/0 1 -1 | 0 | "
             "command 16/1 0 2 | command 17/1 0 0 | key 13 8001 | command 1/0 0 -1 | "
             "key 27 8001 | command 2/0 0 -1 | 1 | -1 | ½ | A & B © | 15 25 15 25 | close");
    // A dialog unit is a quarter of the font's mean letter width, an eighth of its height.
    const auto x = [&units](int across) { return (across * units.width + 2) / 4; };
    const auto y = [&units](int down) { return (down * units.height + 4) / 8; };
    QCOMPARE(ok, QRect(x(20), y(164), x(50), y(14)));
    QVERIFY(drop.height() < y(60));  // a closed drop-down list is one line high
  }

  // Sizing keeps the client area at 520 : 650, the editor's zoom following its width; the frame
  // buffer shows one to one through the palette, to the client area's last pixel.
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
    const int pixels[][3] = {{0, 0, 63}, {7, 3, 116}, {399, 499, 111}, {1, 0, 0}};  // x, y, colour
    gfx::ClearFrameBuffer();
    for (const auto& [x, y, colour] : pixels)
      gfx::FrameBuffer()[y * gfx::kFrameWidth + x] = static_cast<std::uint8_t>(colour);
    host->BlitFrame();
    const QImage shown = View().grab().toImage();
    for (const auto& [x, y, colour] : pixels) {
      const gfx::RgbQuad& entry = gfx::Palette()[colour];
      QCOMPARE(shown.pixel(x, y), qRgb(entry.red, entry.green, entry.blue));
    }
  }

  // File › Edit Colours...: file dialogs as the editor asks (paths in the file system's encoding),
  // a cancelled one ending it; a cell opens the colour picker, whose colour paints it and is saved.
  void editColours() {
    QStringList seen;
    AnswerFileDialog({}, &seen);
    Choose("&File", "Edit &Colours...");
    QByteArray rom(531, 0);
    std::copy(files::kColourRomSignature.begin(), files::kColourRomSignature.end(), rom.begin());
    rom[530] = 0x0C;  // Spikers' third cycle: red
    AnswerFileDialog(WriteFile("cölours.119", rom), &seen);
    Answer<DialogWindow>("107", [&](auto& dialog) {
      QWidget* cell = dialog.ControlWidget(resources::ColourCell(5, 2));
      Click(cell);
      const QIcon icon = qobject_cast<QPushButton*>(cell)->icon();
      seen << icon.pixmap(8, 8).toImage().pixelColor(4, 4).name();
      Click(dialog.ControlWidget(resources::kColoursOk));
    });
    Answer<DialogWindow>("108", [&](auto& picker) {
      seen << picker.windowTitle() << QString::number(FocusedId(picker));
      Click(picker.ControlWidget(1092));  // yellow
    });
    AnswerFileDialog(temp.filePath("édited"), &seen);
    Choose("&File", "Edit &Colours...");
    QFile saved(temp.filePath("édited.119"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    seen << QString::number(saved.readAll().at(530));
    // The file dialogs' title, filter, default extension, and accept mode (1: save), file mode
    // (1: must exist) and DontConfirmOverwrite; the picker's focus on the cell's red; yellow
    // picked, code 4.
    const QString load = "Load ROM 119 File | ROM 119 Files (*.119) (*.119) | 119 | 0 1 0";
    QCOMPARE(seen,
             QStringList({load, load, "Colour Picker : Spikers (Cycle 3)", "1046", "#ffff00",
                          "Save ROM 119 File | ROM 119 Files (*.119) (*.119) | 119 | 1 0 0", "4"}));
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  hosts::qt::PrepareApplication();
  qt_testing::Tick();
  QtHostTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_host_test.moc"
