#include "support/ScriptedUiServices.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

namespace zelmora {

void ScriptedUiServices::setNextFile(const QString &path)
{
    FileDialogResult r;
    r.confirmed = true;
    r.fileName = path;
    r.fileTitle = QFileInfo(path).fileName();
    r.fileNames = QStringList{path};
    m_files.enqueue(r);
}

void ScriptedUiServices::setNextFiles(const QStringList &paths)
{
    setNextFile(paths.value(0));
    m_files.last().fileNames = paths;
}

void ScriptedUiServices::setNextFileCancelled()
{
    m_files.enqueue(FileDialogResult{});
}

QStringList ScriptedUiServices::messages() const
{
    QStringList texts;
    for (const Shown &s : shown)
        if (s.kind == QLatin1String("MsgBox"))
            texts.append(s.text);
    return texts;
}

void ScriptedUiServices::clear()
{
    shown.clear();
    beeps = 0;
    tabs = 0;
    busy.clear();
    openedUrls.clear();
    notices.clear();
}

void ScriptedUiServices::message(MessageIcon icon, const QString &text, const QString &title)
{
    shown.append(Shown{QStringLiteral("MsgBox"), text, icon, false, title, {}, {}});
}

Answer ScriptedUiServices::question(const QString &text, const QString &title)
{
    shown.append(Shown{QStringLiteral("MsgBox"), text, MessageIcon::Question, true, title, {}, {}});
    return m_answers.isEmpty() ? Answer::No : m_answers.dequeue();
}

QString ScriptedUiServices::InputBox(const QString &prompt, const QString &title,
                                     const QString &defaultText)
{
    shown.append(Shown{
        QStringLiteral("InputBox"), prompt, MessageIcon::None, false, title, defaultText, {}});
    return m_inputs.isEmpty() ? QString() : m_inputs.dequeue();
}

FileDialogResult ScriptedUiServices::nextFile(const QString &kind, const FileDialogRequest &request)
{
    shown.append(
        Shown{kind, request.filter, MessageIcon::None, false, {}, request.fileName, request});
    return m_files.isEmpty() ? FileDialogResult{} : m_files.dequeue();
}

FileDialogResult ScriptedUiServices::ShowOpen(QWidget *, const FileDialogRequest &request)
{
    return nextFile(QStringLiteral("ShowOpen"), request);
}

FileDialogResult ScriptedUiServices::ShowSave(QWidget *, const FileDialogRequest &request)
{
    return nextFile(QStringLiteral("ShowSave"), request);
}

void ScriptedUiServices::DoEvents()
{
    QCoreApplication::processEvents();
}

void ScriptedUiServices::SendTab()
{
    ++tabs;
    // Delivered at once, not queued: keys the player has already typed ahead must reach the
    // control the focus moves to, not the one being left.
    if (QWidget *focus = QApplication::focusWidget()) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &tab);
    }
}

void ScriptedUiServices::openUrl(const QString &address, std::function<void()> failed)
{
    openedUrls.append(address);
    if (!openUrlResult && failed)
        failed();
}

} // namespace zelmora
