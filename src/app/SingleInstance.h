// One Quendra per user: the first start listens on a socket of its own in $XDG_RUNTIME_DIR; a later
// start hands its request (files to open, show the window, translate the selection) over that
// socket and ends. A socket left by a killed instance answers no one and is replaced. Where the
// socket cannot be made (no runtime folder, a folder the user may not write), each start is a plain
// instance of its own.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class QLocalServer;
struct CommandLine;

// What a start asks of the instance that runs.
struct InstanceRequest
{
    enum class Kind
    {
        Open, // the window, with files (which may be none)
        Show,
        Popup,
    };
    Kind kind = Kind::Open;
    // Absolute file names: the running instance has a working folder of its own.
    QStringList files;

    QByteArray encode() const;
    // Nothing for bytes that are no request.
    static std::optional<InstanceRequest> decode(const QByteArray& bytes);
};

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // The socket's path, empty where there is no runtime folder.
    static QString socketPath();

    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // What a start with this command line asks of a running instance.
    static InstanceRequest requestOf(const CommandLine& command);
    // True when an instance runs and took the request: this start has nothing more to do.
    static bool handOver(const InstanceRequest& request);
    // Starts listening for later starts; false (and quiet) when the socket cannot be made.
    bool listen();

signals:
    void requested(const InstanceRequest& request);

private:
    void serve();

    QLocalServer* m_server = nullptr;
};
