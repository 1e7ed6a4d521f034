// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/field_filters_widget.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QValidator>

namespace tavik {

namespace {

class MinutesValidator final : public QValidator {
 public:
  MinutesValidator(int32_t maxMinutes, QObject* parent) : QValidator(parent), max_(maxMinutes) {}

  // Whole minutes, or minutes with up to four decimals after a comma.
  State validate(QString& input, int&) const override {
    const qsizetype comma = input.indexOf(u',');
    const QStringView whole = comma < 0 ? QStringView(input) : QStringView(input).first(comma);
    if (comma >= 0 && (comma == 0 || input.size() - comma - 1 > 4)) return Invalid;
    for (const QChar c : input) {
      if ((c < u'0' || c > u'9') && c != u',') return Invalid;
    }
    if (input.count(u',') > 1) return Invalid;
    // Leading zeros add nothing to the value, so skip them before measuring.
    qsizetype first = 0;
    while (first < whole.size() && whole[first] == u'0') ++first;
    const QStringView significant = whole.sliced(first);
    if (significant.size() > 5 || significant.toInt() > max_) return Invalid;
    return Acceptable;
  }

 private:
  int32_t max_;
};

}  // namespace

void acceptMinutesOnly(QLineEdit& field, int32_t maxMinutes) {
  field.setValidator(new MinutesValidator(maxMinutes, &field));
}

void acceptTimeOfDayOnly(QLineEdit& field) {
  field.setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9:]*")), &field));
}

}  // namespace tavik
