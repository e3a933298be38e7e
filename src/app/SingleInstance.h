#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace zelmora {

// One running copy per user. The first copy holds a lock file in the temporary folder and
// listens on a local socket named from its window-class name and its title; a later copy
// asks it to bring its main window to the front and then ends without showing anything.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The window-class names of the three runtime generations, searched in this order; the
    // running copy answers under the last one.
    static const char *const kClassNames[3];

    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another copy of the program holds the lock (it is running).
    bool PrevInstance();

    // Looks for the running copy under each class name with the kept title, after renaming
    // this copy's title to "unwanted instance". True when a copy answered and was raised: the
    // caller ends. False leaves AppTitle at "unwanted instance" and start-up goes on.
    bool ActivateRunningInstance();

    // Starts answering activation requests from later copies, under the current title.
    bool listen();

    // Gives up the lock and the socket, so a copy started next finds none.
    void release();

    // The socket name for a class name and title.
    static QString serverName(const QString &className, const QString &title);

signals:
    // A later copy asked this one to come to the front.
    void activationRequested();

private:
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

// Restores the program's main window if minimised and brings it to the front.
void raiseMainWindow();

} // namespace zelmora
