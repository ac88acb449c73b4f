// What an edit control's styles and text limit allow a person to type: ES_UPPERCASE turns
// typed letters into capitals, ES_NUMBER refuses anything but digits, and the limit refuses
// text beyond it. Text that the dialog itself sets is taken as it is, as edit controls do.
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace hosts::qt {

class EditValidator : public QValidator {
 public:
  EditValidator(QLineEdit& edit, bool uppercase, bool digits_only);

  // 0 lifts the limit.
  void SetLimit(int max_characters) { limit_ = max_characters; }
  int Limit() const { return limit_; }

  State validate(QString& input, int& position) const override;

 private:
  // The text before the change being validated: the line edit already holds the new one.
  QString before_;
  bool uppercase_;
  bool digits_only_;
  int limit_ = 0;
};

}  // namespace hosts::qt
