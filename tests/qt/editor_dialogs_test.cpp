// The editor's own dialogs on real widgets: each template lays out inside its dialog, and the
// editor's dialog procedures run unchanged, driven through the menus as a person would.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/editor_state.h"
#include "files/colours.h"
#include "files/text_rom.h"
#include "hosts/qt/dialog_window.h"
#include "qt_test_classes.h"
#include "qt_test_support.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/colour_dialogs.h"
#include "resources/text_messages_dialog.h"
#include "resources/tool_dialogs.h"

namespace {

using hosts::qt::DialogWindow;
using qt_testing::EditorWindow;

INT_PTR ClosingProcedure(platform::Dialog& dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) dialog.EndDialog(0);
  return message == WM_INITDIALOG ? 1 : 0;
}

template <class Widget>
Widget& Control(QWidget& dialog, int id) {
  return *qobject_cast<Widget*>(static_cast<DialogWindow&>(dialog).ControlWidget(id));
}

QRgb IconColour(const QIcon& icon) {
  return icon.pixmap(16, 16).toImage().pixel(8, 8);
}

// A text ROM whose 120 messages each read "ABC" at X position 5.
std::vector<std::uint8_t> TextRomImage() {
  std::vector<std::uint8_t> image(files::kTextRomSize, 0);
  std::copy(files::kTextRomSignature.begin(), files::kTextRomSignature.end(), image.begin());
  for (int message = 0; message < files::kMessageCount; ++message) {
    const std::size_t record = 400 + 4 * static_cast<std::size_t>(message);
    const int address = files::kTextRomAddress + static_cast<int>(record);
    image[files::kMessagePointersOffset + 2 * static_cast<std::size_t>(message)] =
        static_cast<std::uint8_t>(address & 0xFF);
    image[files::kMessagePointersOffset + 2 * static_cast<std::size_t>(message) + 1] =
        static_cast<std::uint8_t>(address >> 8);
    image[record] = 5;
    image[record + 1] = 11 << 1;                               // A
    image[record + 2] = 12 << 1;                               // B
    image[record + 3] = (13 << 1) | files::kLastCharacterBit;  // C, the last
  }
  return image;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class EditorDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    const QStringList problems = qt_testing::TakeAnswerProblems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u';')));
  }

  void everyTemplateLaysOutInsideItsDialog() {
    EditorWindow editor;
    const platform::DialogTemplate* templates[] = {
        &resources::AngleStepDialog(),    &resources::ScalePointsDialog(),
        &resources::ScaleLevelDialog(),   &resources::AboutDialog(),
        &resources::TextMessagesDialog(), &resources::ArcadeHitsDialog(),
        &resources::ColoursDialog(),      &resources::ColourPickerDialog()};
    for (const platform::DialogTemplate* dialog_template : templates) {
      QStringList outside;
      int addressed = 0;
      qt_testing::Answer(
          QStringLiteral("dialog %1").arg(dialog_template->id), [&](QWidget& widget) {
            auto& dialog = static_cast<DialogWindow&>(widget);
            for (const platform::DialogControl& control : dialog_template->controls) {
              if (control.id == -1) continue;
              QWidget* made = dialog.ControlWidget(control.id);
              if (made == nullptr) continue;
              ++addressed;
              if (!dialog.rect().contains(made->geometry()))
                outside.append(QString::number(control.id));
            }
            dialog.close();
          });
      editor.Host().RunModalDialog(*dialog_template, nullptr, ClosingProcedure);
      int expected = 0;
      for (const platform::DialogControl& control : dialog_template->controls)
        expected += control.id != -1 ? 1 : 0;
      QCOMPARE(addressed, expected);
      QVERIFY2(
          outside.isEmpty(),
          qPrintable(
              QStringLiteral("dialog %1: %2").arg(dialog_template->id).arg(outside.join(u' '))));
    }
  }

  void angleStepTakesANumberAndRefusesText() {
    EditorWindow editor;
    const QString rom = editor.TempPath(QStringLiteral("tubes.118"));
    qt_testing::WriteFile(rom, qt_testing::LevelRomImage());
    qt_testing::OpenLevelOne(editor.Host(), rom);

    qt_testing::ShownMessageBox refused;
    bool open_after_refusal = false;
    qt_testing::Answer(QStringLiteral("dialog 101"), [&](QWidget& dialog) {
      QLineEdit& edit = Control<QLineEdit>(dialog, resources::kToolNumberEdit);
      QCOMPARE(edit.text(), QStringLiteral("15"));
      edit.selectAll();
      QTest::keyClicks(&edit, QStringLiteral("abc"));
      qt_testing::AnswerMessageBox(QMessageBox::Ok, &refused);
      QTest::keyClick(&edit, Qt::Key_Return);  // the default button, OK
      open_after_refusal = dialog.isVisible();
      edit.selectAll();
      QTest::keyClicks(&edit, QStringLiteral("22.5"));
      QTest::keyClick(&edit, Qt::Key_Return);
    });
    qt_testing::ChooseMenuBarItem(editor.Host(), {"&Tools", "Set &Angle Step..."});
    QCOMPARE(refused.text, QStringLiteral("Please enter a number"));
    QVERIFY(open_after_refusal);
    QCOMPARE(app::editor.angle_step, 22.5);
  }

  void aboutShowsTheIconTheLogoAndTheVersion() {
    EditorWindow editor;
    QSize logo;
    bool icon = false;
    QStringList texts;
    qt_testing::Answer(QStringLiteral("dialog 104"), [&](QWidget& dialog) {
      for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull() && label->pixmap().width() == 120)
          logo = label->pixmap().size();
        if (!label->pixmap().isNull() && label->pixmap().width() == 32) icon = true;
        if (!label->text().isEmpty()) texts.append(label->text());
      }
      QTest::mouseClick(&Control<QPushButton>(dialog, resources::kToolOk), Qt::LeftButton);
    });
    qt_testing::ChooseMenuBarItem(editor.Host(), {"&Help", "&About Rimforge"});
    QCOMPARE(logo, QSize(120, 32));
    QVERIFY(icon);
    QCOMPARE(texts, QStringList({"V 0.6"}));
  }

  void textMessagesTakeCapitalsWithinTheirLengthOnEnter() {
    EditorWindow editor;
    const QString path = editor.TempPath(QStringLiteral("text.121"));
    qt_testing::WriteFile(path, TextRomImage());
    qt_testing::AnswerFileDialog(path);
    QString listed;
    QString shown_text;
    qt_testing::Answer(QStringLiteral("dialog 105"), [&](QWidget& dialog) {
      QListWidget& list = Control<QListWidget>(dialog, resources::kMessageList);
      QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                        list.visualItemRect(list.item(0)).center());
      QLineEdit& edit = Control<QLineEdit>(dialog, resources::kMessageTextEdit);
      shown_text = edit.text();
      edit.setFocus();
      edit.selectAll();
      QTest::keyClicks(&edit, QStringLiteral("hi/x"));  // one character beyond the length
      QTest::keyPress(dialog.windowHandle(), Qt::Key_Return);
      QTest::keyRelease(dialog.windowHandle(), Qt::Key_Return);
      listed = list.item(0)->text();
      QTest::mouseClick(&Control<QPushButton>(dialog, resources::kTextMessagesOk), Qt::LeftButton);
    });
    const QString saved = editor.TempPath(QStringLiteral("edited.121"));
    qt_testing::AnswerFileDialog(saved);
    qt_testing::ChooseMenuBarItem(editor.Host(), {"&File", "&Edit Text..."});
    QCOMPARE(shown_text, QStringLiteral("ABC"));
    // Capitals as typed, the slash shown as the game's one-half sign, committed by Enter.
    QCOMPARE(listed, QStringLiteral(u"HI\u00bd"));
    const QByteArray bytes = ReadAll(saved);
    QCOMPARE(bytes.size(), 2048);
    QCOMPARE(static_cast<std::uint8_t>(bytes[401]), std::uint8_t{18 << 1});
    QCOMPARE(static_cast<std::uint8_t>(bytes[402]), std::uint8_t{19 << 1});
    QCOMPARE(static_cast<std::uint8_t>(bytes[403]), std::uint8_t{(39 << 1) | 0x80});
  }

  void colourPickerOpensOverItsCellAndPaintsIt() {
    EditorWindow editor;
    std::vector<std::uint8_t> image(files::kColourRomSize, 0);
    std::copy(files::kColourRomSignature.begin(), files::kColourRomSignature.end(), image.begin());
    const QString path = editor.TempPath(QStringLiteral("colours.119"));
    qt_testing::WriteFile(path, image);
    qt_testing::AnswerFileDialog(path);

    const int spikers_cycle_3 = resources::ColourCell(5, 2);
    RECT grid{};
    RECT picker{};
    QString caption;
    int focused = 0;
    QRgb before = 0;
    QRgb after = 0;
    qt_testing::Answer(QStringLiteral("dialog 107"), [&](QWidget& dialog) {
      grid = static_cast<DialogWindow&>(dialog).GetWindowRect();
      QPushButton& cell = Control<QPushButton>(dialog, spikers_cycle_3);
      before = IconColour(cell.icon());
      QTest::mouseClick(&cell, Qt::LeftButton);  // the picker opens, answered below
      after = IconColour(cell.icon());
      QTest::mouseClick(&Control<QPushButton>(dialog, resources::kColoursOk), Qt::LeftButton);
    });
    qt_testing::Answer(QStringLiteral("dialog 108"), [&](QWidget& widget) {
      auto& picker_dialog = static_cast<DialogWindow&>(widget);
      picker = picker_dialog.GetWindowRect();
      caption = picker_dialog.windowTitle();
      for (int id : resources::kSwatchButtons) {
        if (picker_dialog.focusWidget() == picker_dialog.ControlWidget(id)) focused = id;
      }
      QTest::mouseClick(&Control<QPushButton>(picker_dialog, 1046), Qt::LeftButton);  // red
    });
    const QString saved = editor.TempPath(QStringLiteral("edited.119"));
    qt_testing::AnswerFileDialog(saved);
    qt_testing::ChooseMenuBarItem(editor.Host(), {"&File", "Edit &Colours..."});

    QCOMPARE(caption, QStringLiteral("Colour Picker : Spikers (Cycle 3)"));
    QCOMPARE(picker.left, grid.left + 5);
    QCOMPARE(picker.top, grid.top + 51 * 5 + 32);
    QCOMPARE(focused, 1090);  // white, the cell's colour
    QCOMPARE(before, qRgb(255, 255, 255));
    QCOMPARE(after, qRgb(255, 0, 0));
    QCOMPARE(static_cast<std::uint8_t>(ReadAll(saved)[530]), std::uint8_t{0x0C});
  }
};

}  // namespace

std::unique_ptr<QObject> MakeEditorDialogsTest() {
  return std::make_unique<EditorDialogsTest>();
}

#include "editor_dialogs_test.moc"
