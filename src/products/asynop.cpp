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

// Writes the lines to the work file; false (after the message) on failure.
bool writeWorkFile(const ProductContext& ctx, TextFileWriter::Mode mode,
                   const std::vector<std::string>& lines) {
  TextFileWriter file;
  bool written = file.open(asynopWorkFile(ctx.programDir), mode);
  for (size_t i = 0; written && i < lines.size(); ++i) written = file.writeLine(lines[i]);
  if (file.close() && written) return true;
  ctx.notifier.notify("Fehler beim Erstellen der ASYNOP-Datei", kCaption);
  return false;
}

// A copy that does not arrive would leave the bulletin unsent without a word,
// so it is reported.
void copyWorkFile(const ProductContext& ctx, const std::filesystem::path& target) {
  std::error_code ec;
  std::filesystem::copy_file(asynopWorkFile(ctx.programDir), target,
                             std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) {
    ctx.notifier.notify("Fehler beim Kopieren der ASYNOP-Datei nach " + target.string(), kCaption);
  }
}

// ASYNOP-Archiv/[<month> <year>/][Woche <n>/]<yyyy.mm.dd. - hh-nn>.txt
std::filesystem::path archivePath(const ProductContext& ctx, const LocalDateTime& now) {
  std::string folder = ctx.programDir + "ASYNOP-Archiv/";
  if (ctx.settings.ASYNOPMonatsordner) {
    folder += formatDateTime("mmmm yyyy", now, ctx.regional) + "/";
  }
  if (ctx.settings.ASYNOPWochenordner) {
    folder += "Woche " + std::to_string(logWeekNumber(now.month, now.day)) + "/";
  }
  return folder + formatDateTime("yyyy.mm.dd. - hh-nn", now, ctx.regional) + ".txt";
}

bool isSynopticHour(int utcHour) { return utcHour % 6 == 0; }

}  // namespace

std::string asynopWorkFile(const std::string& programDir) { return programDir + "asynoptmp.txt"; }

void Asynop::asynopNewFile(const ProductContext& ctx) {
  if (writeWorkFile(ctx, TextFileWriter::Mode::Truncate, asynopOpeningLines(ctx))) {
    status_ = "ASYNOP: X";
  }
}

void Asynop::asynopAppendLine(const ProductContext& ctx) {
  if (writeWorkFile(ctx, TextFileWriter::Mode::Append, {asynopReportLine(ctx)})) status_ += "X";
}

void Asynop::asynopEndFile(const ProductContext& ctx) {
  if (writeWorkFile(ctx, TextFileWriter::Mode::Append, asynopClosingLines(ctx))) {
    status_ = "ASYNOP: verschickt";
  }
}

void Asynop::asynopMinuteTick(const ProductContext& ctx, bool withReportLine) {
  const LocalDateTime now = ctx.clock.now();
  if (now.minute != 0) return;
  LocalDateTime hour = asynopUtc(now, ctx.settings.Zeitzone);
  if (!isSynopticHour(hour.hour)) return;
  hour.second = 0;
  hour.millisecond = 0;
  if (lastSynopticHour_ == hour) return;
  lastSynopticHour_ = hour;

  const bool fourADay = ctx.settings.ASYNOPIntervall;
  if (fourADay || hour.hour == 0) asynopNewFile(ctx);
  if (withReportLine) asynopAppendLine(ctx);
  if (fourADay || hour.hour == 18) publish(ctx);
}

void Asynop::publish(const ProductContext& ctx) {
  asynopEndFile(ctx);
  copyWorkFile(ctx, ctx.settings.ASYNOPDatei);
  if (!ctx.settings.ASYNOPArchiv) return;
  const std::filesystem::path target = archivePath(ctx, ctx.clock.now());
  std::error_code ec;
  std::filesystem::create_directories(target.parent_path(), ec);
  copyWorkFile(ctx, target);
}

}  // namespace tavik
