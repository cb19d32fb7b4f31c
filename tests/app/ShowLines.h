#pragma once
// Fills a show window's document with lines, as typing them in would, for the tests
// that run a show from the window program.
#include <QString>
#include <string>

#include "model/CVistrelDoc.h"

namespace vistrel::test {

struct ShowLine {
    int slide, dissolve, timer, code;
    const char* text;  // UTF-8; kept in the document as Windows-1252
};

// Appends `lines` with all change marks set and lets the list fill itself.
template <class Lines>
void appendShowLines(CVistrelDoc& doc, const Lines& lines) {
    for (const ShowLine& l : lines) {
        ProgramLine& line = doc.lines[static_cast<std::size_t>(doc.lineCount)];
        line.programNumber = QStringLiteral("%1").arg(doc.lineCount + 1, 3, 10, QLatin1Char('0')).toStdString();
        line.slideNumber = l.slide;
        line.dissolveTime = l.dissolve;
        line.timerTime = l.timer;
        line.specialFunction = l.code;
        line.description = QString::fromUtf8(l.text).toLatin1().toStdString();
        line.changeMarks = AllChangeMarks;
        ++doc.lineCount;
    }
    doc.linesReplaced(CVistrelDoc::Replaced::ReadIn);
}

}  // namespace vistrel::test
