#include "hosts/qt/file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "hosts/qt/text_codec.h"

namespace hosts::qt {

QString NameFilterOf(const platform::FileDialogRequest& request) {
  QStringList patterns = FromWindows1252(request.filter_pattern).split(u';', Qt::SkipEmptyParts);
  for (QString& pattern : patterns)
    pattern = pattern.trimmed();
  // Qt takes the patterns from the last parenthesised part and, with the filter details
  // hidden, shows what comes before it: exactly the description.
  return FromWindows1252(request.filter_description) + QStringLiteral(" (") + patterns.join(u' ') +
         u')';
}

void ConfigureFileDialog(QFileDialog& dialog, const platform::FileDialogRequest& request,
                         bool save) {
  dialog.setWindowTitle(FromWindows1252(request.title));
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilter(NameFilterOf(request));
  dialog.setDefaultSuffix(FromWindows1252(request.default_extension));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save) {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (request.flags & OFN_OVERWRITEPROMPT) == 0);
  } else {
    dialog.setFileMode((request.flags & OFN_FILEMUSTEXIST) != 0 ? QFileDialog::ExistingFile
                                                                : QFileDialog::AnyFile);
  }
}

std::optional<std::string> RunFileDialog(QWidget* owner, const platform::FileDialogRequest& request,
                                         bool save, bool native) {
  // Every file dialog starts in the folder last used in this run, as the desktop's own do.
  static QString last_folder;
  QFileDialog dialog(owner);
  dialog.setOption(QFileDialog::DontUseNativeDialog, !native);
  ConfigureFileDialog(dialog, request, save);
  if (!last_folder.isEmpty()) dialog.setDirectory(last_folder);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  last_folder = QFileInfo(chosen.first()).absolutePath();
  return QFile::encodeName(chosen.first()).toStdString();
}

}  // namespace hosts::qt
