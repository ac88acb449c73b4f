// Message boxes and file dialogs as the editor asks for them: caption, icon and buttons from
// the MB_ flags with the answer as IDOK, IDCANCEL, IDYES or IDNO; file dialogs with their
// title, filter, default extension and OFN_ flags, returning the chosen path or nothing.
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>

#include "files/file_io.h"
#include "hosts/qt/file_dialog.h"
#include "qt_test_classes.h"
#include "qt_test_support.h"

namespace {

using qt_testing::EditorWindow;
using qt_testing::ShownMessageBox;

class MessageBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    const QStringList problems = qt_testing::TakeAnswerProblems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u';')));
  }

  void flagsChooseIconAndButtonsAndTheAnswerComesBack() {
    EditorWindow editor;
    hosts::qt::QtHost& host = editor.Host();
    ShownMessageBox shown;

    qt_testing::AnswerMessageBox(QMessageBox::Ok, &shown);
    QCOMPARE(host.ShowMessageBox("Not a valid Tempest ROM 118 file", "Rimforge",
                                 MB_OK | MB_ICONEXCLAMATION),
             IDOK);
    QCOMPARE(shown.text, QStringLiteral("Not a valid Tempest ROM 118 file"));
    QCOMPARE(shown.caption, QStringLiteral("Rimforge"));
    QCOMPARE(shown.icon, static_cast<int>(QMessageBox::Warning));
    QCOMPARE(shown.buttons, static_cast<int>(QMessageBox::Ok));

    qt_testing::AnswerMessageBox(QMessageBox::Cancel, &shown);
    QCOMPARE(host.ShowMessageBox("Exit Rimforge?", "Rimforge", MB_OKCANCEL | MB_ICONQUESTION),
             IDCANCEL);
    QCOMPARE(shown.icon, static_cast<int>(QMessageBox::Question));
    QCOMPARE(shown.buttons, static_cast<int>(QMessageBox::Ok | QMessageBox::Cancel));
    qt_testing::AnswerMessageBox(QMessageBox::Ok);
    QCOMPARE(host.ShowMessageBox("Exit Rimforge?", "Rimforge", MB_OKCANCEL | MB_ICONQUESTION),
             IDOK);

    qt_testing::AnswerMessageBox(QMessageBox::Yes, &shown);
    QCOMPARE(host.ShowMessageBox("Undo all changes?", "Rimforge", MB_YESNO | MB_ICONQUESTION),
             IDYES);
    QCOMPARE(shown.buttons, static_cast<int>(QMessageBox::Yes | QMessageBox::No));
    qt_testing::AnswerMessageBox(QMessageBox::No);
    QCOMPARE(host.ShowMessageBox("Undo all changes?", "Rimforge", MB_YESNO | MB_ICONQUESTION),
             IDNO);

    // Escape cancels a question; the texts arrive in Windows-1252.
    qt_testing::Answer(QStringLiteral("QMessageBox"), [&shown](QWidget& box) {
      shown.text = static_cast<QMessageBox&>(box).text();
      QTest::keyClick(&box, Qt::Key_Escape);
    });
    QCOMPARE(host.ShowMessageBox("1\xBD \xA9", "Rimforge", MB_OKCANCEL | MB_ICONQUESTION),
             IDCANCEL);
    QCOMPARE(shown.text, QStringLiteral(u"1\u00BD \u00A9"));
  }

  void openDialogTakesTheSpecAndReturnsThePath() {
    EditorWindow editor;
    const QString existing = editor.TempPath(QStringLiteral("t\u00fcbes.118"));
    qt_testing::WriteFile(existing, qt_testing::LevelRomImage());
    const platform::FileDialogRequest request =
        files::OpenDialogRequest("Load ROM 118 File", {"ROM 118 Files (*.118)", "*.118", "118"});

    QString title;
    QString filter_shown;
    int mode = -1;
    qt_testing::Answer(QStringLiteral("QFileDialog"), [&](QWidget& widget) {
      auto& dialog = static_cast<QFileDialog&>(widget);
      title = dialog.windowTitle();
      filter_shown = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
      mode = dialog.fileMode();
    });
    qt_testing::AnswerFileDialog(existing);
    // The answer above only looks; the path is typed by the second one on the same dialog.
    const std::optional<std::string> path = editor.Host().ShowOpenFileDialog(request);
    QCOMPARE(title, QStringLiteral("Load ROM 118 File"));
    QCOMPARE(filter_shown, QStringLiteral("ROM 118 Files (*.118)"));
    QCOMPARE(mode, static_cast<int>(QFileDialog::ExistingFile));
    // Paths come back in the file system's encoding, so that every file can be opened.
    QVERIFY(path.has_value());
    QCOMPARE(QByteArray::fromStdString(*path), QFile::encodeName(existing));

    qt_testing::CancelFileDialog();
    QVERIFY(!editor.Host().ShowOpenFileDialog(request).has_value());
  }

  void saveDialogAddsTheDefaultExtensionAndAsksBeforeOverwriting() {
    EditorWindow editor;
    const platform::FileDialogRequest request =
        files::SaveDialogRequest("Save ROM 118 File", {"ROM 118 Files (*.118)", "*.118", "118"});
    bool asks_before_overwriting = false;
    qt_testing::Answer(QStringLiteral("QFileDialog"), [&](QWidget& widget) {
      auto& dialog = static_cast<QFileDialog&>(widget);
      asks_before_overwriting = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
    });
    qt_testing::AnswerFileDialog(editor.TempPath(QStringLiteral("edited")));
    const std::optional<std::string> path = editor.Host().ShowSaveFileDialog(request);
    QVERIFY(asks_before_overwriting);
    QVERIFY(path.has_value());
    QCOMPARE(QString::fromStdString(*path), editor.TempPath(QStringLiteral("edited.118")));
  }

  void filterPatternsBecomeQtNameFilters() {
    platform::FileDialogRequest request{"Load 'Atari Arcade Hits'",
                                        "Atari Arcade Hits (*.exe,*.scr)", "*.exe;*.scr", "exe",
                                        OFN_FILEMUSTEXIST};
    QCOMPARE(hosts::qt::NameFilterOf(request),
             QStringLiteral("Atari Arcade Hits (*.exe,*.scr) (*.exe *.scr)"));
    QFileDialog dialog;
    hosts::qt::ConfigureFileDialog(dialog, request, false);
    QCOMPARE(dialog.nameFilters().size(), 1);
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("exe"));

    request.flags = 0;
    hosts::qt::ConfigureFileDialog(dialog, request, true);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  }
};

}  // namespace

std::unique_ptr<QObject> MakeMessageBoxTest() {
  return std::make_unique<MessageBoxTest>();
}

#include "message_box_test.moc"
