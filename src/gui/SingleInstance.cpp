#include "SingleInstance.h"

#include "app/HandOver.h"
#include "platform/FileSystem.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace quorvex {

TInstanceServer::TInstanceServer(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) return;
                const int n = ParseHandOverMessage(socket->readLine(16));
                socket->write("ok\n");
                socket->flush();
                if (n >= 0) emit HandOver(n);
            });
        }
    });
}

bool TInstanceServer::Listen(const QString& name)
{
    if (m_server->listen(name)) return true;
    // A socket left behind by a copy that crashed: nobody answers on it.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(200)) return false;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

bool HandToRunningInstance(const QString& name, const std::vector<std::string>& params)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(2000)) return false;
    const int n = params.empty() ? 0 : WriteHandOverFile(params, TempFolder());
    socket.write(HandOverMessage(n));
    socket.flush();
    socket.waitForBytesWritten(1000);
    socket.waitForReadyRead(2000); // the running copy has the message once it answers
    socket.disconnectFromServer();
    return true;
}

} // namespace quorvex
