#include "hosts/win32/dialog_template_builder.h"

#include <string>

#include "hosts/win32/text_codec.h"

namespace hosts::win32 {
namespace {

using platform::ControlKind;

// The predefined control classes by their atoms.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;
constexpr WORD kComboBoxClass = 0x0085;
constexpr WORD kResourceOrdinal = 0xFFFF;
constexpr WORD kUnaddressedId = 0xFFFF;

struct ClassAndStyle {
  WORD atom;
  DWORD style;
};

// The styles that a resource script gives each kind of control by default.
ClassAndStyle ClassAndStyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
      return {kButtonClass, BS_PUSHBUTTON};
    case ControlKind::kDefaultPushButton:
      return {kButtonClass, BS_DEFPUSHBUTTON};
    case ControlKind::kCheckBox:
      return {kButtonClass, BS_AUTOCHECKBOX};
    case ControlKind::kRadioButton:
      return {kButtonClass, BS_AUTORADIOBUTTON};
    case ControlKind::kEdit:
      return {kEditClass, ES_LEFT | WS_BORDER};
    case ControlKind::kLabel:
      return {kStaticClass, SS_LEFT};
    case ControlKind::kGroupBox:
      return {kButtonClass, BS_GROUPBOX};
    case ControlKind::kListBox:
      return {kListBoxClass, WS_BORDER | WS_VSCROLL};
    case ControlKind::kDropDownList:
      return {kComboBoxClass, CBS_DROPDOWNLIST | WS_VSCROLL};
    case ControlKind::kIcon:
      return {kStaticClass, SS_ICON};
    case ControlKind::kBitmap:
      return {kStaticClass, SS_BITMAP};
  }
  return {kStaticClass, SS_LEFT};
}

class Writer {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Short(int value) { words_.push_back(static_cast<WORD>(static_cast<short>(value))); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(std::string_view windows_1252) {
    for (wchar_t c : FromWindows1252(windows_1252))
      Word(static_cast<WORD>(c));
    Word(0);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<WORD> Take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

}  // namespace

std::vector<WORD> BuildDialogTemplate(const platform::DialogTemplate& dialog_template) {
  Writer out;
  out.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK);
  out.Dword(0);
  out.Word(static_cast<WORD>(dialog_template.controls.size()));
  out.Short(0);
  out.Short(0);
  out.Short(dialog_template.width);
  out.Short(dialog_template.height);
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(dialog_template.caption);
  out.Word(static_cast<WORD>(dialog_template.font_size));
  out.Text(dialog_template.font_name);
  for (const platform::DialogControl& control : dialog_template.controls) {
    const ClassAndStyle kind = ClassAndStyleOf(control.kind);
    out.AlignToDword();
    out.Dword(WS_CHILD | WS_VISIBLE | kind.style | control.style);
    out.Dword(0);
    out.Short(control.x);
    out.Short(control.y);
    out.Short(control.width);
    out.Short(control.height);
    out.Word(control.id == -1 ? kUnaddressedId : static_cast<WORD>(control.id));
    out.Word(kResourceOrdinal);
    out.Word(kind.atom);
    if (control.kind == ControlKind::kIcon || control.kind == ControlKind::kBitmap) {
      out.Word(kResourceOrdinal);
      out.Word(static_cast<WORD>(control.image));
    } else {
      out.Text(control.text);
    }
    out.Word(0);  // no creation data
  }
  return out.Take();
}

}  // namespace hosts::win32
