// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/asynop.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "common/text_file.h"
#include "products/asynop_bulletin.h"
#include "products/log_week.h"

namespace tavik {

namespace {

constexpr const char* kCaption = "ASYNOP";

enum class WorkFileStep { Start, Append };

// Starts the work file anew (replacing it whole) or appends the lines to it
// as one whole; false (after the message) on failure.
bool writeWorkFile(const ProductContext& ctx, WorkFileStep step,
                   const std::vector<std::string>& lines) {
  const std::string path = asynopWorkFile(ctx.productDir);
  bool written = false;
  if (step == WorkFileStep::Append) {
    written = appendWholeLines(path, {}, lines);
  } else {
    FileReplacement file;
    written = file.open(path);
    for (size_t i = 0; written && i < lines.size(); ++i) written = file.writeLine(lines[i]);
    written = written && file.commit();
  }
  if (written) return true;
  ctx.notifier.notify(withNote("Fehler beim Erstellen der ASYNOP-Datei", notRegularFileNote(path)),
                      kCaption);
  return false;
}

// The copy replaces the target whole, so that the packet-radio software never
// picks up half a bulletin. A copy that does not arrive would leave the
// bulletin unsent without a word, so it is reported.
void copyWorkFile(const ProductContext& ctx, const std::filesystem::path& target) {
  std::string bytes;
  FileReplacement file;
  // The work file is the program's own: a link in its place is not read.
  const bool copied = readFileBytes(asynopWorkFile(ctx.productDir), bytes, nullptr, false) &&
                      file.open(target) && file.writeRaw(bytes) && file.commit();
  if (!copied) {
    ctx.notifier.notify(withNote("Fehler beim Kopieren der ASYNOP-Datei nach " + target.string(),
                                 notRegularFileNote(target)),
                        kCaption);
  }
}

// ASYNOP-Archiv/[<month> <year>/][Woche <n>/]<yyyy.mm.dd. - hh-nn>.txt, in
// the program's folder.
std::filesystem::path archivePath(const ProductContext& ctx, const LocalDateTime& now) {
  std::string folder = "ASYNOP-Archiv/";
  if (ctx.settings.ASYNOPMonatsordner) {
    folder += formatDateTime("mmmm yyyy", now, ctx.regional) + "/";
  }
  if (ctx.settings.ASYNOPWochenordner) {
    folder += "Woche " + std::to_string(logWeekNumber(now.month, now.day)) + "/";
  }
  return folder + formatDateTime("yyyy.mm.dd. - hh-nn", now, ctx.regional) + ".txt";
}

bool isSynopticHour(int utcHour) { return utcHour % 6 == 0; }

// Minutes since 1970-01-01 00:00; the seconds of a minute tick do not count.
long long minuteNumber(const LocalDateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

}  // namespace

std::string asynopWorkFile(const std::string& productDir) { return productDir + "asynoptmp.txt"; }

void Asynop::asynopNewFile(const ProductContext& ctx) { startBulletin(ctx); }

bool Asynop::startBulletin(const ProductContext& ctx) {
  startFailed_ = !writeWorkFile(ctx, WorkFileStep::Start, asynopOpeningLines(ctx));
  if (startFailed_) return false;
  status_ = "ASYNOP: X";
  return true;
}

void Asynop::asynopAppendLine(const ProductContext& ctx) {
  std::error_code ec;
  // A bulletin that could not be started gets no line: one message is enough.
  // After a failed start the work file may still hold an older bulletin,
  // which must not grow: the start is tried again first.
  if ((startFailed_ || !std::filesystem::exists(asynopWorkFile(ctx.productDir), ec)) &&
      !startBulletin(ctx))
    return;
  const std::string line = asynopReportLine(ctx, rainSinceMark(ctx));
  if (writeWorkFile(ctx, WorkFileStep::Append, {line})) status_ += "X";
}

// The rain since the mark, over the whole hours since it; none without a mark,
// before the first rain group, between whole hours and after the console's
// total was cleared.
std::optional<RainAmount> Asynop::rainSinceMark(const ProductContext& ctx) const {
  if (!rainMark_ || !ctx.state.seenBF) return std::nullopt;
  const long long minutes =
      minuteNumber(asynopUtc(ctx.clock, ctx.clock.now(), ctx.settings.Zeitzone)) -
      minuteNumber(rainMark_->utcHour);
  const int total = ctx.weather.Rain.Total;
  if (minutes <= 0 || minutes % 60 != 0 || total < rainMark_->total) return std::nullopt;
  return RainAmount{total - rainMark_->total, static_cast<int>(minutes / 60)};
}

void Asynop::asynopEndFile(const ProductContext& ctx) { endBulletin(ctx); }

bool Asynop::endBulletin(const ProductContext& ctx) {
  // A bulletin that was never started has no beginning to end: the end
  // alone would make a bulletin of its own (or finish an older one).
  std::error_code ec;
  const std::string path = asynopWorkFile(ctx.productDir);
  if (startFailed_ || !std::filesystem::exists(path, ec)) {
    ctx.notifier.notify(
        withNote("Fehler beim Erstellen der ASYNOP-Datei", notRegularFileNote(path)), kCaption);
    return false;
  }
  if (!writeWorkFile(ctx, WorkFileStep::Append, asynopClosingLines(ctx))) return false;
  status_ = "ASYNOP: verschickt";
  return true;
}

bool Asynop::asynopMinuteTick(const ProductContext& ctx, bool withReportLine) {
  const LocalDateTime now = ctx.clock.now();
  if (now.minute != 0) return false;
  LocalDateTime hour = asynopUtc(ctx.clock, now, ctx.settings.Zeitzone);
  if (!isSynopticHour(hour.hour)) return false;
  hour.second = 0;
  hour.millisecond = 0;
  if (lastSynopticHour_ == hour) return false;
  lastSynopticHour_ = hour;

  const bool fourADay = ctx.settings.ASYNOPIntervall;
  if (fourADay || hour.hour == 0) asynopNewFile(ctx);
  if (withReportLine) {
    asynopAppendLine(ctx);
    // A stale record keeps the older mark: the next line covers both periods.
    if (ctx.state.seenBF) rainMark_ = RainMark{hour, ctx.weather.Rain.Total};
  }
  if (fourADay || hour.hour == 18) publish(ctx);
  return true;
}

void Asynop::publish(const ProductContext& ctx) {
  // Only a whole bulletin is sent and archived.
  if (!endBulletin(ctx)) return;
  copyWorkFile(ctx, ctx.settings.ASYNOPDatei);
  if (!ctx.settings.ASYNOPArchiv) return;
  const std::filesystem::path below = archivePath(ctx, ctx.clock.now());
  const std::filesystem::path target = std::filesystem::path(ctx.productDir) / below;
  if (!createFoldersBelow(ctx.productDir, below.parent_path())) {
    ctx.notifier.notify("Fehler beim Kopieren der ASYNOP-Datei nach " + target.string(), kCaption);
    return;
  }
  copyWorkFile(ctx, target);
}

}  // namespace tavik
