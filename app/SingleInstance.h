#pragma once
// Lets a second start of the program hand its show file to the one already running,
// which opens it: the stand-in for the desktop asking the running program to open a
// file. The channel is a local socket private to the user, named after the
// configuration folder, so that runs with their own configuration stay apart.
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace vistrel {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& configFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket name for a configuration folder.
    static QString serverName(const QString& configFolder);

    // Second start: passes `path` to a running program. True when one took it.
    bool handOver(const QString& path, int timeoutMs = 2000) const;

    // First start: listens for paths; `openFile` is called for each one received.
    bool listen(std::function<void(const QString& path)> openFile);

private:
    void readPath();

    QString name_;
    QLocalServer* server_ = nullptr;
    std::function<void(const QString&)> openFile_;
};

}  // namespace vistrel
