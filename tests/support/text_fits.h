// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Finds the texts of a window that do not fit their widget: a label, button or
// group title whose text, in the widget's own font, is wider (or, wrapped,
// taller) than the room the widget gives it. Hidden widgets are passed over.
#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QWidget>

#include <string>
#include <vector>

namespace tavik::test {

inline std::string describe(const QWidget* widget, const QString& text, int need, int room) {
  return (widget->objectName().isEmpty() ? QString(widget->metaObject()->className())
                                         : widget->objectName())
             .toStdString() +
         " \"" + text.toStdString() + "\": needs " + std::to_string(need) + " px, has " +
         std::to_string(room);
}

inline void checkLabel(const QLabel* label, std::vector<std::string>& cut) {
  const QString text = label->text();
  if (text.isEmpty() || label->textFormat() == Qt::RichText || Qt::mightBeRichText(text)) return;
  const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                    -label->margin(), -label->margin());
  const QFontMetrics metrics(label->font());
  if (label->wordWrap()) {
    const QRect need = metrics.boundingRect(QRect(0, 0, room.width(), 100000),
                                            Qt::TextWordWrap | int(label->alignment()), text);
    if (need.height() > room.height() || need.width() > room.width())
      cut.push_back(describe(label, text, need.height(), room.height()));
    return;
  }
  const QRect need = metrics.boundingRect(QRect(0, 0, 100000, 100000), 0, text);
  if (need.width() > room.width() || metrics.height() > room.height() + 1)
    cut.push_back(describe(label, text, need.width(), room.width()));
}

inline void checkButton(const QAbstractButton* button, std::vector<std::string>& cut) {
  QString text = button->text();
  text.remove(QLatin1Char('&'));
  if (text.isEmpty()) return;
  const QStyle* style = button->style();
  const int need = button->fontMetrics().horizontalAdvance(text);
  // What the style puts beside the text: the indicator of a check box or radio
  // button, the margins and frame of a push button, and the icon if any.
  int frame = 0;
  if (button->inherits("QCheckBox") || button->inherits("QRadioButton")) {
    frame = style->pixelMetric(QStyle::PM_IndicatorWidth) +
            style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
  } else {
    frame = style->pixelMetric(QStyle::PM_ButtonMargin) +
            2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
  }
  if (!button->icon().isNull()) frame += button->iconSize().width() + 4;
  const int room = button->width() - frame;
  if (need > room) cut.push_back(describe(button, text, need, room));
}

inline void checkGroupTitle(const QGroupBox* group, std::vector<std::string>& cut) {
  QString text = group->title();
  text.remove(QLatin1Char('&'));
  if (text.isEmpty()) return;
  const int need = group->fontMetrics().horizontalAdvance(text) + 12;
  if (need > group->width()) cut.push_back(describe(group, text, need, group->width()));
}

// Every cut text inside `top` (itself included), one line each.
inline std::vector<std::string> cutTexts(const QWidget* top) {
  std::vector<std::string> cut;
  QList<const QWidget*> widgets{top};
  for (const QWidget* child : top->findChildren<const QWidget*>()) widgets.push_back(child);
  for (const QWidget* widget : widgets) {
    if (!widget->isVisibleTo(top) && widget != top) continue;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) checkLabel(label, cut);
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) checkButton(button, cut);
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) checkGroupTitle(group, cut);
  }
  return cut;
}

}  // namespace tavik::test
