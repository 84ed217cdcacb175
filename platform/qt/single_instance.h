// One running copy of the program per user and settings folder. The first start holds
// a lock file and listens on a local socket; a later start finds the lock, asks the
// running copy through the socket to come to the front, and ends.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace kvx {

// The name all instance keys start from.
inline constexpr const char* kInstanceMutexName = "Karvelindorax5_Mutex";

// The key of the instance that owns a settings folder: the mutex name, the user and a
// digest of the folder, short enough for a socket name.
QString InstanceKey(const std::string& settingsFolder);
// Where the lock file and the socket of a key live: the user's runtime folder, which
// only the user can enter (other users cannot plant or hold them).
QString InstanceLockFile(const QString& key);
QString InstanceSocket(const QString& key);

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TSingleInstance(const QString& key, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // True when this is the only running instance; it then listens for later starts.
    // A lock left behind by a copy that died is taken over.
    bool Acquire();
    // Asks the running instance to come to the front; false when none answered.
    bool ActivateRunningInstance(int timeoutMs = 2000);

signals:
    // A later start asked this instance to come to the front.
    void ActivationRequested();

private:
    void OnNewConnection();

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace kvx
