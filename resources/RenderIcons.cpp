// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's SVG icons to PNG files at the sizes the windows use, at build time, so
// that the program itself loads no SVG renderer or image-format plugin to show them.
//
// Usage: render_icons <output folder> <svg file>... ; writes <output folder>/<size>/<name>.png
// for every size of IconSizes and fails, naming the file, when an icon cannot be read or
// written.

#include "platform/Icons.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    // No display is needed: the text of an icon is laid out with the font database alone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_icons <output folder> <svg file>...\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const QString source = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(source);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "render_icons: %s is not a readable SVG file\n", argv[i]);
            return 1;
        }
        for (int size : IconSizes) {
            // As an SVG icon is drawn at that size: the picture fitted into the square, keeping
            // its proportions, on transparency.
            QSize pixels = renderer.defaultSize();
            pixels.scale(size, size, Qt::KeepAspectRatio);
            QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter painter(&image);
                renderer.render(&painter);
            }
            const QString folder = output.filePath(QString::number(size));
            const QString target =
                QDir(folder).filePath(QFileInfo(source).completeBaseName() + ".png");
            if (!QDir().mkpath(folder) || !image.save(target, "PNG")) {
                std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(target));
                return 1;
            }
        }
    }
    return 0;
}
