#include "hosts/win32/native_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "hosts/win32/dialog_template_builder.h"
#include "hosts/win32/text_codec.h"

namespace hosts::win32 {

using platform::ControlKind;

NativeDialog::NativeDialog(const platform::DialogTemplate& dialog_template,
                           platform::DialogProc procedure, Icons& icons)
    : template_(dialog_template), procedure_(procedure), icons_(icons) {}

INT_PTR NativeDialog::Run(HINSTANCE instance, HWND owner) {
  const std::vector<WORD> words = BuildDialogTemplate(template_);
  return DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), owner,
                                 &NativeDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK NativeDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<NativeDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->window_ = window;
    dialog->CentreOver(GetWindow(window, GW_OWNER));
    for (const platform::DialogControl& control : dialog->template_.controls) {
      if (control.image != 0 && control.kind != ControlKind::kIcon &&
          control.kind != ControlKind::kBitmap) {
        dialog->SetItemIcon(control.id, control.image);
      }
    }
    return dialog->procedure_(*dialog, message, 0, 0);
  }
  auto* dialog = reinterpret_cast<NativeDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return dialog->procedure_(*dialog, message, wParam, lParam);
    case WM_CLOSE:
      // The procedure decides; Windows would otherwise make the close box into IDCANCEL.
      dialog->procedure_(*dialog, message, wParam, lParam);
      return TRUE;
    default:
      return FALSE;
  }
}

void NativeDialog::CentreOver(HWND owner) {
  RECT around{};
  if (owner == nullptr || !::GetWindowRect(owner, &around)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  }
  const RECT own = GetWindowRect();
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  MoveWindow((around.left + around.right) / 2 - width / 2,
             (around.top + around.bottom) / 2 - height / 2);
}

UINT NativeDialog::ListMessage(int id, UINT list_box_message, UINT combo_box_message) const {
  for (const platform::DialogControl& control : template_.controls) {
    if (control.id != id) continue;
    if (control.kind == ControlKind::kListBox) return list_box_message;
    if (control.kind == ControlKind::kDropDownList) return combo_box_message;
  }
  return 0;
}

std::string NativeDialog::GetItemText(int id) const {
  HWND item = Item(id);
  if (item == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return ToWindows1252(text);
}

void NativeDialog::SetItemText(int id, std::string_view text) {
  SetDlgItemTextW(window_, id, FromWindows1252(text).c_str());
}

bool NativeDialog::IsChecked(int id) const {
  return IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

void NativeDialog::SetChecked(int id, bool checked) {
  CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void NativeDialog::EnableItem(int id, bool enabled) {
  if (HWND item = Item(id)) EnableWindow(item, enabled ? TRUE : FALSE);
}

void NativeDialog::AddString(int id, std::string_view text) {
  const std::wstring wide = FromWindows1252(text);
  if (const UINT message = ListMessage(id, LB_ADDSTRING, CB_ADDSTRING))
    SendDlgItemMessageW(window_, id, message, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void NativeDialog::InsertString(int id, int index, std::string_view text) {
  const std::wstring wide = FromWindows1252(text);
  if (const UINT message = ListMessage(id, LB_INSERTSTRING, CB_INSERTSTRING)) {
    SendDlgItemMessageW(window_, id, message, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

void NativeDialog::DeleteString(int id, int index) {
  if (const UINT message = ListMessage(id, LB_DELETESTRING, CB_DELETESTRING))
    SendDlgItemMessageW(window_, id, message, static_cast<WPARAM>(index), 0);
}

int NativeDialog::GetCurSel(int id) const {
  const UINT message = ListMessage(id, LB_GETCURSEL, CB_GETCURSEL);
  if (message == 0) return LB_ERR;
  return static_cast<int>(SendDlgItemMessageW(window_, id, message, 0, 0));
}

void NativeDialog::SetCurSel(int id, int index) {
  if (const UINT message = ListMessage(id, LB_SETCURSEL, CB_SETCURSEL))
    SendDlgItemMessageW(window_, id, message, static_cast<WPARAM>(index), 0);
}

void NativeDialog::SetTextLimit(int id, int max_characters) {
  SendDlgItemMessageW(window_, id, EM_LIMITTEXT, static_cast<WPARAM>(std::max(0, max_characters)),
                      0);
}

void NativeDialog::SetItemIcon(int id, int icon_resource) {
  HWND item = Item(id);
  if (item == nullptr) return;
  HICON icon = icons_.Get(icon_resource);
  wchar_t class_name[16] = {};
  GetClassNameW(item, class_name, 16);
  if (lstrcmpiW(class_name, L"Button") == 0) {
    // A push button shows an image in place of its text only with BS_ICON.
    SetWindowLongPtrW(item, GWL_STYLE, GetWindowLongPtrW(item, GWL_STYLE) | BS_ICON);
    SendMessageW(item, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  } else {
    SendMessageW(item, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
}

void NativeDialog::SetFocus(int id) {
  if (HWND item = Item(id))
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

void NativeDialog::SetCaption(std::string_view caption) {
  SetWindowTextW(window_, FromWindows1252(caption).c_str());
}

RECT NativeDialog::GetWindowRect() const {
  RECT rect{};
  ::GetWindowRect(window_, &rect);
  return rect;
}

void NativeDialog::MoveWindow(int left, int top) {
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeDialog::EndDialog(INT_PTR result) {
  ::EndDialog(window_, result);
}

}  // namespace hosts::win32
