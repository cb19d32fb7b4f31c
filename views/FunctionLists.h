#pragma once
// The special function's controls of the line editor: the two selection lists
// ("Mechanische Funktion", "Lichtfunktion") and the parameter's field, slider and unit
// label. Beside a mechanical function the light list offers only the three light
// functions that combine with it; the parameter can be entered exactly for the light
// functions that take one (seconds for fade-in and freeze, a count for blink, flash
// and rock). Which item stands for which light function lives here too.
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace vistrel {

class FunctionLists {
public:
    FunctionLists(QComboBox& mechanical, QComboBox& light, QLineEdit& parameter, QSlider& parameterSlider,
                  QLabel& parameterLabel);

    // The full list of eight light functions, or the short one of three; the item that
    // was selected stays selected where the other list has it.
    void useShortLightList(bool shortList);
    // Field and slider enabled, and the unit label, for this combination.
    void showParameterFor(int mechanical, int light);

    // The light function light-list item `item` stands for beside `mechanical`.
    static int lightOfItem(int mechanical, int item);
    // The item that shows `light` beside `mechanical` (0 where the list has none for it
    // beside a mechanical function, -1 where the full list has none).
    static int itemOfLight(int mechanical, int light);
    static bool takesParameter(int mechanical, int light);

private:
    QComboBox& mechanical_;
    QComboBox& light_;
    QLineEdit& parameter_;
    QSlider& parameterSlider_;
    QLabel& parameterLabel_;
};

}  // namespace vistrel
