// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive_recorder.h"

#include <ostream>

#include "archive/archive_history.h"

namespace tavik {

ArchiveRecorder::ArchiveRecorder(const ProductContext& context, std::ostream& log)
    : context_(context), log_(log), upgrade_(log) {}

ArchiveRecorder::~ArchiveRecorder() = default;

void ArchiveRecorder::minuteTick(bool usable) {
  const StationState& s = context_.state;
  if (s.seenCF && (!gust_ || s.gustRing.back() > gust_->speed))
    gust_ = IntervalGust{s.gustRing.back(), s.gustMaxMinuteDir};
  const Settings& settings = context_.settings;
  if (!settings.ArchivAktiv || settings.ArchivIntervall <= 0 || settings.ArchivDatei.empty()) {
    writer_.reset();
    status_.clear();
    return;
  }
  if (countdown_ > settings.ArchivIntervall) countdown_ = settings.ArchivIntervall;
  if (countdown_ > 0) --countdown_;
  if (countdown_ > 0) return;
  if (usable) writeRow();
  gust_.reset();
  countdown_ = settings.ArchivIntervall;
}

void ArchiveRecorder::settingsLoaded() {
  const Settings& settings = context_.settings;
  if (settings.ArchivAktiv && settings.ArchivIntervall > 0) upgrade_.start(settings.ArchivDatei);
}

void ArchiveRecorder::writeRow() {
  const std::string& path = context_.settings.ArchivDatei;
  if (writer_ && openPath_ != path) writer_.reset();
  if (!writer_) {
    std::string error;
    writer_ = ArchiveWriter::open(path, error);
    if (!writer_) return fail(error);
    openPath_ = path;
    upgrade_.start(path);
  }
  const LocalDateTime now = context_.clock.now();
  const int32_t interval = context_.settings.ArchivIntervall * 60;
  const ArchiveRow row =
      archiveRowOf(context_.weather, context_.state, utcOfLocal(now), interval, now.year, gust_);
  if (writer_->write(row) == ArchiveWriter::Result::Failed) {
    // Opened afresh next time: the file may have been replaced or freed.
    const std::string why = writer_->lastError();
    writer_.reset();
    return fail(why);
  }
  if (!status_.empty()) log_ << "Das Archiv wird wieder geschrieben: " << path << std::endl;
  status_.clear();
}

void ArchiveRecorder::fail(const std::string& why) {
  if (why == status_) return;
  status_ = why;
  log_ << why << std::endl;
}

}  // namespace tavik
