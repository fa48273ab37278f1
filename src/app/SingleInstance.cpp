#include "app/SingleInstance.h"

#include "platform/RuntimeFolder.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_lockPath(GetRuntimeFolder() + name + ".lock"),
      m_socketPath(GetRuntimeFolder() + name + ".socket") {}

SingleInstance::~SingleInstance() = default;

QStringList SingleInstance::cutArguments(const QStringList& arguments) {
    QStringList cut;
    for (const QString& argument : arguments.mid(0, kMaxArguments))
        cut.append(argument.left(kMaxArgumentLength));
    return cut;
}

bool SingleInstance::claim() {
    auto lock = std::make_unique<QLockFile>(m_lockPath);
    // A lock left by a process that died is taken over by its PID check.
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    m_server->listen(m_socketPath);
    return true;
}

bool SingleInstance::handOver(const QStringList& arguments, int timeoutMs) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << cutArguments(arguments);
    QElapsedTimer clock;
    clock.start();
    // The running instance may still be starting and not listen yet.
    while (clock.elapsed() < timeoutMs) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(500)) {
            socket.write(payload);
            if (!socket.waitForBytesWritten(timeoutMs))
                return false;
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(timeoutMs);
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::acceptConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, socket,
                [socket, buffer] { *buffer += socket->readAll(); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            socket->deleteLater();
            QStringList params;
            QDataStream stream(*buffer);
            stream >> params;
            if (stream.status() == QDataStream::Ok)
                emit InstanceStarted(cutArguments(params));
        });
    }
}
