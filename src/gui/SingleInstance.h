#pragma once
// One running copy per user: the first start listens on a local socket; a later start hands
// over its parameters and quits.

#include <QObject>

#include <string>
#include <vector>

class QLocalServer;

namespace quorvex {

class TInstanceServer : public QObject {
    Q_OBJECT
public:
    explicit TInstanceServer(QObject* parent = nullptr);
    // Starts listening under the name; false when that failed.
    bool Listen(const QString& name);

signals:
    // n names the hand-over file; 0 when the other start had no parameters.
    void HandOver(int n);

private:
    QLocalServer* m_server;
};

// When a copy is running: writes the hand-over file, tells it, and returns true.
bool HandToRunningInstance(const QString& name, const std::vector<std::string>& params);

} // namespace quorvex
