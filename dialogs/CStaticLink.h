#pragma once
// A text label that looks and acts like a web link: blue and underlined, opened in
// the browser on a click, purple once it has been opened. A failed open only beeps.
#include <QColor>
#include <QLabel>
#include <functional>

namespace vistrel {

class CStaticLink : public QLabel {
    Q_OBJECT

public:
    // Opens an address; true when the system accepted it.
    using Opener = std::function<bool(const QString& address)>;

    explicit CStaticLink(const QString& text, QWidget* parent = nullptr);

    // The address to open; when empty, the label's own text is used.
    QString link;
    QColor unvisitedColor{0, 0, 255};
    QColor visitedColor{128, 0, 128};

    bool visited() const { return visited_; }

    // Tests replace how addresses are opened and how a failure is signalled.
    void setOpener(Opener opener) { opener_ = std::move(opener); }
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    // What a click does.
    void follow();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyColor();

    bool visited_ = false;
    Opener opener_;
    std::function<void()> beep_;
};

}  // namespace vistrel
