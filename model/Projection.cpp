#include "model/Projection.h"

#include <algorithm>
#include <cmath>

#include "model/LineTiming.h"
#include "model/ProgramRecord.h"
#include "model/SpecialFunction.h"

namespace vistrel {

namespace {

// Rises from 0 to 1 over [from, from + length); a step at `from` when length is 0.
double ramp(double t, double from, double length) {
    if (length <= 0.0) return t >= from ? 1.0 : 0.0;
    return std::clamp((t - from) / length, 0.0, 1.0);
}

struct Lights {
    double before;
    double after;
};

Lights crossFade(double mix) { return {1.0 - mix, mix}; }

// The two brightnesses `t` tenths into an effect of `effect` tenths. Times are in
// tenths as doubles so that every frame between two tenths gets its own value.
Lights effectLights(int light, int parameter, double t, double effect, double dissolve) {
    if (effect <= 0.0 || t >= effect) return {0.0, 1.0};
    const int count = std::max(1, parameter);
    switch (light) {
        case 1:  // fade in: out to dark over D, then slowly up over the rest
            return {1.0 - ramp(t, 0.0, dissolve), ramp(t, dissolve, effect - dissolve)};
        case 2: {  // freeze: half a dissolve, stand, the other half
            const double mix = 0.5 * ramp(t, 0.0, dissolve) + 0.5 * ramp(t, effect - dissolve, dissolve);
            return crossFade(mix);
        }
        case 3:
        case 4: {  // blink and flash: hard switches, dark first, lit at the end of each round
            const double round = effect / count;
            const double inRound = std::fmod(t, round);
            const double darkPart = light == 3 ? 0.5 : 0.75;
            return {0.0, inRound < darkPart * round ? 0.0 : 1.0};
        }
        case 5: {  // rock: over and back, the last swing stays over
            const double round = effect / count;
            const double half = round / 2.0;
            const int index = std::min(count - 1, static_cast<int>(t / round));
            const double inRound = t - index * round;
            if (inRound < half) return crossFade(inRound / half);
            if (index == count - 1) return crossFade(1.0);
            return crossFade(1.0 - (inRound - half) / half);
        }
        case 6:
        case 7: {  // fade out/in: out over the first half, in over the second
            const double half = effect / 2.0;
            return {1.0 - ramp(t, 0.0, half), ramp(t, half, half)};
        }
        default:  // plain dissolve
            return crossFade(ramp(t, 0.0, effect));
    }
}

bool slaveMarkerShown(int mechanical, double tMs, double lineMs) {
    if (mechanical == 2 || mechanical == 3) return tMs < SlaveMarkerMs;
    if (mechanical == 4 || mechanical == 5) {
        const double middle = lineMs / 2.0;
        return tMs >= middle && tMs < middle + SlaveMarkerMs;
    }
    return false;
}

}  // namespace

ProjectedLine projectedLine(const ProgramLine& line, int lineIndex) {
    const ProgramLine held = asProjectorHoldsIt(line);
    return {lineIndex, held.slideNumber, held.dissolveTime, held.timerTime, held.specialFunction};
}

Projection projectAt(const ProjectionInput& input) {
    const ProjectedLine& line = input.line;
    const LineTiming timing = lineTiming(line.specialFunction, line.dissolveTenths, line.timerTenths);
    const double effect = static_cast<double>(timing.effectTenths);
    double t = static_cast<double>(std::max<std::int64_t>(0, input.elapsedMs)) / 100.0;
    if (input.atPause) t = std::max(t, effect);  // the line stands with its effect done

    const SpecialFunctionParts parts = splitSpecialFunction(line.specialFunction);
    Lights lights{};
    if (input.trayReturning) {
        // The tray runs back: the last picture goes out over the dissolve, then dark.
        lights = {1.0 - ramp(t, 0.0, line.dissolveTenths), 0.0};
    } else {
        lights = effectLights(parts.light, parts.parameter, t, effect, line.dissolveTenths);
    }

    Projection projection;
    projection.before = {input.previousSlide, input.previousLineIndex,
                         input.previousSlide != 0 ? lights.before : 0.0};
    if (input.trayReturning) {
        projection.after = {0, line.lineIndex, 0.0};
    } else {
        projection.after = {line.slide, line.lineIndex, line.slide != 0 ? lights.after : 0.0};
    }
    projection.mix = ramp(t, 0.0, effect);
    const double lineMs = (effect + static_cast<double>(timing.timerTenths)) * 100.0;
    projection.slaveMarker = slaveMarkerShown(parts.mechanical, t * 100.0, lineMs);
    return projection;
}

bool looksAlike(const Projection& a, const Projection& b) {
    const auto sameLayer = [](const ProjectionLayer& x, const ProjectionLayer& y) {
        return x.slide == y.slide && x.lineIndex == y.lineIndex && x.brightness == y.brightness;
    };
    return sameLayer(a.before, b.before) && sameLayer(a.after, b.after) && a.mix == b.mix &&
           a.slaveMarker == b.slaveMarker;
}

}  // namespace vistrel
