#include "views/TimelineGeometry.h"

#include <algorithm>
#include <cmath>

#include "model/ShowTimeline.h"

namespace vistrel::timelinegeometry {

namespace {

int pixels(std::int64_t tenths, double pixelsPerSecond) {
    return static_cast<int>(std::lround(static_cast<double>(tenths) * pixelsPerSecond / 10.0));
}

std::int64_t blockEnd(const Block& block) { return block.startTenths + block.effectTenths + block.timerTenths; }

}  // namespace

Layout layoutBlocks(std::span<const ProgramLine> lines, double pixelsPerSecond) {
    Layout layout;
    int origin = 0;
    bool firstRun = true;
    int fromLine = 1;
    const int count = static_cast<int>(std::min<std::size_t>(lines.size(), MaxProgramLines));
    while (fromLine <= count) {
        const ShowTimeline run = ShowTimeline::build(lines.first(static_cast<std::size_t>(count)), fromLine);
        if (run.lines().empty()) {
            // An end record: it takes no time and gets no block; what follows is not reached.
            firstRun = false;
            ++fromLine;
            continue;
        }
        int gaps = 0;
        for (const TimelineLine& entry : run.lines()) {
            Block block;
            block.lineIndex = entry.line.lineIndex;
            block.slide = entry.line.slide;
            block.startTenths = entry.startTenths;
            block.effectTenths = entry.effectTenths;
            block.timerTenths = entry.timerTenths;
            block.specialFunction = entry.line.specialFunction;
            block.pause = entry.pause;
            block.autoreverse = entry.autoreverse;
            block.greyed = !firstRun;
            const int left = pixels(entry.startTenths, pixelsPerSecond);
            block.x = origin + left + gaps * PauseGap;
            block.effectWidth = pixels(entry.startTenths + entry.effectTenths, pixelsPerSecond) - left;
            block.width = pixels(blockEnd(block), pixelsPerSecond) - left;
            if (block.pause) ++gaps;
            layout.blocks.push_back(block);
        }
        if (firstRun) layout.reachedTenths = run.totalTenths();
        origin += pixels(run.totalTenths(), pixelsPerSecond) + gaps * PauseGap;
        firstRun = false;
        fromLine = run.lines().back().line.lineIndex + 2;
    }
    layout.width = origin;
    return layout;
}

int xAtTenths(const Layout& layout, std::int64_t tenths, double pixelsPerSecond) {
    int gaps = 0;
    for (const Block& block : layout.blocks) {
        if (block.greyed) break;
        if (block.pause && blockEnd(block) <= tenths) ++gaps;
    }
    return pixels(tenths, pixelsPerSecond) + gaps * PauseGap;
}

QString minutesSeconds(std::int64_t seconds) {
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

std::vector<Tick> rulerTicks(const Layout& layout, std::int64_t tenths, double pixelsPerSecond, int minSpacing) {
    static constexpr int Steps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 1200, 1800, 3600};
    int step = Steps[std::size(Steps) - 1];
    for (int candidate : Steps) {
        if (candidate * pixelsPerSecond >= minSpacing) {
            step = candidate;
            break;
        }
    }
    std::vector<Tick> ticks;
    for (std::int64_t second = 0; second * 10 <= tenths; second += step) {
        ticks.push_back({xAtTenths(layout, second * 10, pixelsPerSecond), minutesSeconds(second)});
    }
    return ticks;
}

Hit hitAt(const Layout& layout, int x) {
    Hit inside;
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
        const Block& block = layout.blocks[i];
        // The edge wins over the next block, whose left edge it touches.
        if (block.timerDraggable() && std::abs(x - block.right()) <= EdgeGrip) return {static_cast<int>(i), true};
        if (inside.block < 0 && x >= block.x && x < block.right()) inside.block = static_cast<int>(i);
    }
    return inside;
}

int draggedTimer(const Block& block, int x, double pixelsPerSecond) {
    const double seconds = static_cast<double>(x - (block.x + block.effectWidth)) / pixelsPerSecond;
    const long tenths = std::lround(seconds * 10.0);
    return static_cast<int>(std::clamp<long>(tenths, 1, 6000));
}

double fitScale(std::span<const ProgramLine> lines, int viewWidth) {
    const Layout atOne = layoutBlocks(lines, 1.0);
    std::int64_t tenths = 0;
    int gaps = 0;
    for (const Block& block : atOne.blocks) {
        tenths += block.effectTenths + block.timerTenths;
        if (block.pause) ++gaps;
    }
    if (tenths == 0) return 10.0;
    const double room = static_cast<double>(viewWidth - gaps * PauseGap);
    return std::clamp(room * 10.0 / static_cast<double>(tenths), MinPixelsPerSecond, MaxPixelsPerSecond);
}

double zoomed(double pixelsPerSecond, int steps) {
    return std::clamp(pixelsPerSecond * std::pow(1.25, steps), MinPixelsPerSecond, MaxPixelsPerSecond);
}

}  // namespace vistrel::timelinegeometry
