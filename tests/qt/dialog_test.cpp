// A dialog built from a template: controls placed by dialog units, and a dialog procedure that
// drives them through platform::Dialog as the editor's procedures do, while a person types,
// clicks, selects, presses Enter and Escape and closes the dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <vector>

#include "hosts/qt/dialog_window.h"
#include "platform/host.h"
#include "qt_test_classes.h"
#include "qt_test_support.h"

namespace {

using platform::ControlKind;
using platform::DialogControl;
using qt_testing::EditorWindow;

enum : int {
  kUpperEdit = 10,
  kNumberEdit = 11,
  kCheck = 12,
  kFirstRadio = 13,
  kSecondRadio = 14,
  kList = 15,
  kDropDown = 16,
  kIconButton = 17,
  kDisabledEdit = 18,
  kLabel = 19,
  kOk = 1,
  kCancel = 1003,
};

constexpr DialogControl kControls[] = {
    {kLabel, ControlKind::kLabel, 4, 4, 60, 8, "&Name:", 0},
    {kUpperEdit, ControlKind::kEdit, 70, 4, 80, 12, "", ES_UPPERCASE | WS_TABSTOP},
    {kNumberEdit, ControlKind::kEdit, 70, 20, 80, 12, "-3", ES_NUMBER | WS_TABSTOP},
    {kDisabledEdit, ControlKind::kEdit, 70, 36, 80, 12, "", WS_DISABLED},
    {-1, ControlKind::kGroupBox, 4, 52, 150, 40, "Group", 0},
    {kCheck, ControlKind::kCheckBox, 10, 62, 60, 10, "Check", WS_TABSTOP},
    {kFirstRadio, ControlKind::kRadioButton, 80, 62, 60, 10, "First", WS_TABSTOP},
    {kSecondRadio, ControlKind::kRadioButton, 80, 76, 60, 10, "Second", 0},
    {kList, ControlKind::kListBox, 4, 96, 80, 60, "", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP},
    {kDropDown, ControlKind::kDropDownList, 90, 96, 60, 60, "", WS_TABSTOP},
    {kIconButton, ControlKind::kPushButton, 90, 116, 26, 23, "", WS_TABSTOP, 113},
    {-1, ControlKind::kIcon, 120, 116, 21, 20, "", 0, 102},
    {kOk, ControlKind::kDefaultPushButton, 20, 164, 50, 14, "OK", WS_TABSTOP},
    {kCancel, ControlKind::kPushButton, 90, 164, 50, 14, "Cancel", WS_TABSTOP},
};

constexpr platform::DialogTemplate kTemplate{900, 160,      184, "Test \xA9", "MS Sans Serif",
                                             8,   kControls};

// What the procedure saw, in order.
struct Seen {
  UINT message;
  int id;
  int notification;
  std::int16_t enter;  // GetAsyncKeyState(VK_RETURN) when the procedure ran
  bool checked;        // IsChecked(id) for clicks
  int selection;       // GetCurSel(id) for selection changes
};

std::vector<Seen> seen;
INT_PTR init_result = 1;
int focus_on_init = 0;
bool end_on_init = false;

INT_PTR TestProcedure(platform::Dialog& dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  Seen entry{message, 0, 0, platform::CurrentHost().GetAsyncKeyState(VK_RETURN), false, -2};
  if (message == WM_COMMAND) {
    entry.id = static_cast<int>(LOWORD(wParam));
    entry.notification = static_cast<int>(HIWORD(wParam));
    entry.checked = dialog.IsChecked(entry.id);
    entry.selection = dialog.GetCurSel(entry.id);
  }
  seen.push_back(entry);
  switch (message) {
    case WM_INITDIALOG:
      for (const char* text : {"one", "two", "three"}) {
        dialog.AddString(kList, text);
        dialog.AddString(kDropDown, text);
      }
      dialog.SetTextLimit(kUpperEdit, 4);
      dialog.SetCurSel(kList, 0);
      dialog.SetChecked(kFirstRadio, true);
      if (focus_on_init != 0) dialog.SetFocus(focus_on_init);
      if (end_on_init) dialog.EndDialog(7);
      return init_result;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCancel) dialog.EndDialog(IDCANCEL);
      return 1;
    case WM_CLOSE:
      dialog.EndDialog(-5);
      return 1;
    default:
      return 0;
  }
}

