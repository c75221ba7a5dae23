#include "pageserver.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

namespace {
struct PageFile
{
    QString path;
    QString resource;
    QByteArray type;
};

const PageFile* pageFileAt(const QString& path)
{
    static const PageFile files[] = {
        {u"/"_s, u":/phones/page/index.html"_s, "text/html; charset=utf-8"},
        {u"/numerella.css"_s, u":/phones/page/numerella.css"_s, "text/css; charset=utf-8"},
        {u"/numerella.js"_s, u":/phones/page/numerella.js"_s, "text/javascript; charset=utf-8"},
    };
    for (const PageFile& file : files)
        if (file.path == path)
            return &file;
    return nullptr;
}

QByteArray resourceBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isWebSocketUpgrade(const QHttpServerRequest& request)
{
    return request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
}

// Said, then the socket is closed: a refused phone keeps no place.
void refuse(QHttpServerResponder& responder, QTcpSocket* socket,
            QHttpServerResponder::StatusCode status, const QByteArray& text)
{
    responder.writeStatusLine(status);
    responder.writeHeaders({{"Content-Type", "text/plain; charset=utf-8"},
                            {"Cache-Control", "no-store"},
                            {"Connection", "close"},
                            {"Content-Length", QByteArray::number(text.size())}});
    if (status == QHttpServerResponder::StatusCode::MethodNotAllowed)
        responder.writeHeader("Allow", "GET");
    responder.writeBody(text);
    socket->disconnectFromHost();
}

// Only the page itself opens the WebSocket: another site a player has open
// cannot use the phone to try codes.
bool fromOurPage(const QHttpServerRequest& request)
{
    const QByteArray origin = request.value("origin");
    return origin.isEmpty() || origin == "http://" + request.value("host");
}
} // namespace

QString PageServer::followPath()
{
    return u"/direct"_s;
}

bool PageServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // Answered with nothing, the opening of the WebSocket is left to Qt's
    // WebSocket server; an opening anywhere else is refused.
    if (isWebSocketUpgrade(request))
        return request.url().path() == followPath() && fromOurPage(request);
    QHttpServerResponder responder = makeResponder(request, socket);
    if (request.method() != QHttpServerRequest::Method::Get) {
        refuse(responder, socket, QHttpServerResponder::StatusCode::MethodNotAllowed,
               "Ce serveur ne fait que montrer le tirage.\n");
        return true;
    }
    const PageFile* file = pageFileAt(request.url().path(QUrl::FullyEncoded));
    const QByteArray body = file ? resourceBytes(file->resource) : QByteArray();
    if (body.isEmpty()) {
        refuse(responder, socket, QHttpServerResponder::StatusCode::NotFound,
               "Page introuvable.\n");
        return true;
    }
    responder.write(body, {{"Content-Type", file->type},
                           {"Cache-Control", "no-cache"},
                           {"X-Content-Type-Options", "nosniff"},
                           {"Referrer-Policy", "no-referrer"},
                           {"Content-Security-Policy",
                            "default-src 'self'; connect-src 'self' ws:; img-src 'self' data:; "
                            "frame-ancestors 'none'"}});
    return true;
}

void PageServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    refuse(responder, socket, QHttpServerResponder::StatusCode::NotFound, "Page introuvable.\n");
}
