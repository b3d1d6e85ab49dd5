// output.h — what the picture tools share: where they paint, and writing a picture.
#pragma once

#include <QDir>
#include <QImage>

#include <cstdio>

// Painting needs no display: the offscreen platform unless another is asked for.
// Call before the QGuiApplication is made.
inline void paintOffscreen()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The folder named by the tool's one argument, created when missing. Returns
// the exit status to end with, or 0 to go on.
inline int outputFolder(int argc, char **argv, const char *tool, QDir &out)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", tool);
        return 2;
    }
    out = QDir(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "%s: cannot create %s\n", tool, argv[1]);
        return 1;
    }
    return 0;
}

// Writes a PNG and names it on stdout; false, said on stderr, when it cannot.
inline bool savePicture(const QImage &image, const QString &file, const char *tool)
{
    if (!image.save(file, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", tool, qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}
