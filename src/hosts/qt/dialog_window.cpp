#include "hosts/qt/dialog_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QWindow>
#include <algorithm>

#include "hosts/qt/edit_validator.h"
#include "hosts/qt/images.h"
#include "hosts/qt/key_table.h"
#include "hosts/qt/text_codec.h"

namespace hosts::qt {

using platform::ControlKind;

namespace {

constexpr int kIconSize = 32;
// Drop-down lists announce a new choice with CBN_SELCHANGE, which has LBN_SELCHANGE's value.
constexpr UINT kSelectionChanged = LBN_SELCHANGE;

// Static text shows '&' as the underline of the next letter and "&&" as '&'.
QString WithoutAccessMarks(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    shown.append(text[i]);
  }
  return shown;
}

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kPushButton || kind == ControlKind::kDefaultPushButton ||
         kind == ControlKind::kCheckBox || kind == ControlKind::kRadioButton;
}

// A radio button set by the dialog changes no other button, unlike one that a person clicks.
void SetButtonChecked(QAbstractButton& button, bool checked) {
  const bool exclusive = button.autoExclusive();
  button.setAutoExclusive(false);
  button.setChecked(checked);
  button.setAutoExclusive(exclusive);
}

// An icon button shows its icon at full size where the button leaves room for it.
void ShowButtonIcon(QPushButton& button, int icon_resource) {
  button.setIcon(IconPixmap(icon_resource));
  const QSize room = button.size() - QSize(8, 8);
  const int side = std::max(0, std::min({kIconSize, room.width(), room.height()}));
  button.setIconSize(QSize(side, side));
}

}  // namespace

DialogWindow::DialogWindow(const platform::DialogTemplate& dialog_template,
                           platform::DialogProc procedure, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      template_id_(dialog_template.id),
      procedure_(procedure) {
  QFont font(FromWindows1252(dialog_template.font_name));
  font.setPointSize(dialog_template.font_size);
  setFont(font);
  base_units_ = BaseUnitsOf(font);
  setWindowTitle(FromWindows1252(dialog_template.caption));
  Build(dialog_template);
  const QRect client =
      DialogUnitsToPixels(base_units_, 0, 0, dialog_template.width, dialog_template.height);
  template_width_ = client.width();
  setFixedSize(client.size());
  FitCaption();
  // Centred over the window that owns it.
  const QWidget* centre_on = owner != nullptr ? owner->window() : nullptr;
  const QPoint centre = centre_on != nullptr ? centre_on->frameGeometry().center()
                                             : screen()->availableGeometry().center();
  move(centre - QPoint(client.width() / 2, client.height() / 2));
}

void DialogWindow::Build(const platform::DialogTemplate& dialog_template) {
  for (const platform::DialogControl& source : dialog_template.controls) {
    Control control{source.kind, nullptr, std::string(source.text)};
    QWidget* widget = MakeControl(source, control);
    control.widget = widget;
    QRect place = DialogUnitsToPixels(base_units_, source.x, source.y, source.width, source.height);
    // A closed drop-down list is one line high; its template height is that of the open list.
    if (source.kind == ControlKind::kDropDownList) place.setHeight(widget->sizeHint().height());
    // Static images take the size of their picture.
    if (source.kind == ControlKind::kIcon || source.kind == ControlKind::kBitmap) {
      const QPixmap pixmap = static_cast<QLabel*>(widget)->pixmap();
      if (!pixmap.isNull()) place.setSize(pixmap.size());
    }
    widget->setGeometry(place);
    widget->setEnabled((source.style & WS_DISABLED) == 0);
    if (auto* button = qobject_cast<QPushButton*>(widget); button != nullptr && source.image != 0)
      ShowButtonIcon(*button, source.image);
    if (source.kind == ControlKind::kGroupBox) widget->lower();
    if (source.id == -1) continue;
    ConnectNotifications(source.id, control, source.style);
    if (source.kind == ControlKind::kDefaultPushButton) default_button_ = source.id;
    controls_[source.id] = control;
  }
}

QWidget* DialogWindow::MakeControl(const platform::DialogControl& source, Control& control) {
  const QString text = FromWindows1252(source.text);
  switch (source.kind) {
    case ControlKind::kPushButton:
    case ControlKind::kDefaultPushButton: {
      auto* button = new QPushButton(text, this);
      button->setDefault(source.kind == ControlKind::kDefaultPushButton);
      return button;
    }
    case ControlKind::kCheckBox:
      return new QCheckBox(text, this);
    case ControlKind::kRadioButton:
      return new QRadioButton(text, this);
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(text, this);
      control.validator = new EditValidator(*edit, (source.style & ES_UPPERCASE) != 0,
                                            (source.style & ES_NUMBER) != 0);
      edit->setValidator(control.validator);
      return edit;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(WithoutAccessMarks(text), this);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      return label;
    }
    case ControlKind::kGroupBox:
      return new QGroupBox(text, this);
    case ControlKind::kListBox: {
      auto* list = new QListWidget(this);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      return list;
    }
    case ControlKind::kDropDownList:
      return new QComboBox(this);
    case ControlKind::kIcon:
    case ControlKind::kBitmap: {
      auto* label = new QLabel(this);
      label->setPixmap(source.kind == ControlKind::kIcon ? IconPixmap(source.image)
                                                         : BitmapPixmap(source.image));
      return label;
    }
  }
  return new QWidget(this);
}

