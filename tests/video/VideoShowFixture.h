#pragma once
// A small show for the video tests, made on the spot: a show file of given lines and a
// folder of flat-coloured pictures, one colour per slide, so that a frame's colour
// tells which slide it shows and how far a dissolve has gone.
#include <QColor>
#include <QImage>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/media/SoundFiles.h"

namespace vistrel::test {

struct ShowRow {
    int slide;
    int dissolveTenths;
    int timerTenths;
    int code = 0;
    std::string description = {};
};

using media::test::readWholeText;
using media::test::temporaryFileIn;

class VideoShowFixture {
public:
    // `colours`: slide number → its picture's colour (0xRRGGBB).
    VideoShowFixture(const std::vector<ShowRow>& rows, const std::map<int, unsigned>& colours) {
        std::filesystem::create_directories(pictures());
        for (const auto& [slide, rgb] : colours) {
            QImage picture(160, 90, QImage::Format_RGB32);
            picture.fill(QColor::fromRgb(rgb));
            picture.save(QString::fromStdString((pictures() / (std::to_string(slide) + ".png")).string()));
        }
        std::ofstream show(showFile(), std::ios::binary);
        show << "/h1 Testschau\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n";
        int number = 1;
        for (const ShowRow& row : rows) {
            char line[128];
            std::snprintf(line, sizeof line, "/p %03d %03d /d %03d /t %04d /s %03d ", number++, row.slide,
                          row.dissolveTenths, row.timerTenths, row.code);
            show << line;
            if (!row.description.empty()) show << "/c " << row.description;
            show << "\r\n";
        }
    }

    std::filesystem::path folder() const { return scratch_.path(); }
    std::filesystem::path pictures() const { return scratch_.path() / "Bilder"; }
    std::string showFile() const { return scratch_.file("Testschau.dpd"); }
    std::string file(const std::string& name) const { return scratch_.file(name); }

private:
    media::test::ScratchFolder scratch_;
};

}  // namespace vistrel::test
