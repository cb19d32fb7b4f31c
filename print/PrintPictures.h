#pragma once
// The slides' pictures on paper: which slide has a picture file in the show's picture
// folder (the rehearsal's rule, model/PictureFolder) and each picture decoded only when
// its page is drawn, at the printer's resolution but never larger than a small print
// needs, so that a show of 999 pictures prints in little memory.
#include <QRectF>
#include <filesystem>

#include "model/PictureFolder.h"

class QPainter;

namespace vistrel::print {

class PrintPictures {
public:
    // No pictures at all.
    PrintPictures() = default;
    explicit PrintPictures(const std::filesystem::path& folder) : folder_(PictureFolder::scan(folder)) {}

    bool hasPicture(int slide) const { return folder_.pictureOf(slide).has_value(); }

    // Draws the picture of `slide` fitted into `box` (painter coordinates in twips),
    // its shape kept, centred. False when there is none or it cannot be read.
    bool draw(QPainter& painter, int slide, const QRectF& box) const;

private:
    PictureFolder folder_;
};

}  // namespace vistrel::print
