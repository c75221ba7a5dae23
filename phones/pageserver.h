#pragma once

#include <QAbstractHttpServer>

// The page of the phones, from the program's own resources and nothing
// else: three fixed addresses, GET only.
class PageServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    using QAbstractHttpServer::QAbstractHttpServer;

    // The WebSocket's address; any other upgrade is closed.
    static QString followPath();

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;
};
