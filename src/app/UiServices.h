#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zelmora {

// Message box styles and answers, numbered as every window expects them.
enum MsgBoxStyle
{
    vbOKOnly = 0,
    vbCritical = 16,
    vbYesNoQuestion = 36, // Yes/No buttons with the question icon
    vbExclamation = 48,
};
enum MsgBoxResult
{
    vbOK = 1,
    vbYes = 6,
    vbNo = 7
};
enum MousePointer
{
    vbDefault = 0,
    vbHourglass = 11
};

// What the file dialog is asked to show.
struct FileDialogRequest
{
    QString initDir;
    QString fileName;
    QString filter;     // "Description (*.ext)|*.ext"
    QString defaultExt; // ".zlm" or empty
    bool fileMustExist = false;
    bool overwritePrompt = false;
};

struct FileDialogResult
{
    bool confirmed = false;
    QString fileName;  // full path
    QString fileTitle; // the bare name, without folder
};

// The desktop services every window goes through: message and input boxes, the file dialog,
// the beep, the pointer, yielding to pending events, moving the focus and opening web pages.
// The program uses real dialogs; tests install a scripted implementation that answers from a
// queue and records every call.
class UiServices
{
public:
    virtual ~UiServices() = default;

    // An empty title shows the application title.
    virtual int MsgBox(const QString &prompt, int style = vbOKOnly, const QString &title = {}) = 0;
    // Returns the typed text, or an empty text when the user cancels.
    virtual QString InputBox(const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    virtual FileDialogResult ShowOpen(QWidget *owner, const FileDialogRequest &request) = 0;
    virtual FileDialogResult ShowSave(QWidget *owner, const FileDialogRequest &request) = 0;
    virtual void Beep() = 0;
    virtual void SetMousePointer(int pointer) = 0;
    virtual void DoEvents() = 0;
    // Moves the focus on to the next control in tab order, as a Tab key would.
    virtual void SendTab() = 0;
    // Opens a web page in the default browser; `failed` runs, now or later, when no browser
    // could open it.
    virtual void OpenUrl(const QString &address, std::function<void()> failed) = 0;
    // A short notice that goes away by itself, without taking the focus or a click.
    virtual void Notify(const QString &text) = 0;
};

// The services in use. Until something is installed the real desktop services are used.
UiServices &ui();
// Installs other services (tests); nullptr goes back to the real ones. Not owned.
void setUi(UiServices *services);

} // namespace zelmora
