#pragma once
// Shows to print, built line by line, and a paint device that records what a page
// draws (texts with their baselines, rules, the picture's outline) in twips.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextItem>
#include <memory>
#include <string>
#include <vector>

#include "model/CVistrelDoc.h"

namespace vistrel::test {

struct TestShow {
    std::unique_ptr<CVistrelDoc> doc = std::make_unique<CVistrelDoc>();

    TestShow& line(int slide, int dissolve, int timer, int code, const std::string& description = {}) {
        ProgramLine& added = doc->lines[static_cast<std::size_t>(doc->lineCount)];
        added.programNumber = std::to_string(1000 + doc->lineCount + 1).substr(1);
        added.slideNumber = slide;
        added.dissolveTime = dissolve;
        added.timerTime = timer;
        added.specialFunction = code;
        added.description = description;
        ++doc->lineCount;
        return *this;
    }
    TestShow& header(const std::string& title, const std::string& description, const std::string& continued,
                     const std::string& storage, const std::string& module) {
        doc->header.title = title;
        doc->header.description = description;
        doc->header.descriptionContinued = continued;
        doc->header.storageLocation = storage;
        doc->header.moduleNumber = module;
        return *this;
    }
    TestShow& titled(const std::string& windowTitle) {
        doc->windowTitle = windowTitle;
        return *this;
    }
};

class RecordingEngine : public QPaintEngine {
public:
    struct Text {
        QString text;
        QPointF baseline;
    };

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& changed) override {
        if (changed.state() & QPaintEngine::DirtyTransform) transform_ = changed.transform();
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        texts.push_back({item.text(), transform_.map(p)});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) rules.push_back(transform_.map(lines[i]));
    }
    void drawPath(const QPainterPath& path) override { shapes = shapes.united(transform_.map(path).boundingRect()); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i) polygon << points[i];
        shapes = shapes.united(transform_.map(polygon).boundingRect());
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    std::vector<Text> texts;
    std::vector<QLineF> rules;
    QRectF shapes;  // everything drawn that is neither text nor rule (the picture)

private:
    QTransform transform_;
};

// A page of A4 at 1440 dots per inch: one device pixel is one twip.
class RecordingPage : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth: return 11906;
            case PdmHeight: return 16838;
            case PdmWidthMM: return 210;
            case PdmHeightMM: return 297;
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY: return 1440;
            case PdmNumColors: return 256;
            case PdmDepth: return 32;
            case PdmDevicePixelRatio: return 1;
            case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
            default: return 0;
        }
    }
};

}  // namespace vistrel::test
