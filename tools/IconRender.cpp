// icon-render: rasterises the program's icon for the desktop's icon theme.
//   icon-render ICON.svg NAME OUT_DIR SIZE...
// writes OUT_DIR/<SIZE>x<SIZE>/apps/NAME.png for each size. Each size is drawn from the
// vector source, not scaled from a larger picture, so small icons keep sharp edges.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 5) {
        std::fprintf(stderr, "usage: icon-render ICON.svg NAME OUT_DIR SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "icon-render: %s is not valid SVG\n", qPrintable(arguments[1]));
        return 1;
    }
    const QString& name = arguments[2];
    const QDir outDir(arguments[3]);
    for (qsizetype i = 4; i < arguments.size(); ++i) {
        bool valid = false;
        const int size = arguments[i].toInt(&valid);
        if (!valid || size <= 0) {
            std::fprintf(stderr, "icon-render: %s is not a size\n", qPrintable(arguments[i]));
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        if (!outDir.mkpath(folder) || !image.save(outDir.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png")))) {
            std::fprintf(stderr, "icon-render: cannot write %s in %s\n", qPrintable(folder), qPrintable(outDir.path()));
            return 1;
        }
    }
    return 0;
}