void DialogWindow::ConnectNotifications(int id, const Control& control, UINT style) {
  const auto command = [this, id](UINT notification) {
    Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), notification));
  };
  if (IsButton(control.kind)) {
    // Check boxes and radio buttons have already changed their state when `clicked` comes.
    connect(static_cast<QAbstractButton*>(control.widget), &QAbstractButton::clicked, this,
            [command] { command(BN_CLICKED); });
  } else if (control.kind == ControlKind::kListBox && (style & LBS_NOTIFY) != 0) {
    connect(static_cast<QListWidget*>(control.widget), &QListWidget::itemSelectionChanged, this,
            [this, command] {
              if (!changing_) command(LBN_SELCHANGE);
            });
  } else if (control.kind == ControlKind::kDropDownList) {
    connect(static_cast<QComboBox*>(control.widget), &QComboBox::currentIndexChanged, this,
            [this, command] {
              if (!changing_) command(kSelectionChanged);
            });
  }
}

INT_PTR DialogWindow::Run() {
  const INT_PTR default_focus = Send(WM_INITDIALOG);
  if (result_) return *result_;
  if (default_focus != 0) {
    // The first control, in template order, that takes the focus by Tab.
    for (QWidget* widget : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) != 0) {
        widget->setFocus(Qt::TabFocusReason);
        break;
      }
    }
  }
  // Every key pressed in the dialog reaches the procedure, after the key table has seen it.
  winId();
  windowHandle()->installEventFilter(this);
  exec();
  return result_.value_or(0);
}

INT_PTR DialogWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure_(*this, message, wParam, lParam);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) {
      const int virtual_key = VirtualKeyFromQt(key->key(), key->modifiers());
      if (virtual_key != 0) Send(WM_KEYDOWN, static_cast<WPARAM>(virtual_key));
    }
  }
  return QDialog::eventFilter(watched, event);
}

int DialogWindow::EnterCommandId() const {
  if (!default_button_) return IDOK;
  const Control* button = Find(*default_button_);
  return button->widget->isEnabled() ? *default_button_ : 0;
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (const int id = EnterCommandId(); id != 0) {
        Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED));
      }
      break;
    case Qt::Key_Escape:
      Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(IDCANCEL), BN_CLICKED));
      break;
    default:
      QDialog::keyPressEvent(event);
  }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (!result_) Send(WM_CLOSE);
}

DialogWindow::Control* DialogWindow::Find(int id) {
  const auto found = controls_.find(id);
  return found != controls_.end() ? &found->second : nullptr;
}

const DialogWindow::Control* DialogWindow::Find(int id) const {
  const auto found = controls_.find(id);
  return found != controls_.end() ? &found->second : nullptr;
}

QWidget* DialogWindow::ControlWidget(int id) const {
  const Control* control = Find(id);
  return control != nullptr ? control->widget : nullptr;
}

QListWidget* DialogWindow::ListBox(int id) const {
  const Control* control = Find(id);
  return control != nullptr ? qobject_cast<QListWidget*>(control->widget) : nullptr;
}

QComboBox* DialogWindow::DropDown(int id) const {
  const Control* control = Find(id);
  return control != nullptr ? qobject_cast<QComboBox*>(control->widget) : nullptr;
}

std::string DialogWindow::GetItemText(int id) const {
  const Control* control = Find(id);
  if (control == nullptr) return {};
  if (auto* edit = qobject_cast<QLineEdit*>(control->widget)) return ToWindows1252(edit->text());
  if (auto* combo = qobject_cast<QComboBox*>(control->widget))
    return ToWindows1252(combo->currentText());
  return control->text;
}

void DialogWindow::SetItemText(int id, std::string_view text) {
  Control* control = Find(id);
  if (control == nullptr) return;
  control->text = std::string(text);
  const QString shown = FromWindows1252(text);
  const QScopedValueRollback guard(changing_, true);
  if (auto* edit = qobject_cast<QLineEdit*>(control->widget)) {
    edit->setText(shown);
  } else if (auto* label = qobject_cast<QLabel*>(control->widget)) {
    label->setText(WithoutAccessMarks(shown));
  } else if (auto* button = qobject_cast<QAbstractButton*>(control->widget)) {
    button->setText(shown);
  } else if (auto* group = qobject_cast<QGroupBox*>(control->widget)) {
    group->setTitle(shown);
  }
}

bool DialogWindow::IsChecked(int id) const {
  const Control* control = Find(id);
  const auto* button =
      control != nullptr ? qobject_cast<QAbstractButton*>(control->widget) : nullptr;
  return button != nullptr && button->isChecked();
}

