// vistrel-demo: writes the demo show and draws its pictures into a folder of the build,
// the show as FOLDER/Willkommen.dpd and its pictures as FOLDER/Willkommen/NNN.jpg, where
// the rehearsal looks for them without being told, and its music as FOLDER/Willkommen.ogg.
//
//   vistrel-demo FOLDER
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <string>

#include "demo/DemoMusic.h"
#include "demo/DemoPictures.h"
#include "demo/DemoShow.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // fonts for the numbers and captions
    if (argc != 2) {
        std::fprintf(stderr, "usage: vistrel-demo FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString pictures = folder.filePath(QStringLiteral("Willkommen"));
    if (!QDir().mkpath(pictures)) {
        std::fprintf(stderr, "vistrel-demo: cannot create %s\n", qPrintable(pictures));
        return 1;
    }
    std::string error;
    const QString show = folder.filePath(QStringLiteral("Willkommen.dpd"));
    if (!vistrel::demo::writeDemoShow(show.toStdString(), error)) {
        std::fprintf(stderr, "vistrel-demo: %s: %s\n", qPrintable(show), error.c_str());
        return 1;
    }
    for (const vistrel::demo::DemoLine& line : vistrel::demo::demoLines()) {
        const QImage image = vistrel::demo::drawDemoPicture(line.slide, QString::fromUtf8(line.description),
                                                            QSize(1280, 720));
        const QString file = QDir(pictures).filePath(QString::asprintf("%03d.jpg", line.slide));
        QImageWriter writer(file, "jpeg");
        writer.setQuality(88);
        if (!writer.write(image)) {
            std::fprintf(stderr, "vistrel-demo: %s: %s\n", qPrintable(file), qPrintable(writer.errorString()));
            return 1;
        }
    }
    const QString music = folder.filePath(QStringLiteral("Willkommen.ogg"));
    if (!vistrel::demo::writeDemoMusic(music.toStdString(), error)) {
        std::fprintf(stderr, "vistrel-demo: %s: %s\n", qPrintable(music), error.c_str());
        return 1;
    }
    return 0;
}
