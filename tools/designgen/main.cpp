// designgen: paints every design whose recipe is in a folder (NAME.recipe)
// into its pictures beside it: NAME.vss, NAME.vsr, NAME@2x.vss, NAME@2x.vsr.
#include "output.h"
#include "painter/design_painter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    paintOffscreen();
    QGuiApplication app(argc, argv);
    QDir folder;
    if (const int status = outputFolder(argc, argv, "designgen", folder))
        return status;
    const QStringList recipes = folder.entryList({QStringLiteral("*.recipe")}, QDir::Files);
    if (recipes.isEmpty()) {
        std::fprintf(stderr, "designgen: no recipes (NAME.recipe) in %s\n", argv[1]);
        return 1;
    }
    for (const QString &file : recipes) {
        QFile in(folder.filePath(file));
        QString why;
        const auto recipe =
            in.open(QIODevice::ReadOnly) ? painter::parseRecipe(in.readAll(), &why) : std::nullopt;
        if (!recipe) {
            std::fprintf(stderr, "designgen: %s: %s\n", qPrintable(in.fileName()),
                         qPrintable(why.isEmpty() ? in.errorString() : why));
            return 1;
        }
        const QString name = file.chopped(int(qstrlen(".recipe")));
        for (const vespera::DesignFile &f : painter::paintDesignFiles(*recipe)) {
            if (f.suffix == QLatin1String(".recipe"))
                continue; // the recipe stays as it was written, comments and all
            QFile out(folder.filePath(name + f.suffix));
            if (!out.open(QIODevice::WriteOnly) || out.write(f.bytes) != f.bytes.size()) {
                std::fprintf(stderr, "designgen: cannot write %s\n", qPrintable(out.fileName()));
                return 1;
            }
            std::printf("%s\n", qPrintable(out.fileName()));
        }
    }
    return 0;
}
