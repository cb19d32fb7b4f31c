#include "app/WindowTitle.h"

namespace vistrel {

namespace {
const QString Placeholder = QStringLiteral("[*]");
}

QString titleWithChangeMark(const QString& name) {
    QString escaped = name;
    escaped.replace(Placeholder, Placeholder + Placeholder);
    return escaped + Placeholder;
}

QString shownTitle(const QString& title, bool modified) {
    // As Qt reads it: of a run of placeholders, an odd one out is the mark (the last of
    // the run); the pairs before it stand for one literal "[*]" each.
    QString shown = title;
    qsizetype index = shown.indexOf(Placeholder);
    while (index != -1) {
        index += Placeholder.size();
        int count = 1;
        while (shown.indexOf(Placeholder, index) == index) {
            ++count;
            index += Placeholder.size();
        }
        if (count % 2) {
            const qsizetype last = index - Placeholder.size();
            shown.replace(last, Placeholder.size(), modified ? QStringLiteral("*") : QString());
            index = last + (modified ? 1 : 0);
        }
        index = shown.indexOf(Placeholder, index);
    }
    shown.replace(Placeholder + Placeholder, Placeholder);
    return shown;
}

}  // namespace vistrel
