#include "model/SpecialFunction.h"

#include <string>

#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"

namespace vistrel {

SpecialFunctionParts splitSpecialFunction(int code) { return {code / 100, (code % 100) / 10, code % 10}; }

std::string formatSpecialFunction(int code, std::string_view callerText) {
    if (code == 0) return {};
    const std::string unknown = res::text(ids::SfUnknown);
    // Neither the editor nor the file format produce negative codes; they are not one
    // of ours, so they say so instead of showing a half-understood text.
    if (code < 0) return unknown;

    const auto [mechanical, light, parameter] = splitSpecialFunction(code);
    std::string text(callerText);
    bool mechanicalTextPresent = false;
    if (mechanical >= MechanicalFunctionCount) return unknown;
    if (mechanical >= 1) {
        text = res::text(ids::MechanicalDisplayBase + mechanical);
        mechanicalTextPresent = true;
    }

    switch (light) {
        case 0:
            return text;
        case 1:
        case 2: {
            // "* Sek. einblenden": the star stands for the number of seconds.
            std::string pattern = res::text(ids::LightDisplayBase + light);
            const auto star = pattern.find('*');
            if (star != std::string::npos) pattern.replace(star, 1, std::to_string(parameter));
            return pattern;
        }
        case 3:
        case 4:
        case 5:
            return std::to_string(parameter) + res::text(ids::LightDisplayBase + light);
        case 6:
            if (mechanicalTextPresent) return text + " + " + res::text(ids::LightDisplayBase + 6);
            return res::text(ids::LightDisplayBase + 6);
        case 7:
            if (mechanicalTextPresent) return text + " - " + res::text(ids::LightDisplayBase + 7);
            return res::text(ids::LightDisplayBase + 7);
        default:
            return unknown;
    }
}

ComposedSpecialFunction composeSpecialFunction(int mechanical, int light, int parameter) {
    if (parameter < 0 || parameter > 9) return {0, "", false};
    if (mechanical != 0) {
        parameter = 0;
        // The editor offers nothing else with a mechanical function; keep the code
        // one the projector knows even if a caller asks for more.
        if (light != 0 && light != 6 && light != 7) light = 0;
    } else if (light >= 1 && light <= 5) {
        if (parameter == 0) parameter = 1;
    } else {
        parameter = 0;
    }
    const int code = mechanical * 100 + light * 10 + parameter;
    return {code, std::to_string(mechanical) + std::to_string(light) + std::to_string(parameter), true};
}

bool isPauseLine(const ProgramLine& line) { return line.timerTime == 0 || line.specialFunction % 100 == 70; }

std::string mechanicalListText(int mechanical) {
    if (mechanical < 0 || mechanical >= MechanicalFunctionCount) return {};
    return res::text(ids::MechanicalListBase + mechanical);
}

std::string lightListText(int light) {
    if (light < 0 || light >= LightFunctionCount) return {};
    return res::text(ids::LightListBase + light);
}

}  // namespace vistrel
