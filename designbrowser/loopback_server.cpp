// The design browser's own HTTP server on 127.0.0.1.
#include "loopback_server.h"

#include <QHttpServerRequest>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace vesweb {

// Takes the connections for the HTTP server, as many as it may hold, each
// with a deadline for its next answer, and counts what each sends between
// two of our answers, which is one request (the browser does not pipeline):
// a connection whose request outgrows the limit is closed before the HTTP
// server has gathered it all.
class LoopbackServer::Connections : public QTcpServer {
public:
    Connections(int maxConnections, int idleMs, QObject *parent)
        : QTcpServer(parent), m_max(maxConnections), m_idleMs(idleMs)
    {
    }
    int open() const { return m_open; }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor) || m_open >= m_max) {
            delete socket; // closes it, before a byte of it is read
            return;
        }
        ++m_open;
        // With `this` as the context, the count is left alone while the
        // server itself goes, taking its connections with it.
        connect(socket, &QObject::destroyed, this, [this] { --m_open; });
        // The HTTP server deletes a connection that closes, but not one
        // that closes while it answers; what a connection holds (the request
        // it was sending, twice over) goes with it either way.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);

        // Reading does not put the deadline off, so a request dribbled in
        // byte by byte meets it too; each answer does.
        auto *deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        deadline->setInterval(m_idleMs);
        connect(deadline, &QTimer::timeout, socket, &QTcpSocket::abort);
        connect(socket, &QTcpSocket::bytesWritten, deadline, qOverload<>(&QTimer::start));
        deadline->start();

        // Connected before the HTTP server's own slot, so it sees each new
        // part before the server reads it.
        auto received = std::make_shared<qint64>(0);
        connect(socket, &QTcpSocket::bytesWritten, socket, [received] { *received = 0; });
        connect(socket, &QTcpSocket::readyRead, socket, [socket, received] {
            *received += socket->bytesAvailable();
            if (*received <= LoopbackServer::kMaxRequest)
                return;
            socket->write("HTTP/1.1 413 Payload Too Large\r\nConnection: close\r\n"
                          "Content-Length: 0\r\n\r\n");
            socket->flush();
            socket->abort();
        });
        addPendingConnection(socket);
    }

private:
    int m_max;
    int m_idleMs;
    int m_open = 0;
};

LoopbackServer::LoopbackServer(int maxConnections, int idleMs)
    : m_tcp(new Connections(maxConnections, idleMs, &m_http))
{
}

int LoopbackServer::openConnections() const { return m_tcp->open(); }

bool LoopbackServer::listen()
{
    if (!m_tcp->listen(QHostAddress::LocalHost, 0))
        return false;
    m_http.bind(m_tcp);
    return true;
}

QUrl LoopbackServer::base() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_tcp->serverPort()));
}

bool LoopbackServer::addressedHere(const QHttpServerRequest &request) const
{
    const QByteArray port = QByteArray::number(m_tcp->serverPort());
    for (const auto &header : request.headers()) {
        if (header.first.compare("host", Qt::CaseInsensitive) != 0)
            continue;
        const QByteArray host = header.second.trimmed().toLower();
        return host == "127.0.0.1:" + port || host == "localhost:" + port;
    }
    return false;
}

QHttpServerResponse LoopbackServer::misdirected()
{
    return QHttpServerResponse(QHttpServerResponder::StatusCode::MisdirectedRequest);
}

} // namespace vesweb
