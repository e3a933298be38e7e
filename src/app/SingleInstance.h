#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace zelmora {

// One running copy per user. The first copy holds a lock file in the user's private runtime
// folder and, in the same step, listens on a local socket there named from its window-class
// name and its title; a later copy asks it to bring its main window to the front, and to open
// a system file when it was started with one, and then ends without showing anything. Only
// copies of the same user ever talk to each other.
//
// What a later copy says is one short line, "activate\n", or "open N\n" followed by the N
// bytes of an absolute file name (1 to kMaxPath bytes, newlines and all); the running copy
// answers "raised\n". Anything else, a longer line or name, or a name that is not whole
// within the caller's time, is hung up on unanswered.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The longest file name a later copy sends, in bytes: the system's own limit on a path.
    static constexpr qint64 kMaxPath = 4096;

    // The window-class names of the three runtime generations, searched in this order; the
    // running copy answers under the last one.
    static const char *const kClassNames[3];

    // `appTitle` is the program's title, which a copy that finds another running renames.
    explicit SingleInstance(QString &appTitle, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and starts answering later copies, as one step that copies started at
    // the same moment take in turn. True when another copy holds the lock (it is running);
    // false when this copy is the first, or when no private folder could be had (the check
    // is then left out and the program starts).
    bool PrevInstance();

    // Looks for the running copy under each class name with the kept title, after renaming
    // this copy's title to "unwanted instance", and asks it to come to the front and, when
    // `path` (absolute) is given, to open that system file. True when a copy answered: the
    // caller ends. False leaves the title at "unwanted instance" and start-up goes on. A name
    // longer than kMaxPath bytes, which no file of the system can have, is not sent: the
    // running copy only comes to the front.
    bool ActivateRunningInstance(const QString &path = QString());

    // Gives up the lock and the socket, so a copy started next finds none.
    void release();

    // The user's private folder for the lock and the socket: XDG_RUNTIME_DIR when it is a
    // folder of the user's own that no one else may enter, otherwise a folder of the user's
    // own with mode 0700 in the temporary folder (made when missing), else one in the home
    // folder. A folder that is a link, belongs to someone else or is open to others is never
    // used. Empty when none can be had.
    static QString runtimeFolder();

    // The socket for a class name and title, in the runtime folder.
    static QString serverName(const QString &className, const QString &title);

signals:
    // A later copy asked this one to come to the front.
    void activationRequested();
    // A later copy started with a system file asks this one to open it; `path` is absolute.
    // It comes after activationRequested and after the caller has had its answer.
    void openRequested(const QString &path);

private:
    bool listen(const QString &folder);
    void serve(QLocalSocket *client);

    int m_lockFd = -1;
    QLocalServer *m_server = nullptr;
    QString &m_appTitle;
};

// Restores the program's main window if minimised and brings it to the front.
void raiseMainWindow();

} // namespace zelmora
