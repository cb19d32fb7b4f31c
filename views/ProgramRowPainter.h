#pragma once
// Paints one row of the program list as the program has always drawn it: the highlight
// across the whole row, each cell text shortened with "..." where it does not fit,
// special-function codes as text, short timers in red and pause timers in blue, a grey
// "Diaschauende" bar for a line without a slide, and the focus frame. The list hands
// each row to it; it knows nothing of selections or mouse clicks.
#include <QFont>
#include <QPalette>
#include <QRect>
#include <array>

class QPainter;

namespace vistrel {

class CVistrelDoc;
class ProgramListModel;
struct Settings;

class ProgramRowPainter {
public:
    // Where the six columns stand in the list's viewport.
    struct Columns {
        std::array<int, 6> left{};
        std::array<int, 6> width{};
        int viewportWidth = 0;
    };
    struct RowState {
        bool highlighted = false;  // selected
        bool focusFrame = false;   // the current row of a list that has the focus
    };

    ProgramRowPainter(const ProgramListModel& model, const CVistrelDoc& doc, const Settings& settings)
        : model_(model), doc_(doc), settings_(settings) {}

    // `rowBand` is the row's full band (the viewport's width); `clientWidthSelect`
    // carries the highlight past the last column to the viewport's edge.
    void paint(QPainter& painter, int row, const QRect& rowBand, const Columns& columns, RowState state,
               const QFont& font, const QPalette& palette, bool clientWidthSelect) const;

private:
    void paintEndOfShow(QPainter& painter, int row, const QRect& rowBand, const Columns& columns, bool highlighted,
                        const QFont& font, const QPalette& palette) const;

    const ProgramListModel& model_;
    const CVistrelDoc& doc_;
    const Settings& settings_;
};

}  // namespace vistrel
