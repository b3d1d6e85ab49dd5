// The design browser's own HTTP server on 127.0.0.1: the apply gate's
// endpoint and the catalogue we ship. Any local process can reach a loopback
// port, and a page of any site can reach it by a name of its own that it
// points at 127.0.0.1, so the server answers only requests addressed to it
// by its own address, and cuts off a request that grows past what any of
// ours needs. What it holds for its connections is bounded too: it keeps a
// few open at once, closes one that sends nothing whole for a while, and
// lets go of all a connection brought as soon as it closes.
#pragma once

#include "exchange.h"

#include <QHttpServer>
#include <QUrl>

namespace vesweb {

class LoopbackServer {
public:
    // The largest request: the largest apply form a design may send
    // (kMaxApplyBody) and room for its headers.
    static constexpr qint64 kMaxRequest = kMaxApplyBody + 16 * 1024;
    // The web engine opens six connections to a server at most; more are
    // someone else's, and one beyond these is closed as it comes.
    static constexpr int kMaxConnections = 16;
    // A connection that has had no answer for this long (an idle one, or
    // one whose request comes too slowly to be ours) is closed.
    static constexpr int kIdleMs = 10000;

    explicit LoopbackServer(int maxConnections = kMaxConnections, int idleMs = kIdleMs);
    // Listens on a free port; false when there is none.
    bool listen();
    QHttpServer &http() { return m_http; }
    QUrl base() const; // http://127.0.0.1:port/
    // Connections the server holds now.
    int openConnections() const;

    // Whether the request named this server as its host: 127.0.0.1:port or
    // localhost:port. Every route asks before it answers.
    bool addressedHere(const QHttpServerRequest &request) const;
    // The answer to a request that is not: 421, nothing else.
    static QHttpServerResponse misdirected();

private:
    QHttpServer m_http;
    class Connections;
    Connections *m_tcp; // owned by m_http
};

} // namespace vesweb
