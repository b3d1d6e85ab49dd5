// The design browser's own HTTP server on 127.0.0.1.
#include "loopback_server.h"

#include <QHttpServerRequest>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

namespace vesweb {

namespace {

// Counts what each connection sends between two of our answers, which is one
// request (the browser does not pipeline), and closes a connection whose
// request outgrows the limit before the HTTP server has gathered it all.
class RequestLimit : public QTcpServer {
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
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
};

} // namespace

LoopbackServer::LoopbackServer() : m_tcp(new RequestLimit(&m_http)) {}

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
