// Open and save file dialogs made from a FileDialogRequest: its title, its one filter entry, its
// default extension, and the OFN_ flags that say whether the file must exist and whether to
// ask before overwriting one.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "platform/host.h"

class QFileDialog;
class QWidget;

namespace hosts::qt {

// The Qt name filter of a filter entry: the description as the person reads it, and the
// patterns ("*.exe;*.scr") in the form Qt reads them.
QString NameFilterOf(const platform::FileDialogRequest& request);

// Sets up `dialog` with the title, filter, default extension and flags of `request`.
void ConfigureFileDialog(QFileDialog& dialog, const platform::FileDialogRequest& request,
                         bool save);

// The chosen path in the file system's own encoding, or nothing when the person cancels. The
// dialog starts in the folder of the last path chosen in this run.
std::optional<std::string> RunFileDialog(QWidget* owner, const platform::FileDialogRequest& request,
                                         bool save, bool native);

}  // namespace hosts::qt
