#pragma once
// The magazine plan of a show, laid out once for a printer: for each slot from 1 to the
// highest slide the show uses, its number, the picture of the slide, the description
// of the first line that shows it and how many lines show it ("leer" for a slot no line
// uses), a magazine to a page or more. The window's "Magazinplan drucken..." and
// `vistrel-cli magazine` print it alike.
#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

#include "print/MagazineLayout.h"
#include "print/PrintPictures.h"
#include "print/ShowPrintout.h"

class QPainter;
class QPagedPaintDevice;
class QPageSize;

namespace vistrel {
class CVistrelDoc;
}

namespace vistrel::print {

class MagazinePlan {
public:
    struct Slot {
        QString description;  // of the first line showing the slide, shortened to the slot
        int lines = 0;        // how many lines show it; 0: the slot is empty
    };

    // `pictureFolder` empty: the plan without pictures.
    MagazinePlan(const CVistrelDoc& doc, int slotsPerMagazine,
                 const std::optional<std::filesystem::path>& pictureFolder, const PrintDevice& device);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    // Draws page `index` (0-based); the painter must be in twips.
    void paintPage(QPainter& painter, int index) const;

    const std::vector<MagazinePage>& pages() const { return pages_; }
    const Slot& slot(int number) const { return slots_[static_cast<std::size_t>(number)]; }

private:
    QString countText(int lines) const;

    PrintFonts fonts_;
    int pageWidth_ = 0;
    int pageHeight_ = 0;
    std::vector<Slot> slots_;  // by slide number; entry 0 unused
    std::vector<MagazinePage> pages_;
    PrintPictures pictures_;
    QString title_;
    QString documentLine_;
};

// Every page of `plan` onto `device`. False when the device cannot be painted on.
bool printMagazinePlan(QPagedPaintDevice& device, const MagazinePlan& plan);

// The PDF of `vistrel-cli magazine`, written as `print` writes its PDF.
bool writeMagazinePdf(const QString& path, const CVistrelDoc& doc, int slotsPerMagazine,
                      const std::optional<std::filesystem::path>& pictureFolder, const QPageSize& pageSize,
                      int* pagesPrinted = nullptr);

}  // namespace vistrel::print
