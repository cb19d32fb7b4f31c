#pragma once
// "Bilder prüfen" and `vistrel-cli pictures`: which lines of a show find a picture in
// its picture folder, which slides have none, and which picture files stand for no
// slide of the show. Worked out once here; the window's message and the command
// line's lines and JSON only present it.
#include <filesystem>
#include <string>
#include <vector>

namespace vistrel {

class CVistrelDoc;

struct PictureCheck {
    struct Line {
        int line;  // 1-based
        int slide;
        std::string file;  // the picture's file name; empty for none and for slide 0
    };
    std::filesystem::path folder;
    bool folderReadable = false;
    std::vector<Line> lines;
    // Picture files, in byte order of names, that are the picture of no slide of the
    // show: those for slides the show does not use, a second file for a slide, files
    // whose names stand for no slide (slide 0 included).
    std::vector<std::string> unused;
    // Over the distinct slide numbers other than 0 that the show uses.
    int slides = 0;
    int withPicture = 0;
    std::vector<int> slidesWithout;  // ascending
};

PictureCheck checkPictures(const CVistrelDoc& doc, const std::filesystem::path& folder);

// "Der Bilderordner ... kann nicht gelesen werden." for a folder that could not be
// listed; empty when it could.
std::string pictureFolderProblem(const PictureCheck& check);

// "12 von 15 Dias haben ein Bild; ohne Bild: 4, 9, 13." and, when there are any, the
// unused files on a line of their own. Long lists are cut after `listLimit` entries
// with the number of the rest, so that the message stays readable.
std::string pictureCheckMessage(const PictureCheck& check, std::size_t listLimit = 40);

}  // namespace vistrel
