#pragma once
// What the rehearsal window shows at each frame, read from the rehearsal's virtual
// projector: where its show stands (line, phase, time into it), turned into the
// projection of that moment and drawn with the show's pictures; the overlay's lines;
// and where the music should be. The window only asks; the timing is the projector's
// and the look of each effect the projection's.
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "model/Projection.h"
#include "model/ShowTimeline.h"
#include "pictures/ProjectionPainter.h"
#include "pictures/SlidePictures.h"
#include "sim/ShowRunner.h"

class QPainter;
class QRect;

namespace vistrel {

class CVistrelDoc;
class RehearsalProjector;

class RehearsalScene {
public:
    // The moment a frame shows.
    struct Moment {
        sim::ShowRunner::Position position;
        ProjectionInput input;
        Projection projection;
    };

    // An unreadable picture folder is said once through `statusLine`, and so is each
    // picture that cannot be read.
    RehearsalScene(const CVistrelDoc& doc, RehearsalProjector& projector, const QString& pictureFolder,
                   std::function<void(const QString& statusLine)> statusLine);

    // Where the show stands now.
    Moment sample();
    // Samples the show at `nowMs` (the program's clock) and draws the frame into `area`,
    // asking for the pictures of the lines to come meanwhile. Once the run is over, the
    // last picture stays and dissolves to dark over FadeOutMs.
    void paint(QPainter& painter, const QRect& area, std::int64_t nowMs);
    // Samples the show for the next frame: true when the frame for `area` looks
    // different from the one painted last (an effect going on, a light effect, the
    // fade at the end, a picture that was missing has arrived).
    bool advance(QSize area, std::int64_t nowMs);

    static constexpr std::int64_t FadeOutMs = 2000;
    // Whether the run is over and the last picture is going dark, and how bright it
    // (and the music) still is: 1 at the end of the run, 0 FadeOutMs later.
    bool fadingOut() const { return endedAtMs_.has_value(); }
    double fadeGain(std::int64_t nowMs) const;

    // The overlay (key I) for the moment drawn last: line, slide, description and the
    // time left on the line, as the info window shows them.
    QStringList overlayLines() const;
    // Where the music should be for the moment sampled last, on the timeline of a run
    // from line 1; nothing while it must not play.
    std::optional<std::int64_t> musicPositionMs();

    pictures::SlidePictures& pictures() { return pictures_; }
    const Moment& lastMoment() const { return last_; }

    // The input of the projection for a position of the show, with the lines as the
    // projector holds them (`lineAt` gives a 1-based line).
    static ProjectionInput projectionInput(const sim::ShowRunner::Position& position,
                                           const std::function<ProjectedLine(int line)>& lineAt);

private:
    ProjectedLine projectorLine(int line);
    void prefetchAhead(QSize area);
    bool picturesReady(const Projection& projection, QSize area);
    void reportUnreadable();
    // Where the show stands at `nowMs`, the last picture dimmed once the run is over.
    void sampleAt(std::int64_t nowMs);

    const CVistrelDoc& doc_;
    RehearsalProjector& projector_;
    std::function<void(const QString&)> statusLine_;
    pictures::SlidePictures pictures_;
    pictures::ProjectionPainter painter_;
    Moment last_;
    // What the last paint showed: to paint again only what changed.
    std::optional<Projection> painted_;
    QSize paintedArea_;
    bool paintedWhole_ = false;  // every picture it needed was there
    std::optional<ShowTimeline> timeline_;
    std::optional<Projection> lastShown_;    // the last projection of the running show
    std::optional<std::int64_t> endedAtMs_;  // when the run was first seen over
    int timelineLine_ = -1;  // the line the timeline was built at
};

}  // namespace vistrel
