// A modal dialog built from its template: real Qt widgets placed by dialog units, seen by the
// editor's dialog procedure through platform::Dialog. Buttons, list boxes and drop-down lists
// report to the procedure as their Win32 counterparts do; Enter and Escape become the commands
// that a Win32 dialog sends for them (the default button, or IDOK; IDCANCEL), so the procedure,
// not the widget set, decides whether the dialog closes.
#pragma once

#include <QDialog>
#include <map>
#include <optional>
#include <string>

#include "hosts/qt/dialog_units.h"
#include "platform/host.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace hosts::qt {

class EditValidator;

class DialogWindow : public QDialog, public platform::Dialog {
 public:
  DialogWindow(const platform::DialogTemplate& dialog_template, platform::DialogProc procedure,
               QWidget* owner);

  // Sends WM_INITDIALOG, then runs the dialog until its procedure calls EndDialog.
  INT_PTR Run();

  // The widget of a control, or null; for tests and for the host's key handling.
  QWidget* ControlWidget(int id) const;
  const DialogBaseUnits& BaseUnits() const { return base_units_; }
  int TemplateId() const { return template_id_; }

  // platform::Dialog
  std::string GetItemText(int id) const override;
  void SetItemText(int id, std::string_view text) override;
  bool IsChecked(int id) const override;
  void SetChecked(int id, bool checked) override;
  void EnableItem(int id, bool enabled) override;
  void AddString(int id, std::string_view text) override;
  void InsertString(int id, int index, std::string_view text) override;
  void DeleteString(int id, int index) override;
  int GetCurSel(int id) const override;
  void SetCurSel(int id, int index) override;
  void SetTextLimit(int id, int max_characters) override;
  void SetItemIcon(int id, int icon_resource) override;
  void SetFocus(int id) override;
  void SetCaption(std::string_view caption) override;
  RECT GetWindowRect() const override;
  void MoveWindow(int left, int top) override;
  void EndDialog(INT_PTR result) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Control {
    platform::ControlKind kind;
    QWidget* widget;
    std::string text;  // as set, with its '&' access marks, for GetItemText of labels and buttons
    EditValidator* validator = nullptr;
  };

  void Build(const platform::DialogTemplate& dialog_template);
  QWidget* MakeControl(const platform::DialogControl& source, Control& control);
  void ConnectNotifications(int id, const Control& control, UINT style);
  void FitCaption();
  INT_PTR Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  int EnterCommandId() const;

  Control* Find(int id);
  const Control* Find(int id) const;
  QListWidget* ListBox(int id) const;
  QComboBox* DropDown(int id) const;

  int template_id_;
  platform::DialogProc procedure_;
  DialogBaseUnits base_units_{};
  int template_width_ = 0;  // pixels
  int content_offset_ = 0;  // how far the controls moved right when the caption widened it
  std::map<int, Control> controls_;
  std::optional<int> default_button_;
  std::optional<INT_PTR> result_;
  // Set while the dialog changes its own controls, which notify the procedure only when a
  // person changes them.
  bool changing_ = false;
};

}  // namespace hosts::qt
