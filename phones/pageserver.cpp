#include "pageserver.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>

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

void refuse(QHttpServerResponder& responder, QHttpServerResponder::StatusCode status,
            const QByteArray& text)
{
    responder.write(text,
                    {{"Content-Type", "text/plain; charset=utf-8"},
                     {"Allow", "GET"},
                     {"Cache-Control", "no-store"},
                     {"Connection", "close"}},
                    status);
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
        return request.url().path() == followPath();
    QHttpServerResponder responder = makeResponder(request, socket);
    if (request.method() != QHttpServerRequest::Method::Get) {
        refuse(responder, QHttpServerResponder::StatusCode::MethodNotAllowed,
               "Ce serveur ne fait que montrer le tirage.\n");
        return true;
    }
    const PageFile* file = pageFileAt(request.url().path(QUrl::FullyEncoded));
    const QByteArray body = file ? resourceBytes(file->resource) : QByteArray();
    if (body.isEmpty()) {
        refuse(responder, QHttpServerResponder::StatusCode::NotFound, "Page introuvable.\n");
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
    refuse(responder, QHttpServerResponder::StatusCode::NotFound, "Page introuvable.\n");
}
