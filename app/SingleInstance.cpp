#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace vistrel {

SingleInstance::SingleInstance(const QString& configFolder, QObject* parent)
    : QObject(parent), name_(serverName(configFolder)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& configFolder) {
    const QByteArray folder = QDir(configFolder).absolutePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16);
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QStringLiteral("user");
    return QStringLiteral("vistrel-%1-%2").arg(user, QString::fromLatin1(hash));
}

bool SingleInstance::handOver(const QString& path, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    // One path per connection, UTF-8, closed by a line end.
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    // The running program answers once it has taken the path.
    if (!socket.waitForReadyRead(timeoutMs)) return false;
    return socket.readAll().startsWith("ok");
}

bool SingleInstance::listen(std::function<void(const QString& path)> openFile) {
    openFile_ = std::move(openFile);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A name left behind by a program that crashed: take it over. A program that
        // still runs answers, and then this one simply does not receive hand-overs.
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(300)) return false;
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::readPath);
    return true;
}

void SingleInstance::readPath() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            const QString path = QString::fromUtf8(socket->readLine()).trimmed();
            // Answer first: the sender must not wait while a message box asks something.
            socket->write("ok\n");
            socket->flush();
            // Opened once this signal has returned: a message box about the file runs the
            // event loop, in which the sender's going away would delete this socket while
            // it is still emitting.
            if (!path.isEmpty() && openFile_) {
                QTimer::singleShot(0, this, [this, path] { openFile_(path); });
            }
        });
    }
}

}  // namespace vistrel
