#include "views/FunctionLists.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "model/SpecialFunction.h"
#include "res/TableText.h"
#include "res/strings/EditorStrings.h"

namespace vistrel {

namespace {

constexpr int FullLightListSize = 8;
// The light functions that take a parameter (fade-in, freeze: seconds; blink, flash, rock: count).
constexpr int FirstParameterLight = 1;
constexpr int LastParameterLight = 5;
// The fade-out/in functions, the last two of the full list and items 1 and 2 of the short one.
constexpr int FirstFadeLight = 6;
constexpr int LastFadeLight = 7;

}  // namespace

FunctionLists::FunctionLists(QComboBox& mechanical, QComboBox& light, QLineEdit& parameter,
                             QSlider& parameterSlider, QLabel& parameterLabel)
    : mechanical_(mechanical),
      light_(light),
      parameter_(parameter),
      parameterSlider_(parameterSlider),
      parameterLabel_(parameterLabel) {
    for (int m = 0; m < MechanicalFunctionCount; ++m)
        mechanical_.addItem(QString::fromStdString(mechanicalListText(m)));
    for (int l = 0; l < LightFunctionCount; ++l) light_.addItem(QString::fromStdString(lightListText(l)));
}

bool FunctionLists::takesParameter(int mechanical, int light) {
    return mechanical == 0 && light >= FirstParameterLight && light <= LastParameterLight;
}

int FunctionLists::lightOfItem(int mechanical, int item) {
    if (mechanical == 0) return item;
    return item <= 0 ? 0 : item + LastParameterLight;
}

int FunctionLists::itemOfLight(int mechanical, int light) {
    if (mechanical != 0) return (light == FirstFadeLight || light == LastFadeLight) ? light - LastParameterLight : 0;
    return light < LightFunctionCount ? light : -1;
}

void FunctionLists::useShortLightList(bool shortList) {
    // The editor reacts to choices of the user, not to the list changing its items.
    const QSignalBlocker quiet(light_);
    if (shortList && light_.count() >= FullLightListSize - 1) {
        // Keep "Normale Ueberblendung" and the two fade-out/in functions, the only
        // light functions a mechanical function combines with.
        const int before = light_.currentIndex();
        for (int i = 0; i < LastParameterLight; ++i) light_.removeItem(FirstParameterLight);
        light_.setCurrentIndex(before > LastParameterLight ? before - LastParameterLight : 0);
    } else if (!shortList && light_.count() < FullLightListSize - 1) {
        const int before = light_.currentIndex();
        for (int light = FirstParameterLight; light <= LastParameterLight; ++light)
            light_.insertItem(light, QString::fromStdString(lightListText(light)));
        light_.setCurrentIndex(before > 0 ? before + LastParameterLight : std::max(before, 0));
    }
}

void FunctionLists::showParameterFor(int mechanical, int light) {
    const bool enabled = takesParameter(mechanical, light);
    parameter_.setEnabled(enabled);
    parameterSlider_.setEnabled(enabled);
    QString label;
    if (mechanical == 0 && (light == 1 || light == 2)) label = tableText(ids::SecondsLabel);
    if (mechanical == 0 && light >= 3 && light <= 5) label = tableText(ids::CountLabel);
    parameterLabel_.setText(label);
}

}  // namespace vistrel
