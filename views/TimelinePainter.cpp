#include "views/TimelinePainter.h"

#include <QPainterPath>
#include <algorithm>

#include "res/TableText.h"
#include "res/strings/MediaStrings.h"
#include "views/TimelineWaveform.h"

namespace vistrel {

namespace geo = timelinegeometry;
using namespace timelinelook;

namespace {

const QColor BlockFill(206, 222, 240);
const QColor SelectedFill(120, 160, 220);
const QColor GreyedFill(226, 226, 226);
const QColor EffectFill(255, 255, 255, 150);
const QColor Outline(70, 80, 100);
const QColor ReverseMark(190, 30, 30);
const QColor WaveColour(60, 110, 60);

// How many dips the effect makes: none for a plain dissolve (a ramp), one for a fade
// out and in, one per blink or flash.
int effectDips(const geo::Block& block) {
    const int code = block.specialFunction;
    if (code < 0) return 0;
    const int light = (code % 100) / 10;
    if (light == 3 || light == 4 || light == 5) return std::max(1, code % 10);
    if (light == 1 || light == 2 || light == 6 || light == 7) return 1;
    return 0;
}

void paintEffect(QPainter& painter, const QRect& effect, int dips) {
    QPainterPath path;
    path.moveTo(effect.bottomLeft());
    if (dips == 0) {
        path.lineTo(effect.topRight());
    } else {
        // Out and in again, as often as the light function does it.
        const double step = static_cast<double>(effect.width()) / (2 * dips);
        path.lineTo(effect.left(), effect.top());
        for (int i = 0; i < dips; ++i) {
            path.lineTo(effect.left() + step * (2 * i + 1), effect.bottom());
            path.lineTo(effect.left() + step * (2 * i + 2), effect.top());
        }
    }
    path.lineTo(effect.bottomRight());
    path.closeSubpath();
    painter.fillPath(path, EffectFill);
    painter.drawPath(path);
}

}  // namespace

void paintRuler(QPainter& painter, const TimelineFrame& frame, std::int64_t untilTenths) {
    painter.setPen(Outline);
    painter.drawLine(frame.visible.left(), RulerHeight - 1, frame.visible.right(), RulerHeight - 1);
    for (const geo::Tick& tick : geo::rulerTicks(frame.layout, untilTenths, frame.pixelsPerSecond, 48)) {
        const int x = tick.x - frame.scrollX;
        if (x < frame.visible.left() - 60 || x > frame.visible.right()) continue;
        painter.drawLine(x, RulerHeight - 6, x, RulerHeight - 1);
        painter.drawText(QRect(x + 2, 0, 60, RulerHeight - 4), Qt::AlignLeft | Qt::AlignVCenter, tick.label);
    }
}

void paintBlock(QPainter& painter, const TimelineFrame& frame, const geo::Block& block, bool selected) {
    const QRect box(block.x - frame.scrollX, BlockTop, std::max(1, block.width), BlockHeight);
    if (!box.intersects(frame.visible.adjusted(-geo::PauseGap, 0, geo::PauseGap, 0))) return;
    painter.fillRect(box, block.greyed ? GreyedFill : (selected ? SelectedFill : BlockFill));
    painter.setPen(block.greyed ? QColor(150, 150, 150) : Outline);
    if (block.effectWidth > 0) {
        paintEffect(painter, QRect(box.left(), box.top() + 22, block.effectWidth, box.height() - 23),
                    effectDips(block));
    }
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (box.width() > 16) {
        painter.save();
        painter.setClipRect(box.adjusted(2, 1, -2, -1));
        painter.drawText(box.adjusted(3, 1, -2, 0), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("%1\nDia %2").arg(block.lineIndex + 1).arg(block.slide));
        painter.restore();
    }
    if (block.pause) {
        // Two bars in the gap after the line: the show waits here.
        const int x = box.right() + geo::PauseGap / 2 - 2;
        painter.fillRect(QRect(x - 2, BlockTop + 18, 2, 20), Outline);
        painter.fillRect(QRect(x + 2, BlockTop + 18, 2, 20), Outline);
    }
    if (block.autoreverse) {
        painter.fillRect(QRect(box.right() - 3, box.top(), 4, box.height()), ReverseMark);
    }
}

void paintWaveform(QPainter& painter, const TimelineFrame& frame, const TimelineWaveform& waveform) {
    if (!waveform.ready()) return;
    const int middle = WaveTop + WaveHeight / 2;
    // The music stands at every pause: a segment of the waveform between two pauses,
    // each moved right by the gaps before it.
    std::vector<int> pauseXs;
    for (const geo::Block& block : frame.layout.blocks) {
        if (block.greyed) break;
        if (block.pause) pauseXs.push_back(block.right() + geo::PauseGap);
    }
    const std::int64_t endTenths = waveform.durationMs() / 100;
    const double msPerPixel = 1000.0 / frame.pixelsPerSecond;
    painter.setPen(WaveColour);
    std::size_t gaps = 0;
    for (int column = frame.visible.left(); column <= frame.visible.right(); ++column) {
        const int x = column + frame.scrollX;
        while (gaps < pauseXs.size() && x >= pauseXs[gaps]) ++gaps;
        if (gaps < pauseXs.size() && x >= pauseXs[gaps] - geo::PauseGap) continue;  // the music stands
        const double fromMs = (x - static_cast<int>(gaps) * geo::PauseGap) * msPerPixel;
        if (fromMs < 0) continue;
        const int half = static_cast<int>(waveform.peakBetween(fromMs, fromMs + msPerPixel) * (WaveHeight / 2));
        if (half > 0) painter.drawLine(column, middle - half, column, middle + half);
    }
    const int end = geo::xAtTenths(frame.layout, endTenths, frame.pixelsPerSecond) - frame.scrollX;
    painter.setPen(QPen(ReverseMark, 2));
    painter.drawLine(end, BlockTop, end, WaveTop + WaveHeight);
    painter.drawText(QRect(end + 4, WaveTop, 160, 14), Qt::AlignLeft | Qt::AlignTop, tableText(ids::TimelineMusicEnd));
}

void paintDragLabel(QPainter& painter, const TimelineFrame& frame, int x, const QString& text) {
    const QRect box(x - frame.scrollX + 6, RulerHeight + 2, painter.fontMetrics().horizontalAdvance(text) + 8, 16);
    painter.fillRect(box, QColor(255, 255, 220));
    painter.setPen(Outline);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace vistrel
