// One instance per user over a local socket.
#include "SingleInstance.h"

#include "CommandLine.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {

// How long a start waits for the running instance to answer; a stale socket answers at once.
constexpr int HandOverWaitMs = 800;
// The largest request a start may send: a long list of file names, never more.
constexpr qint64 MaxRequestBytes = 1 << 20;
// The running instance's one-byte answer: the request is taken.
constexpr char Taken = 'k';

const char* kindName(InstanceRequest::Kind kind)
{
    switch (kind) {
    case InstanceRequest::Kind::Show:
        return "show";
    case InstanceRequest::Kind::Popup:
        return "popup";
    default:
        return "open";
    }
}

} // namespace

QByteArray InstanceRequest::encode() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << QString::fromLatin1(kindName(kind)) << files;
    QByteArray framed;
    QDataStream frame(&framed, QIODevice::WriteOnly);
    frame << bytes;
    return framed;
}

std::optional<InstanceRequest> InstanceRequest::decode(const QByteArray& bytes)
{
    QDataStream stream(bytes);
    QString kind;
    InstanceRequest request;
    stream >> kind >> request.files;
    if (stream.status() != QDataStream::Ok) {
        return std::nullopt;
    }
    for (Kind known : {Kind::Open, Kind::Show, Kind::Popup}) {
        if (kind == QLatin1String(kindName(known))) {
            request.kind = known;
            return request;
        }
    }
    return std::nullopt;
}

QString SingleInstance::socketPath()
{
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return {};
    }
    return QDir(folder).filePath(QStringLiteral("quendra.socket"));
}

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent)
{ }

SingleInstance::~SingleInstance() = default;

InstanceRequest SingleInstance::requestOf(const CommandLine& command)
{
    InstanceRequest request;
    if (command.popup) {
        request.kind = InstanceRequest::Kind::Popup;
    } else if (command.show) {
        request.kind = InstanceRequest::Kind::Show;
    }
    for (const QString& file : command.arguments) {
        request.files += QFileInfo(file).absoluteFilePath();
    }
    return request;
}

bool SingleInstance::handOver(const InstanceRequest& request)
{
    const QString path = socketPath();
    if (path.isEmpty()) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(HandOverWaitMs)) {
        return false;
    }
    socket.write(request.encode());
    if (!socket.waitForBytesWritten(HandOverWaitMs)) {
        return false;
    }
    // Wait for the answer so a request is never lost to an instance that is just closing.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(HandOverWaitMs)) {
            return false;
        }
    }
    return socket.read(1) == QByteArray(1, Taken);
}

bool SingleInstance::listen()
{
    const QString path = socketPath();
    if (path.isEmpty()) {
        return false;
    }
    m_server = new QLocalServer(this);
    // Only the user's own processes may connect.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        // Nothing answered handOver, so a socket file there is stale: a killed instance's.
        QLocalServer::removeServer(path);
        if (!m_server->listen(path)) {
            delete m_server;
            m_server = nullptr;
            return false;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
    return true;
}

void SingleInstance::serve()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A peer that connects and sends nothing is dropped.
        QTimer::singleShot(5000, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > MaxRequestBytes) {
                socket->abort();
                return;
            }
            QDataStream stream(socket);
            stream.startTransaction();
            QByteArray bytes;
            stream >> bytes;
            if (!stream.commitTransaction()) {
                return; // more to come
            }
            const std::optional<InstanceRequest> request = InstanceRequest::decode(bytes);
            if (!request) {
                socket->abort();
                return;
            }
            socket->write(QByteArray(1, Taken));
            socket->flush();
            emit requested(*request);
        });
    }
}
