#pragma once

#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

class QLocalServer;

// One running instance per executable: the first process holds a lock and
// listens on a local socket in the runtime folder; a later one hands its
// arguments over (at most 10, each cut to 300 characters) and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxArguments = 10;
    static constexpr int kMaxArgumentLength = 300;

    // name: the executable's file name, so each executable has its own instance.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running instance.
    bool claim();

    // Hands the arguments to the running instance; false when none took them
    // within the time-out.
    bool handOver(const QStringList& arguments, int timeoutMs = 5000);

    static QStringList cutArguments(const QStringList& arguments);

signals:
    void InstanceStarted(const QStringList& params);

private:
    void acceptConnection();

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
