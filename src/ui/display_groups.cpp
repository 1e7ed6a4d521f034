// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/display_groups.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "ui/current_value_label.h"
#include "ui/display_update.h"
#include "ui/trend_chart_widget.h"
#include "widgets/circle_shape_widget.h"
#include "widgets/named.h"

namespace tavik {
namespace {

const QColor kBatteryGood(0, 255, 0);
const QColor kBatteryLow(0, 0, 255);
// The current value's size against the group's font in the smallest window;
// it grows with its group.
constexpr double kCurrentValueScale = 1.25;
// The property that holds a label's longest texts.
constexpr const char* kReservedTexts = "reservedTexts";

QProgressBar* verticalBar(QWidget* parent, const char* name, const BarRange& range) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setOrientation(Qt::Vertical);
  bar->setRange(range.minimum, range.maximum);
  bar->setValue(range.minimum);
  bar->setTextVisible(false);
  bar->setFixedWidth(12);
  return bar;
}

// The contents of one display group, line by line from the top: the current
// value first and largest, then the further values, each time stamp after
// the word that says what it is, and below them the chart, which takes what
// height is left.
class GroupContents {
 public:
  GroupContents(QGroupBox* box, QProgressBar* bar) : box_(box) {
    auto* outer = new QHBoxLayout(box);
    outer->setContentsMargins(6, 0, 6, 2);
    outer->setSpacing(8);
    if (bar) outer->addWidget(bar);
    lines_ = new QVBoxLayout();
    lines_->setSpacing(1);
    outer->addLayout(lines_, 1);
  }
  ~GroupContents() {
    const int n = box_->objectName().mid(8).toInt();  // "GroupBoxN"
    auto* chart = new TrendChart(kChartQuantities.at(static_cast<size_t>(n - 2)), box_);
    chart->setObjectName(QStringLiteral("Chart%1").arg(n));
    lines_->addWidget(chart, 1);
  }

  QLabel* label(const char* name, const QString& text = QString::fromUtf8(kNoValue)) {
    return named(new QLabel(text, box_), name);
  }
  CurrentValueLabel* value(const char* name) {
    auto* l = new CurrentValueLabel(box_);
    l->setObjectName(QString::fromLatin1(name));
    l->setText(QString::fromUtf8(kNoValue));
    return l;
  }
  CurrentValueLabel* current(const char* name) {
    CurrentValueLabel* l = value(name);
    addLine({l});
    return l;
  }
  QLabel* line(const char* name) {
    QLabel* l = label(name);
    addLine({l});
    return l;
  }
  // A value, then a word ("um", "seit") and the time stamp it belongs to.
  QLabel* lineWithStamp(const char* name, const char* word, const char* stampName, QLabel*& stamp) {
    QLabel* l = label(name);
    stamp = label(stampName);
    addLine({l, new QLabel(QString::fromUtf8(word), box_), stamp});
    return l;
  }
  // A value and the German compass point of its direction.
  template <typename Label>
  Label* lineWithPoint(Label* l, const char* pointName, QLabel*& point) {
    point = label(pointName, QString());
    addLine({l, point});
    return l;
  }
  QLabel* hidden(const char* name) {
    QLabel* l = label(name);
    l->hide();
    return l;
  }
  void addLine(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout();
    row->setSpacing(6);
    for (QWidget* w : widgets) row->addWidget(w);
    row->addStretch(1);
    lines_->addLayout(row);
  }
  QVBoxLayout* lines() { return lines_; }

