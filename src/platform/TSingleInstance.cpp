#include "TSingleInstance.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {
constexpr int kWaitMs = 2000;
}

TSingleInstance::TSingleInstance(const QString& kitFolder, QObject* parent)
    : QObject(parent), m_name(ServerName(kitFolder))
{}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::ServerName(const QString& kitFolder)
{
    // The same kit reached through a link or with a trailing separator is the same kit.
    QString folder = QFileInfo(kitFolder).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(kitFolder);
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    // The runtime folder belongs to the user alone, so another user's program of the same
    // kit is a program of its own.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/zelmora-") + QString::fromLatin1(hash);
}

bool TSingleInstance::Claim()
{
    // Two starts at the same moment must not both find no server and both listen; the
    // lock file of a killed program is taken over (its process is gone).
    QLockFile lock(m_name + QStringLiteral(".lock"));
    const bool locked = lock.tryLock(kWaitMs);

    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(kWaitMs)) {
        probe.write("front\n");
        probe.waitForBytesWritten(kWaitMs);
        probe.disconnectFromServer();
        return false;
    }
    // Nobody answers: whatever socket is there was left by a program that ended.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (socket->state() != QLocalSocket::ConnectedState)
                socket->deleteLater();
            if (OnActivate)
                OnActivate();
        }
    });
    if (!m_server->listen(m_name)) {
        delete m_server;
        m_server = nullptr;
    }
    (void)locked; // without the lock the start goes on: a stuck lock must not stop it
    return true;
}