void DialogWindow::SetChecked(int id, bool checked) {
  Control* control = Find(id);
  auto* button = control != nullptr ? qobject_cast<QAbstractButton*>(control->widget) : nullptr;
  if (button != nullptr && button->isCheckable()) SetButtonChecked(*button, checked);
}

void DialogWindow::EnableItem(int id, bool enabled) {
  if (QWidget* widget = ControlWidget(id)) widget->setEnabled(enabled);
}

void DialogWindow::AddString(int id, std::string_view text) {
  const QScopedValueRollback guard(changing_, true);
  if (QListWidget* list = ListBox(id)) list->addItem(FromWindows1252(text));
  if (QComboBox* combo = DropDown(id)) {
    // A drop-down list starts with nothing chosen, however many entries it gets.
    const int chosen = combo->currentIndex();
    combo->addItem(FromWindows1252(text));
    combo->setCurrentIndex(chosen);
  }
}

void DialogWindow::InsertString(int id, int index, std::string_view text) {
  const QScopedValueRollback guard(changing_, true);
  if (QListWidget* list = ListBox(id)) {
    if (index < 0 || index > list->count()) index = list->count();
    list->insertItem(index, FromWindows1252(text));
  }
  if (QComboBox* combo = DropDown(id)) {
    if (index < 0 || index > combo->count()) index = combo->count();
    const int chosen = combo->currentIndex();
    combo->insertItem(index, FromWindows1252(text));
    combo->setCurrentIndex(chosen >= index && chosen >= 0 ? chosen + 1 : chosen);
  }
}

void DialogWindow::DeleteString(int id, int index) {
  const QScopedValueRollback guard(changing_, true);
  if (QListWidget* list = ListBox(id)) {
    if (index < 0 || index >= list->count()) return;
    const bool was_selected = GetCurSel(id) == index;
    delete list->takeItem(index);
    // A deleted selection leaves nothing selected, rather than the next entry.
    if (was_selected) list->setCurrentRow(-1);
  }
  if (QComboBox* combo = DropDown(id)) {
    if (index < 0 || index >= combo->count()) return;
    const int chosen = combo->currentIndex();
    combo->removeItem(index);
    combo->setCurrentIndex(chosen == index ? -1 : (chosen > index ? chosen - 1 : chosen));
  }
}

int DialogWindow::GetCurSel(int id) const {
  if (QListWidget* list = ListBox(id)) {
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? LB_ERR : selected.first().row();
  }
  if (QComboBox* combo = DropDown(id))
    return combo->currentIndex() >= 0 ? combo->currentIndex() : CB_ERR;
  return LB_ERR;
}

void DialogWindow::SetCurSel(int id, int index) {
  const QScopedValueRollback guard(changing_, true);
  if (QListWidget* list = ListBox(id)) {
    if (index >= 0 && index < list->count()) {
      list->setCurrentRow(index);
    } else {
      list->clearSelection();
      list->setCurrentRow(-1);
    }
  }
  if (QComboBox* combo = DropDown(id)) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  }
}

void DialogWindow::SetTextLimit(int id, int max_characters) {
  Control* control = Find(id);
  if (control != nullptr && control->validator != nullptr)
    control->validator->SetLimit(std::max(0, max_characters));
}

void DialogWindow::SetItemIcon(int id, int icon_resource) {
  Control* control = Find(id);
  if (control == nullptr) return;
  if (auto* button = qobject_cast<QPushButton*>(control->widget)) {
    ShowButtonIcon(*button, icon_resource);
  } else if (auto* label = qobject_cast<QLabel*>(control->widget)) {
    label->setPixmap(IconPixmap(icon_resource));
  }
}

void DialogWindow::SetFocus(int id) {
  if (QWidget* widget = ControlWidget(id)) widget->setFocus(Qt::OtherFocusReason);
}

void DialogWindow::SetCaption(std::string_view caption) {
  setWindowTitle(FromWindows1252(caption));
  FitCaption();
}

// A window manager shortens a caption that does not fit between the title bar's icon and its
// buttons, so a dialog too narrow for its caption is widened, its controls kept in the middle.
// The title bar's font is the window manager's; the program's own font in bold stands in for it.
void DialogWindow::FitCaption() {
  QFont title_font = QApplication::font();
  title_font.setBold(true);
  const int title_buttons = 5 * style()->pixelMetric(QStyle::PM_TitleBarHeight);
  const int needed = QFontMetrics(title_font).horizontalAdvance(windowTitle()) + title_buttons;
  const int width = std::max(template_width_, needed);
  const int offset = (width - template_width_) / 2;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->move(child->pos() + QPoint(offset - content_offset_, 0));
  content_offset_ = offset;
  setFixedSize(width, height());
}

RECT DialogWindow::GetWindowRect() const {
  const QRect frame = frameGeometry();
  return {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
}

void DialogWindow::MoveWindow(int left, int top) {
  move(left, top);
}

void DialogWindow::EndDialog(INT_PTR result) {
  result_ = result;
  if (isVisible()) QDialog::done(0);
}

}  // namespace hosts::qt