 private:
  QGroupBox* box_;
  QVBoxLayout* lines_ = nullptr;
};

void humidityGroup(QGroupBox* box, QProgressBar* bar, const std::array<const char*, 7>& names,
                   ExtremesLabels& l) {
  GroupContents g(box, bar);
  l.current = g.current(names[0]);
  l.hi = g.lineWithStamp(names[1], "um", names[2], l.hiTime);
  l.lo = g.lineWithStamp(names[3], "um", names[4], l.loTime);
  l.alarmHi = g.hidden(names[5]);
  l.alarmLo = g.hidden(names[6]);
}

void dewPointGroup(QGroupBox* box, const std::array<const char*, 6>& names, DewPointLabels& l) {
  GroupContents g(box, nullptr);
  l.current = g.current(names[0]);
  l.hi = g.lineWithStamp(names[1], "um", names[2], l.hiTime);
  l.lo = g.lineWithStamp(names[3], "um", names[4], l.loTime);
  l.alarm = g.hidden(names[5]);
}

void barometerGroup(QGroupBox* box, BarometerLabels& l) {
  GroupContents g(box, nullptr);
  l.local = g.value("Label37");
  l.seaLevel = g.label("Label38");
  l.trend = g.label("Label39");
  l.forecast = g.label("Label40");
  l.alarm = g.hidden("Label41");
  l.trendPicture = g.label("Image1", QString());
  l.trendPicture->setFixedSize(32, 24);
  l.forecastPicture = g.label("Image2", QString());
  l.forecastPicture->setFixedSize(55, 44);
  // The forecast picture beside the two pressures, the trend picture beside
  // its word; the forecast word may use the whole width.
  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(1);
  grid->addWidget(l.local, 0, 0);
  grid->addWidget(l.seaLevel, 1, 0);
  grid->addWidget(l.forecastPicture, 0, 1, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(l.trend, 2, 0);
  grid->addWidget(l.trendPicture, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(l.forecast, 3, 0, 1, 2);
  grid->setColumnStretch(2, 1);
  g.lines()->addLayout(grid);
}

void rainGroup(QGroupBox* box, RainLabels& l) {
  GroupContents g(box, nullptr);
  l.rate = g.current("Label55");
  l.yesterday = g.line("Label56");
  l.total = g.lineWithStamp("Label57", "seit", "Label58", l.totalSince);
  l.since24h = g.line("Label79");
  l.alarm = g.hidden("Label64");
}

void windGroup(QGroupBox* box, QProgressBar* bar, WindLabels& l) {
  GroupContents g(box, bar);
  l.current = g.lineWithPoint(g.value("Label66"), "Kompass66", l.currentPoint);
  l.average = g.lineWithPoint(g.label("Label67"), "Kompass67", l.averagePoint);
  l.gust = g.lineWithPoint(g.label("Label68"), "Kompass68", l.gustPoint);
  l.gustTime = g.label("Label71");
  g.addLine({new QLabel(QStringLiteral("Böe um"), box), l.gustTime});
  l.fiveMinuteMax = g.line("Label78");
  l.alarm = g.hidden("Label69");
}

void chillGroup(QGroupBox* box, ChillLabels& l) {
  GroupContents g(box, nullptr);
  l.current = g.current("Label72");
  l.lo = g.lineWithStamp("Label73", "um", "Label74", l.loTime);
  l.alarm = g.hidden("Label75");
}

void setText(QLabel* label, const std::string& text) {
  label->setText(QString::fromStdString(text));
}

void setStamp(QLabel* label, const StampText& text) {
  if (text) setText(label, *text);
}

void showExtremes(const ExtremesLabels& l, const ExtremesTexts& t) {
  setText(l.current, t.current);
  setText(l.hi, t.hi);
  setStamp(l.hiTime, t.hiTime);
  setText(l.lo, t.lo);
  setStamp(l.loTime, t.loTime);
  setText(l.alarmHi, t.alarmHi);
  setText(l.alarmLo, t.alarmLo);
}

void showDewPoint(const DewPointLabels& l, const DewPointTexts& t) {
  setText(l.current, t.current);
  setText(l.hi, t.hi);
  setStamp(l.hiTime, t.hiTime);
  setText(l.lo, t.lo);
  setStamp(l.loTime, t.loTime);
  setText(l.alarm, t.alarm);
}

template <size_t N>
void showPicture(QLabel* label, QLabel* picture, const std::optional<PictureChange>& change,
                 const std::array<QPixmap, N>& pictures) {
  if (!change) return;
  setText(label, change->labelText);
  picture->setPixmap(change->picture >= 0 ? pictures[static_cast<size_t>(change->picture)]
                                          : QPixmap());
}

}  // namespace

void buildDisplayGroups(const std::array<QWidget*, 10>& owners, DisplayWidgets& w) {
  static const std::array<const char*, 10> captions{"Luftfeuchtigkeit innen",
                                                    "Luftfeuchtigkeit aussen",
                                                    "Temperatur innen",
                                                    "Temperatur aussen",
                                                    "Barometer",
                                                    "Taupunkt innen",
                                                    "Taupunkt aussen",
                                                    "Regen",
                                                    "Winde",
                                                    "Windchill"};
  for (size_t i = 0; i < w.groups.size(); ++i) {
    auto* box = new QGroupBox(QString::fromUtf8(captions[i]), owners[i]);
    box->setObjectName(QStringLiteral("GroupBox%1").arg(i + 2));
    box->setAutoFillBackground(true);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    w.groups[i] = box;
  }
  auto group = [&w](int n) { return w.groups[static_cast<size_t>(n - 2)]; };
  w.bars.humIn = verticalBar(group(2), "ProgressBar1", kHumidityBarRange);
  w.bars.humOut = verticalBar(group(3), "ProgressBar2", kHumidityBarRange);
  w.bars.tempOut = verticalBar(group(5), "ProgressBar3", kOutdoorTemperatureRange);
  w.bars.tempIn = verticalBar(group(4), "ProgressBar4", kIndoorTemperatureRange);
  w.bars.wind = verticalBar(group(10), "ProgressBar5", kWindBarRange);

  humidityGroup(group(2), w.bars.humIn,
                {"Label8", "Label9", "Label7", "Label10", "Label13", "Label11", "Label12"},
                w.humIn);
  humidityGroup(group(3), w.bars.humOut,
                {"Label5", "Label14", "Label18", "Label15", "Label19", "Label16", "Label17"},
                w.humOut);
  humidityGroup(group(4), w.bars.tempIn,
                {"Label22", "Label23", "Label27", "Label24", "Label28", "Label25", "Label26"},
                w.tempIn);
  humidityGroup(group(5), w.bars.tempOut,
                {"Label29", "Label30", "Label34", "Label31", "Label35", "Label32", "Label33"},
                w.tempOut);
  barometerGroup(group(6), w.baro);
  dewPointGroup(group(7), {"Label42", "Label43", "Label47", "Label44", "Label48", "Label45"},
                w.dewIn);
  dewPointGroup(group(8), {"Label46", "Label49", "Label52", "Label50", "Label53", "Label51"},
                w.dewOut);
  rainGroup(group(9), w.rain);
  windGroup(group(10), w.bars.wind, w.wind);
  chillGroup(group(11), w.chill);
  w.currentValues = {w.humIn.current, w.humOut.current, w.tempIn.current, w.tempOut.current,
                     w.baro.local,    w.dewIn.current,  w.dewOut.current, w.rain.rate,
                     w.wind.current,  w.chill.current};
  for (size_t i = 0; i < w.charts.size(); ++i) {
    w.charts[i] = w.groups[i]->findChild<TrendChart*>();
  }
  // The trend and forecast words wait for the barometer group like the rest.
  w.baro.trend->setText(QString::fromStdString(PictureLabels{}.trend));
  w.baro.forecast->setText(QString::fromStdString(PictureLabels{}.forecast));
}

void showDisplayUpdate(const DisplayWidgets& w, const DisplayUpdate& u,
                       const DisplayPictures& pictures) {
  setStamp(w.band.time, u.time);
  setStamp(w.band.date, u.date);
  setText(w.band.alarmClock, u.alarmClock);
  showExtremes(w.humIn, u.humIn);
  w.bars.humIn->setValue(u.bars.humIn);
  showExtremes(w.humOut, u.humOut);
  w.bars.humOut->setValue(u.bars.humOut);
  showExtremes(w.tempIn, u.tempIn);
  w.bars.tempIn->setValue(u.bars.tempIn);
  showExtremes(w.tempOut, u.tempOut);
  w.bars.tempOut->setValue(u.bars.tempOut);

  setText(w.baro.local, u.baro.local);
  setText(w.baro.seaLevel, u.baro.seaLevel);
  showPicture(w.baro.trend, w.baro.trendPicture, u.baro.trend, pictures.trend);
  showPicture(w.baro.forecast, w.baro.forecastPicture, u.baro.forecast, pictures.forecast);
  setText(w.baro.alarm, u.baro.alarm);
  showDewPoint(w.dewIn, u.dewIn);
  showDewPoint(w.dewOut, u.dewOut);

  setText(w.rain.rate, u.rain.rate);
  setText(w.rain.yesterday, u.rain.yesterday);
  setText(w.rain.total, u.rain.total);
  setText(w.rain.since24h, u.rain.since24h);
  setStamp(w.rain.totalSince, u.rain.totalSince);
  setText(w.rain.alarm, u.rain.alarm);

  w.bars.wind->setValue(u.bars.wind);
  setText(w.wind.current, u.wind.current);
  setText(w.wind.currentPoint, u.wind.currentPoint);
  setText(w.wind.average, u.wind.average);
  setText(w.wind.averagePoint, u.wind.averagePoint);
  setText(w.wind.gust, u.wind.gust);
  setText(w.wind.gustPoint, u.wind.gustPoint);
  setText(w.wind.fiveMinuteMax, u.wind.fiveMinuteMax);
  setStamp(w.wind.gustTime, u.wind.gustTime);
  setText(w.wind.alarm, u.wind.alarm);

  setText(w.chill.current, u.chill.current);
  setText(w.chill.lo, u.chill.lo);
  setStamp(w.chill.loTime, u.chill.loTime);
  setText(w.chill.alarm, u.chill.alarm);

  // Grey until the console has said how its battery is.
  w.band.battery->setBrushColour(!u.batteryLow   ? w.band.battery->palette().color(QPalette::Mid)
                                 : *u.batteryLow ? kBatteryLow
                                                 : kBatteryGood);
  setText(w.band.power, u.power);
  setText(w.band.displaySection, u.displaySection);
}

void emphasiseCurrentValue(CurrentValueLabel* label, QGroupBox* group) {
  QFont f = group->font();
  f.setPointSizeF(f.pointSizeF() * kCurrentValueScale);
  f.setBold(true);
  label->setBaseFont(f);
}

namespace {

// The layout that holds `w` directly, searched from `layout` down.
QLayout* holderOf(QLayout* layout, const QWidget* w) {
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == w) return layout;
    if (QLayout* inner = item->layout()) {
      if (QLayout* found = holderOf(inner, w)) return found;
    }
  }
  return nullptr;
}

// What stands beside the value in its line: the bar of the group, the other
// widgets of its row (in a grid, those that share its row), the spacing
// between them and the group's margins.
int widthBeside(const CurrentValueLabel* label, QGroupBox* group) {
  auto* outer = qobject_cast<QBoxLayout*>(group->layout());
  const QMargins m = outer->contentsMargins();
  int beside = m.left() + m.right();
  for (int i = 0; i < outer->count(); ++i) {
    if (QWidget* bar = outer->itemAt(i)->widget()) beside += bar->width() + outer->spacing();
  }
  QLayout* row = holderOf(outer, label);
  if (!row) return beside;
  auto* grid = qobject_cast<QGridLayout*>(row);
  int labelRow = 0;
  int rowSpan = 0;
  int column = 0;
  int columnSpan = 0;
  if (grid) grid->getItemPosition(grid->indexOf(label), &labelRow, &column, &rowSpan, &columnSpan);
  for (int i = 0; i < row->count(); ++i) {
    QWidget* other = row->itemAt(i)->widget();
    if (!other || other == label || other->isHidden()) continue;
    if (grid) {
      int r = 0;
      int c = 0;
      grid->getItemPosition(i, &r, &c, &rowSpan, &columnSpan);
      if (labelRow < r || labelRow >= r + rowSpan) continue;
    }
    const int spacing = grid ? grid->horizontalSpacing() : row->spacing();
    beside += other->sizeHint().width() + std::max(0, spacing);
  }
  return beside;
}

}  // namespace

