// vistrel-icons: renders the program icon (an SVG file) into the PNG sizes the desktop's
// icon theme asks for, at build time, so that no image tool is needed to make a package.
//   vistrel-icons SVG OUTFOLDER SIZE...   writes OUTFOLDER/<SIZE>x<SIZE>/vistrel.png
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

// One square picture of the icon at `size` pixels, transparent around the drawing.
QImage renderedIcon(QSvgRenderer& svg, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: vistrel-icons SVG OUTFOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "vistrel-icons: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString outFolder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "vistrel-icons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString folder = outFolder + QStringLiteral("/%1x%1").arg(size);
        const QString file = folder + QStringLiteral("/vistrel.png");
        if (!QDir().mkpath(folder) || !renderedIcon(svg, size).save(file, "PNG")) {
            std::fprintf(stderr, "vistrel-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
