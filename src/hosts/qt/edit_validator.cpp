#include "hosts/qt/edit_validator.h"

#include <algorithm>

namespace hosts::qt {
namespace {

qsizetype NonDigits(const QString& text) {
  return std::count_if(text.begin(), text.end(), [](QChar c) { return c < u'0' || c > u'9'; });
}

}  // namespace

EditValidator::EditValidator(QLineEdit& edit, bool uppercase, bool digits_only)
    : QValidator(&edit), before_(edit.text()), uppercase_(uppercase), digits_only_(digits_only) {
  connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State EditValidator::validate(QString& input, int& /*position*/) const {
  // Characters already there (set by the dialog) may stay; new ones must be digits.
  if (digits_only_ && NonDigits(input) > NonDigits(before_)) return Invalid;
  if (limit_ > 0 && input.size() > limit_ && input.size() > before_.size()) return Invalid;
  if (uppercase_) input = input.toUpper();
  return Acceptable;
}

}  // namespace hosts::qt