void growCurrentValues(const DisplayWidgets& w) {
  // The rest of its line's width and a part of its group's extra height may
  // go to each value; all grow as far as the tightest group allows.
  double factor = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < w.groups.size(); ++i) {
    QGroupBox* group = w.groups[i];
    CurrentValueLabel* label = w.currentValues[i];
    const int extraHeight = group->height() - group->minimumSizeHint().height();
    const int width = group->contentsRect().width() - widthBeside(label, group);
    factor = std::min(factor, label->growthFor(extraHeight, width));
  }
  // Should a layout still give a value less than its widest text, all step
  // back together.
  for (int step = 0; step < 40; ++step) {
    bool fit = true;
    for (size_t i = 0; i < w.groups.size(); ++i) {
      CurrentValueLabel* label = w.currentValues[i];
      label->setGrowth(factor);
      w.groups[i]->layout()->activate();
      fit = fit && label->contentsRect().width() >= label->widestWidth();
    }
    if (fit || factor <= 1.0) break;
    factor = std::max(1.0, factor - CurrentValueLabel::kShrinkStep);
  }
}

namespace {

QList<QLabel*> displayLabels(const DisplayWidgets& w) {
  QList<QLabel*> labels{w.band.time,  w.band.date,  w.band.alarmClock,
                        w.band.stale, w.band.power, w.band.displaySection};
  for (QGroupBox* box : w.groups) labels += box->findChildren<QLabel*>();
  return labels;
}

}  // namespace