std::vector<Seen> SeenCommands() {
  std::vector<Seen> commands;
  for (const Seen& entry : seen) {
    if (entry.message == WM_COMMAND) commands.push_back(entry);
  }
  return commands;
}

template <class Widget>
Widget& Control(QWidget& dialog, int id) {
  return *qobject_cast<Widget*>(static_cast<hosts::qt::DialogWindow&>(dialog).ControlWidget(id));
}

class DialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    seen.clear();
    init_result = 1;
    focus_on_init = 0;
    end_on_init = false;
  }
  void cleanup() {
    const QStringList problems = qt_testing::TakeAnswerProblems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u';')));
  }

  void controlsArePlacedByDialogUnits() {
    EditorWindow editor;
    hosts::qt::DialogBaseUnits units{};
    QRect ok;
    QRect drop_down;
    QSize size;
    QString caption;
    QString label;
    bool icon_shown = false;
    bool swatch_shown = false;
    bool group_behind = false;
    qt_testing::Answer(QStringLiteral("dialog 900"), [&](QWidget& widget) {
      auto& dialog = static_cast<hosts::qt::DialogWindow&>(widget);
      units = dialog.BaseUnits();
      size = dialog.size();
      caption = dialog.windowTitle();
      ok = dialog.ControlWidget(kOk)->geometry();
      drop_down = dialog.ControlWidget(kDropDown)->geometry();
      label = Control<QLabel>(dialog, kLabel).text();
      icon_shown = !dialog.findChildren<QLabel*>().isEmpty() &&
                   !dialog.findChildren<QLabel*>().last()->pixmap().isNull();
      swatch_shown = !Control<QPushButton>(dialog, kIconButton).icon().isNull();
      group_behind = dialog.children().indexOf(dialog.findChild<QGroupBox*>()) <
                     dialog.children().indexOf(&Control<QCheckBox>(dialog, kCheck));
      Control<QPushButton>(dialog, kCancel).click();
    });
    QCOMPARE(editor.Host().RunModalDialog(kTemplate, nullptr, TestProcedure), INT_PTR{IDCANCEL});

    // The dialog font gives letters of about six pixels and lines of about twelve here.
    QVERIFY(units.width >= 5 && units.width <= 8);
    QVERIFY(units.height >= 11 && units.height <= 16);
    const auto x = [&units](int dialog_units) { return (dialog_units * units.width + 2) / 4; };
    const auto y = [&units](int dialog_units) { return (dialog_units * units.height + 4) / 8; };
    QCOMPARE(size, QSize(x(160), y(184)));
    QCOMPARE(ok, QRect(x(20), y(164), x(50), y(14)));
    // A drop-down list is one line high when closed, whatever its template height.
    QCOMPARE(drop_down.topLeft(), QPoint(x(90), y(96)));
    QVERIFY(drop_down.height() < y(60));
    QCOMPARE(caption, QStringLiteral(u"Test \u00A9"));
    QCOMPARE(label, QStringLiteral("Name:"));
    QVERIFY(icon_shown);
    QVERIFY(swatch_shown);
    QVERIFY(group_behind);
  }

  void procedureSeesWhatThePersonDoes() {
    EditorWindow editor;
    std::string upper;
    std::string number;
    bool disabled = false;
    int second_radio_checked = -1;
    int first_radio_checked = -1;
    qt_testing::Answer(QStringLiteral("dialog 900"), [&](QWidget& widget) {
      auto& dialog = static_cast<hosts::qt::DialogWindow&>(widget);
      disabled = !dialog.ControlWidget(kDisabledEdit)->isEnabled();
      QTest::keyClicks(&Control<QLineEdit>(dialog, kUpperEdit), QStringLiteral(u"ab\u00bdcdef"));
      QLineEdit& digits = Control<QLineEdit>(dialog, kNumberEdit);
      digits.setCursorPosition(2);
      QTest::keyClicks(&digits, QStringLiteral("1x2"));
      upper = dialog.GetItemText(kUpperEdit);
      number = dialog.GetItemText(kNumberEdit);

      QTest::mouseClick(&Control<QCheckBox>(dialog, kCheck), Qt::LeftButton);
      QTest::mouseClick(&Control<QRadioButton>(dialog, kSecondRadio), Qt::LeftButton);
      second_radio_checked = dialog.IsChecked(kSecondRadio);
      first_radio_checked = dialog.IsChecked(kFirstRadio);
      QListWidget& list = Control<QListWidget>(dialog, kList);
      QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                        list.visualItemRect(list.item(2)).center());
      dialog.SetCurSel(kList, 1);  // the dialog's own change: no notification
      QComboBox& combo = Control<QComboBox>(dialog, kDropDown);
      combo.setFocus();
      QTest::keyClick(&combo, Qt::Key_Down);
      QTest::mouseClick(&Control<QPushButton>(dialog, kCancel), Qt::LeftButton);
    });
    QCOMPARE(editor.Host().RunModalDialog(kTemplate, nullptr, TestProcedure), INT_PTR{IDCANCEL});

    QCOMPARE(seen.front().message, WM_INITDIALOG);
    QVERIFY(disabled);
    // Capitals as typed, within the limit of four; Windows-1252 at the seam.
    QCOMPARE(upper, std::string("AB\xBD"
                                "C"));
    // Only digits can be typed; what the dialog put there stays.
    QCOMPARE(number, std::string("-312"));
    QCOMPARE(second_radio_checked, 1);
    QCOMPARE(first_radio_checked, 0);

    const std::vector<Seen> commands = SeenCommands();
    QCOMPARE(commands.size(), std::size_t{5});
    QCOMPARE(commands[0].id, static_cast<int>(kCheck));
    QCOMPARE(commands[0].notification, static_cast<int>(BN_CLICKED));
    QVERIFY(commands[0].checked);  // the box had changed before the procedure heard of it
    QCOMPARE(commands[1].id, static_cast<int>(kSecondRadio));
    QVERIFY(commands[1].checked);
    QCOMPARE(commands[2].id, static_cast<int>(kList));
    QCOMPARE(commands[2].notification, static_cast<int>(LBN_SELCHANGE));
    QCOMPARE(commands[2].selection, 2);
    QCOMPARE(commands[3].id, static_cast<int>(kDropDown));
    QCOMPARE(commands[3].notification, static_cast<int>(LBN_SELCHANGE));
    QCOMPARE(commands[3].selection, 0);  // the list started with nothing chosen
    QCOMPARE(commands[4].id, static_cast<int>(kCancel));
  }

  void enterAndEscapeGoToTheProcedureWhichDecides() {
    EditorWindow editor;
    bool open_after_keys = false;
    qt_testing::Answer(QStringLiteral("dialog 900"), [&](QWidget& widget) {
      auto& dialog = static_cast<hosts::qt::DialogWindow&>(widget);
      QLineEdit& edit = Control<QLineEdit>(dialog, kUpperEdit);
      edit.setFocus();
      QTest::keyPress(dialog.windowHandle(), Qt::Key_Return);
      QTest::keyRelease(dialog.windowHandle(), Qt::Key_Return);
      QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
      open_after_keys = dialog.isVisible();
      dialog.close();  // the close box
    });
    QCOMPARE(editor.Host().RunModalDialog(kTemplate, nullptr, TestProcedure), INT_PTR{-5});
    QVERIFY(open_after_keys);

    // Enter: the key reaches the procedure while it is down and freshly pressed, then the
    // default button's command follows; Escape sends IDCANCEL. Neither closed the dialog.
    std::vector<Seen> keys;
    for (const Seen& entry : seen) {
      if (entry.message == WM_KEYDOWN || entry.message == WM_COMMAND) keys.push_back(entry);
    }
    QCOMPARE(keys.size(), std::size_t{4});
    QCOMPARE(keys[0].message, WM_KEYDOWN);
    QCOMPARE(keys[0].enter, static_cast<std::int16_t>(0x8001));
    QCOMPARE(keys[1].message, WM_COMMAND);
    QCOMPARE(keys[1].id, static_cast<int>(kOk));
    QCOMPARE(keys[1].enter, static_cast<std::int16_t>(0x8000));
    QCOMPARE(keys[2].message, WM_KEYDOWN);
    QCOMPARE(keys[3].id, IDCANCEL);
    QCOMPARE(seen.back().message, WM_CLOSE);
  }

  void initialFocusFollowsTheInitResult() {
    EditorWindow editor;
    QWidget* focused = nullptr;
    QWidget* expected = nullptr;
    const auto look = [&](QWidget& widget) {
      auto& dialog = static_cast<hosts::qt::DialogWindow&>(widget);
      QVERIFY(QTest::qWaitForWindowActive(&dialog));
      focused = dialog.focusWidget();
      expected = dialog.ControlWidget(focus_on_init != 0 ? focus_on_init : kUpperEdit);
      dialog.close();
    };
    qt_testing::Answer(QStringLiteral("dialog 900"), look);
    editor.Host().RunModalDialog(kTemplate, nullptr, TestProcedure);
    QCOMPARE(focused, expected);

    // A procedure that sets the focus itself returns 0 and keeps it there.
    init_result = 0;
    focus_on_init = kNumberEdit;
    qt_testing::Answer(QStringLiteral("dialog 900"), look);
    editor.Host().RunModalDialog(kTemplate, nullptr, TestProcedure);
    QCOMPARE(focused, expected);

    // Ended while opening: never shown.
    end_on_init = true;
    QCOMPARE(editor.Host().RunModalDialog(kTemplate, nullptr, TestProcedure), INT_PTR{7});
  }

  void listsAndTextsChangeAsTheDialogSays() {
    EditorWindow editor;
    QStringList entries;
    int selection_after_delete = 0;
    int combo_after_insert = 0;
    QString label_text;
    RECT moved{};
    RECT before{};
    qt_testing::Answer(QStringLiteral("dialog 900"), [&](QWidget& widget) {
      auto& dialog = static_cast<hosts::qt::DialogWindow&>(widget);
      dialog.SetCurSel(kList, 1);
      dialog.DeleteString(kList, 1);
      selection_after_delete = dialog.GetCurSel(kList);
      dialog.InsertString(kList, 1, "\xBD");
      dialog.SetCurSel(kDropDown, 2);
      dialog.InsertString(kDropDown, 0, "zero");
      combo_after_insert = dialog.GetCurSel(kDropDown);
      QListWidget& list = Control<QListWidget>(dialog, kList);
      for (int row = 0; row < list.count(); ++row)
        entries.append(list.item(row)->text());
      dialog.SetItemText(kLabel, "A && B \xA9");
      label_text = Control<QLabel>(dialog, kLabel).text();
      before = dialog.GetWindowRect();
      dialog.MoveWindow(before.left + 15, before.top + 25);
      moved = dialog.GetWindowRect();
      dialog.EnableItem(kDisabledEdit, true);
      QVERIFY(dialog.ControlWidget(kDisabledEdit)->isEnabled());
      dialog.EndDialog(3);
    });
    QCOMPARE(editor.Host().RunModalDialog(kTemplate, nullptr, TestProcedure), INT_PTR{3});
    QCOMPARE(selection_after_delete, LB_ERR);
    QCOMPARE(entries, QStringList({"one", QStringLiteral(u"\u00bd"), "three"}));
    QCOMPARE(combo_after_insert, 3);  // the same entry, one further down
    QCOMPARE(label_text, QStringLiteral(u"A & B \u00a9"));
    QCOMPARE(moved.left, before.left + 15);
    QCOMPARE(moved.top, before.top + 25);
    QCOMPARE(moved.right - moved.left, before.right - before.left);
    // No notification came from the dialog's own changes.
    QVERIFY(SeenCommands().empty());
  }
};

}  // namespace

std::unique_ptr<QObject> MakeDialogTest() {
  return std::make_unique<DialogTest>();
}

#include "dialog_test.moc"
