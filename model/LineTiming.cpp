#include "model/LineTiming.h"

namespace vistrel {

LineTiming lineTiming(int code, std::int64_t d, std::int64_t t) {
    LineTiming timing;
    timing.timerTenths = t;
    timing.timerPause = t == 0;
    const int mechanical = code >= 0 ? code / 100 : 0;
    timing.autoreverse = mechanical == 1 || mechanical == 3 || mechanical == 5;
    switch (code) {
        case 0: case 200: case 400:
            timing.effectTenths = d;
            return timing;
        case 60: case 260: case 460:
            timing.effectTenths = 2 * d;
            return timing;
        case 70: case 270: case 470:
            timing.effectTenths = 2 * d;
            timing.effectPause = true;
            return timing;
        case 100: case 160: case 300: case 360: case 500: case 560:
            // The tray runs back for the line's dissolve and timer, whatever its light digit.
            timing.effectTenths = d;
            timing.endsCounting = true;
            return timing;
        case 170: case 370: case 570:
            timing.effectTenths = d;
            timing.effectPause = true;
            timing.endsCounting = true;
            return timing;
        default:
            break;
    }
    // Every other code by its light digit; the mechanical digit adds no time.
    const int light = (code % 100) / 10;
    const std::int64_t parameter = code % 10;
    switch (light) {
        case 1: case 2:  // fade in or freeze for P seconds: P seconds and two dissolves
            timing.effectTenths = 10 * parameter + 2 * d;
            break;
        case 3: case 4: case 5:  // blink, flash or rock P times: out and in P times
            timing.effectTenths = 2 * parameter * d;
            break;
        case 6:
            timing.effectTenths = 2 * d;
            break;
        case 7:
            timing.effectTenths = 2 * d;
            timing.effectPause = true;
            break;
        default:  // 0, 8, 9 and negative codes: the projector dissolves as for code 0
            timing.effectTenths = d;
            timing.countedInLength = false;
            break;
    }
    return timing;
}

}  // namespace vistrel