void reserveLongestTexts(const DisplayWidgets& w, const std::vector<DisplayUpdate>& longest,
                         const DisplayPictures& pictures) {
  const QList<QLabel*> labels = displayLabels(w);
  QStringList before;
  for (const QLabel* l : labels) before << l->text();
  const QPixmap trend = w.baro.trendPicture->pixmap();
  const QPixmap forecast = w.baro.forecastPicture->pixmap();
  // The warning names a time of two digits each.
  w.band.stale->setText(QStringLiteral("keine Daten seit 23:59"));
  for (const DisplayUpdate& u : longest) {
    showDisplayUpdate(w, u, pictures);
    for (QLabel* l : labels) {
      QStringList texts = l->property(kReservedTexts).toStringList();
      if (!l->text().isEmpty() && !texts.contains(l->text())) texts << l->text();
      l->setProperty(kReservedTexts, texts);
    }
  }
  for (qsizetype i = 0; i < labels.size(); ++i) labels[i]->setText(before[i]);
  w.baro.trendPicture->setPixmap(trend);
  w.baro.forecastPicture->setPixmap(forecast);
}

void applyReservedWidths(const DisplayWidgets& w) {
  for (QLabel* l : displayLabels(w)) {
    const QStringList texts = l->property(kReservedTexts).toStringList();
    if (auto* value = qobject_cast<CurrentValueLabel*>(l)) {
      value->setReservedTexts(texts);
      continue;
    }
    int widest = 0;
    for (const QString& t : texts) widest = std::max(widest, textWidth(l->fontMetrics(), t));
    l->setMinimumWidth(widest);
  }
}

}  // namespace tavik
