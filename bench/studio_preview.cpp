// How long the studio's live preview takes to redraw: for each shipped
// recipe, the preview fetched from a loopback server like the browser's,
// over a real connection (the request, the painting, the PNG), many times.
//   studio_preview DESIGNS_FOLDER [ROUNDS]
// One row per recipe on stdout: median and slowest milliseconds, and the
// painting alone; the studio's goal is a redraw within 100 ms.
#include "designbrowser/catalogue_site.h"
#include "designbrowser/loopback_server.h"
#include "designbrowser/studio.h"
#include "painter/recipe.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// One GET to the server in this process, answered by this event loop.
QByteArray fetch(quint16 port, const QByteArray &path)
{
    QTcpSocket socket;
    QByteArray answer;
    QEventLoop loop;
    // Until the whole answer is in, by its length, or the server closes.
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
        answer += socket.readAll();
        const int end = answer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray &line : answer.left(end).split('\n')) {
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        }
        if (answer.size() >= end + 4 + length)
            loop.quit();
    });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port)
                 + "\r\nConnection: close\r\n\r\n");
    loop.exec();
    return answer;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: studio_preview DESIGNS_FOLDER [ROUNDS]\n");
        return 2;
    }
    const QDir designs(QString::fromLocal8Bit(argv[1]));
    const int rounds = argc > 2 ? std::max(3, atoi(argv[2])) : 30;
    vesweb::LoopbackServer server;
    if (!server.listen())
        return 1;
    vesweb::CatalogueSite site(server, QStringLiteral("http://apply.invalid/"), {designs.path()});
    const quint16 port = quint16(server.base().port());

    std::printf("%-10s %10s %10s %10s\n", "recipe", "median_ms", "max_ms", "paint_ms");
    for (const QString &file : designs.entryList({"*.recipe"}, QDir::Files)) {
        QFile in(designs.filePath(file));
        in.open(QIODevice::ReadOnly);
        const auto recipe = painter::parseRecipe(in.readAll());
        if (!recipe)
            continue;
        const QByteArray path = "/studio/preview.png?r=" + painter::recipeField(*recipe).toLatin1();
        std::vector<double> whole, paint;
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer t;
            t.start();
            const QByteArray answer = fetch(port, path);
            whole.push_back(t.nsecsElapsed() / 1e6);
            if (!answer.startsWith("HTTP/1.1 200")) {
                std::fprintf(stderr, "%s: no preview\n", qPrintable(file));
                return 1;
            }
            t.restart();
            vesweb::studioPreviewPng(*recipe);
            paint.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("%-10s %10.1f %10.1f %10.1f\n", qPrintable(file.chopped(7)), median(whole),
                    *std::max_element(whole.begin(), whole.end()), median(paint));
    }
    return 0;
}
