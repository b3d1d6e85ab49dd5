// The design browser's own HTTP server on 127.0.0.1: the apply gate's
// endpoint and the catalogue we ship. Any local process can reach a loopback
// port, and a page of any site can reach it by a name of its own that it
// points at 127.0.0.1, so the server answers only requests addressed to it
// by its own address, and cuts off a request that grows past what any of
// ours needs.
#pragma once

#include "exchange.h"

#include <QHttpServer>
#include <QUrl>

class QTcpServer;

namespace vesweb {

class LoopbackServer {
public:
    // The largest request: the largest apply form a design may send
    // (kMaxApplyBody) and room for its headers.
    static constexpr qint64 kMaxRequest = kMaxApplyBody + 16 * 1024;

    LoopbackServer();
    // Listens on a free port; false when there is none.
    bool listen();
    QHttpServer &http() { return m_http; }
    QUrl base() const; // http://127.0.0.1:port/

    // Whether the request named this server as its host: 127.0.0.1:port or
    // localhost:port. Every route asks before it answers.
    bool addressedHere(const QHttpServerRequest &request) const;
    // The answer to a request that is not: 421, nothing else.
    static QHttpServerResponse misdirected();

private:
    QHttpServer m_http;
    QTcpServer *m_tcp; // owned by m_http once bound
};

} // namespace vesweb
