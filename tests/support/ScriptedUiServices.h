#pragma once

#include "app/UiServices.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace zelmora {

// Desktop services for tests: every message box, input box and file dialog takes its answer
// from a queue filled beforehand, and every call is recorded so a test can read what the
// player would have seen. An unanswered Yes/No box answers No; an unanswered input box
// answers as if cancelled; an unanswered file dialog is cancelled.
class ScriptedUiServices : public UiServices
{
public:
    struct Shown
    {
        QString kind; // "MsgBox", "InputBox", "ShowOpen", "ShowSave"
        QString text; // prompt, or the dialog's filter
        MessageIcon icon = MessageIcon::None;
        bool yesNo = false; // a question with Yes and No
        QString title;      // as passed; empty means the application title
        QString defaultText;
        FileDialogRequest request;
    };

    void setNextAnswer(Answer answer) { m_answers.enqueue(answer); }
    void setNextInput(const QString &text) { m_inputs.enqueue(text); }
    void setNextFile(const QString &path);       // confirmed with that full path
    void setNextFiles(const QStringList &paths); // several chosen at once
    void setNextFileCancelled();

    QList<Shown> shown;
    int beeps = 0;
    int tabs = 0;
    QList<bool> busy; // every change of the pointer: true for busy
    QStringList openedUrls;
    bool openUrlResult = true; // false: no browser opens the page
    QStringList notices;

    // The texts of the message boxes shown, in order.
    QStringList messages() const;
    void clear();

    void message(MessageIcon icon, const QString &text, const QString &title) override;
    Answer question(const QString &text, const QString &title) override;
    QString InputBox(const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    FileDialogResult ShowOpen(QWidget *owner, const FileDialogRequest &request) override;
    FileDialogResult ShowSave(QWidget *owner, const FileDialogRequest &request) override;
    void Beep() override { ++beeps; }
    void setBusy(bool isBusy) override { busy.append(isBusy); }
    void DoEvents() override;
    void SendTab() override;
    void openUrl(const QString &address, std::function<void()> failed) override;
    void notify(const QString &text) override { notices.append(text); }

private:
    FileDialogResult nextFile(const QString &kind, const FileDialogRequest &request);

    QQueue<Answer> m_answers;
    QQueue<QString> m_inputs;
    QQueue<FileDialogResult> m_files;
};

} // namespace zelmora
