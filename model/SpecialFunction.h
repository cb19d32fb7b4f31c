#pragma once
// The special-function code of a program line: three decimal digits read as the
// mechanical function (hundreds), the light function (tens) and a parameter (units).
// The code travels unchanged through files and the projector; here it is taken
// apart, put together by the line editor's rules and rendered as German text.
#include <string>
#include <string_view>

#include "model/ProgramLine.h"

namespace vistrel {

enum class MechanicalFunction {
    None,
    Autoreverse,
    SlaveAtStart,
    SlaveAtStartAutoreverse,
    SlaveInMiddle,
    SlaveInMiddleAutoreverse
};

enum class LightFunction { NormalDissolve, FadeIn, Freeze, Blink, Flash, Rock, FadeOutIn, FadeOutInPause };

constexpr int MechanicalFunctionCount = 6;
constexpr int LightFunctionCount = 8;

struct SpecialFunctionParts {
    int mechanical;
    int light;
    int parameter;
};

// mechanical = code / 100, light = (code mod 100) / 10, parameter = code mod 10.
SpecialFunctionParts splitSpecialFunction(int code);

// The display text of `code` (UTF-8). `callerText` is what the caller shows now (the
// list passes the code's digits); it is kept where the code adds nothing of its own,
// such as codes 1..9, so the number stays visible. Code 0 gives the empty text.
std::string formatSpecialFunction(int code, std::string_view callerText);

struct ComposedSpecialFunction {
    int code;
    std::string codeText;  // the three digits mechanical, light, parameter ("033", "160")
    bool valid = true;     // false: the parameter was outside 0..9 and nothing was composed
};

// The code the line editor makes of its two selection lists and parameter field,
// with the combination rules applied: a mechanical function allows only a plain
// dissolve or the two fade-out/in functions and no parameter; the timed and counted
// light functions need a parameter of at least 1; the others take none.
ComposedSpecialFunction composeSpecialFunction(int mechanical, int light, int parameter);

// The projector waits at this line: timer 0, or fade-out/in with pause and no parameter.
bool isPauseLine(const ProgramLine& line);

// Texts of the line editor's selection lists, index = value (UTF-8).
std::string mechanicalListText(int mechanical);
std::string lightListText(int light);

}  // namespace vistrel
