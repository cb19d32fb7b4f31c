#include "rehearsal/RehearsalScene.h"

#include <QPainter>
#include <algorithm>
#include <span>

#include "model/CVistrelDoc.h"
#include "model/Cp1252.h"
#include "model/DecimalText.h"
#include "model/PictureFolder.h"
#include "rehearsal/RehearsalProjector.h"
#include "res/TableText.h"
#include "res/strings/RehearsalStrings.h"
#include "res/strings/RunStrings.h"

namespace vistrel {

namespace {

using Phase = sim::ShowRunner::Phase;


// The lines the pictures are made ahead for, after the one shown.
constexpr int LinesAhead = 2;

// The time into the line's effect and timer, the wait at its pause not counted.
std::int64_t elapsedOnLine(const sim::ShowRunner::Position& position) {
    switch (position.phase) {
        case Phase::Effect:
        case Phase::Reverse: return position.phaseElapsedMs;
        case Phase::Pause: return position.effectMs;
        case Phase::Timer: return position.effectMs + position.phaseElapsedMs;
    }
    return 0;
}

}  // namespace

RehearsalScene::RehearsalScene(const CVistrelDoc& doc, RehearsalProjector& projector, const QString& pictureFolder,
                               std::function<void(const QString&)> statusLine)
    : doc_(doc),
      projector_(projector),
      statusLine_(std::move(statusLine)),
      pictures_(pictureFolder, [&doc](int lineIndex) {
          if (lineIndex < 0 || lineIndex >= doc.lineCount) return QString();
          return QString::fromStdString(cp1252ToUtf8(doc.lines[static_cast<std::size_t>(lineIndex)].description.view()));
      }) {
    // A folder that is there but cannot be listed gives cards only: said, not left to be guessed.
    if (pictureFolder.isEmpty() || !statusLine_) return;
    const PictureFolder::State state = PictureFolder::scan(pictureFolder.toStdString()).state();
    if (state == PictureFolder::State::Unreadable || state == PictureFolder::State::NotAFolder)
        statusLine_(tableText(ids::RehearsalPictureFolderUnreadable).arg(pictureFolder));
}

ProjectedLine RehearsalScene::projectorLine(int line) {
    ProjectedLine projected;
    if (line < 1 || line > sim::MaxShowRecords) return projected;
    const sim::ShowRecord record = projector_.projector().memory().record(line - 1);
    projected.lineIndex = line - 1;
    projected.slide = record.slide;
    projected.dissolveTenths = record.dissolveTenths;
    projected.timerTenths = record.timerHundredths / 10;
    projected.specialFunction = record.specialCode();
    return projected;
}

ProjectionInput RehearsalScene::projectionInput(const sim::ShowRunner::Position& position,
                                                const std::function<ProjectedLine(int)>& lineAt) {
    ProjectionInput input;
    if (!position.running) return input;
    input.line = lineAt(position.line);
    if (position.previousLine > 0) {
        const ProjectedLine previous = lineAt(position.previousLine);
        input.previousSlide = previous.slide;
        input.previousLineIndex = previous.lineIndex;
    }
    input.elapsedMs = elapsedOnLine(position);
    input.atPause = position.phase == Phase::Pause;
    input.trayReturning = position.phase == Phase::Reverse;
    return input;
}

RehearsalScene::Moment RehearsalScene::sample() {
    Moment moment;
    moment.position = projector_.projector().showPosition();
    if (moment.position.running) {
        moment.input = projectionInput(moment.position, [this](int line) { return projectorLine(line); });
        moment.projection = projectAt(moment.input);
    }
    return moment;
}

double RehearsalScene::fadeGain(std::int64_t nowMs) const {
    if (!endedAtMs_) return 1.0;
    return std::clamp(1.0 - static_cast<double>(nowMs - *endedAtMs_) / FadeOutMs, 0.0, 1.0);
}

void RehearsalScene::sampleAt(std::int64_t nowMs) {
    // Once the run is over the projector is no longer asked: it may be gone.
    if (!endedAtMs_) last_ = sample();
    if (last_.position.running) {
        lastShown_ = last_.projection;
    } else if (lastShown_) {
        if (!endedAtMs_) endedAtMs_ = nowMs;
        const double gain = fadeGain(nowMs);
        last_.projection = *lastShown_;
        last_.projection.before.brightness *= gain;
        last_.projection.after.brightness *= gain;
    }
}

void RehearsalScene::paint(QPainter& painter, const QRect& area, std::int64_t nowMs) {
    sampleAt(nowMs);
    const QSize size = area.size();
    bool whole = true;
    painter_.paint(painter, area, last_.projection, [&](const ProjectionLayer& layer) {
        std::optional<QImage> picture = pictures_.ready(layer.slide, layer.lineIndex, size);
        if (!picture) whole = false;
        return picture.value_or(QImage());
    });
    painted_ = last_.projection;
    paintedArea_ = size;
    paintedWhole_ = whole;
    if (last_.position.running) prefetchAhead(size);
    reportUnreadable();
}

bool RehearsalScene::advance(QSize area, std::int64_t nowMs) {
    sampleAt(nowMs);
    reportUnreadable();
    if (!painted_ || area != paintedArea_ || !looksAlike(*painted_, last_.projection)) return true;
    return !paintedWhole_ && picturesReady(last_.projection, area);
}

bool RehearsalScene::picturesReady(const Projection& projection, QSize area) {
    auto ready = [&](const ProjectionLayer& layer) {
        return layer.slide == 0 || layer.brightness <= 0 || pictures_.ready(layer.slide, layer.lineIndex, area);
    };
    return ready(projection.before) && ready(projection.after);
}

void RehearsalScene::prefetchAhead(QSize area) {
    // The lines the show goes on with: the next ones in memory, over an autoreverse
    // line back to line 1, up to the end record.
    int line = last_.position.line;
    for (int ahead = 0; ahead < LinesAhead; ++ahead) {
        ++line;
        if (line > sim::MaxShowRecords) return;
        sim::ShowRecord record = projector_.projector().memory().record(line - 1);
        if (record.isEndRecord()) return;
        if (record.isAutoreverse()) {
            line = 1;
            record = projector_.projector().memory().record(0);
        }
        pictures_.prefetch(record.slide, line - 1, area);
    }
}

void RehearsalScene::reportUnreadable() {
    if (!statusLine_) return;
    for (const auto& file : pictures_.takeUnreadable()) {
        statusLine_(tableText(ids::RehearsalPictureUnreadable).arg(file.slide).arg(file.path));
    }
}

QStringList RehearsalScene::overlayLines() const {
    const sim::ShowRunner::Position& position = last_.position;
    if (!position.running) return {tableText(ids::EndOfShowReached).trimmed()};
    const int index = position.line - 1;
    const bool known = index >= 0 && index < doc_.lineCount;
    const QString unknown = tableText(ids::InfoUnknown);
    auto labelled = [](int labelId, const QString& value) { return tableText(labelId) + QLatin1Char(' ') + value; };

    QStringList lines;
    // Numbered as the list shows them: "003" for the third line, slide "12" as it is.
    lines << labelled(ids::InfoProgramNumber, QString::fromStdString(zeroPadded(position.line, 3)));
    lines << labelled(ids::InfoSlideNumber, QString::number(last_.input.line.slide));
    QString description = known ? QString::fromStdString(cp1252ToUtf8(doc_.lines[static_cast<std::size_t>(index)].description.view()))
                                : unknown;
    if (position.phase == Phase::Reverse) description = tableText(ids::InfoAutoreverse);
    lines << labelled(ids::InfoDescription, description);
    QString left;
    if (position.phase == Phase::Pause) {
        left = tableText(ids::InfoPause);
    } else {
        const std::int64_t lineMs =
            position.phase == Phase::Reverse ? position.phaseLengthMs : position.effectMs + position.timerMs;
        const std::int64_t leftMs = std::max<std::int64_t>(0, lineMs - elapsedOnLine(position));
        // In tenths, rounded up: "0.0" only once the line is over.
        left = QString::fromStdString(secondsText(static_cast<int>((leftMs + 99) / 100))).trimmed();
    }
    lines << labelled(ids::InfoRemaining, left);
    return lines;
}

std::optional<std::int64_t> RehearsalScene::musicPositionMs() {
    const sim::ShowRunner::Position& position = last_.position;
    if (!position.running || position.halted || position.phase == Phase::Pause || position.phase == Phase::Reverse) {
        return std::nullopt;
    }
    // The timeline follows the lines as they are now, edits during the run included.
    if (!timeline_ || timelineLine_ != position.line) {
        timeline_ = ShowTimeline::build(std::span<const ProgramLine>(doc_.lines.data(), static_cast<std::size_t>(doc_.lineCount)), 1);
        timelineLine_ = position.line;
    }
    for (const TimelineLine& entry : timeline_->lines()) {
        if (entry.line.lineIndex == position.line - 1) return entry.startTenths * 100 + elapsedOnLine(position);
    }
    return std::nullopt;
}

}  // namespace vistrel
