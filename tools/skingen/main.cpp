#include "SkinArt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

// skingen <output folder>: writes every skin picture as PNG below the folder
// and a resource file skin.qrc listing them under the prefix /skin.
int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "skingen: cannot create %s\n", argv[1]);
        return 1;
    }
    QString missingFont;
    if (!SkinFontsAvailable(&missingFont)) {
        std::fprintf(stderr, "skingen: font \"%s\" is not installed (Debian: fonts-noto-cjk, fonts-dejavu-core)\n",
                     qPrintable(missingFont));
        return 1;
    }
    QString qrc = QStringLiteral("<RCC>\n  <qresource prefix=\"/skin\">\n");
    for (const SkinArtItem& item : AllSkinArt()) {
        const QString file = item.name + QStringLiteral(".png");
        QDir().mkpath(QFileInfo(out.filePath(file)).path());
        const QImage image = item.draw();
        if (image.isNull() || !image.save(out.filePath(file), "PNG")) {
            std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(file));
            return 1;
        }
        qrc += QStringLiteral("    <file>") + file + QStringLiteral("</file>\n");
    }
    qrc += QStringLiteral("  </qresource>\n</RCC>\n");
    QFile f(out.filePath(QStringLiteral("skin.qrc")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "skingen: cannot write skin.qrc\n");
        return 1;
    }
    f.write(qrc.toUtf8());
    return 0;
}
