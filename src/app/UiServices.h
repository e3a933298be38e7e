#pragma once

#include "core/RuntimeError.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace zelmora {

// The icon a message box shows.
enum class MessageIcon
{
    None,
    Critical,
    Question,
    Warning,
    Information,
};
// The player's answer to a message box.
enum class Answer
{
    Ok,
    Yes,
    No,
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
    bool severalFiles = false; // opening only: any number of existing files may be chosen
};

struct FileDialogResult
{
    bool confirmed = false;
    QString fileName;      // full path (the first, when several were chosen)
    QString fileTitle;     // the bare name, without folder
    QStringList fileNames; // every file chosen, full paths: fileName alone unless several
};

// The desktop services every window goes through: message and input boxes, the file dialog,
// the beep, the pointer, yielding to pending events, moving the focus and opening web pages.
// The program owns real dialogs and hands them to its windows; tests hand them a scripted
// implementation that answers from a queue and records every call.
class UiServices
{
public:
    virtual ~UiServices() = default;

    // A message with an OK button and the icon; an empty title shows the application title.
    virtual void message(MessageIcon icon, const QString &text, const QString &title) = 0;
    // A question with Yes and No buttons and the question icon, Yes the default; closing the
    // box answers No.
    virtual Answer question(const QString &text, const QString &title) = 0;
    // Returns the typed text, or an empty text when the user cancels.
    virtual QString InputBox(const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    virtual FileDialogResult ShowOpen(QWidget *owner, const FileDialogRequest &request) = 0;
    virtual FileDialogResult ShowSave(QWidget *owner, const FileDialogRequest &request) = 0;
    virtual void Beep() = 0;
    // The busy pointer over every window while the program works, or the normal one.
    virtual void setBusy(bool busy) = 0;
    virtual void DoEvents() = 0;
    // Moves the focus on to the next control in tab order, as a Tab key would.
    virtual void SendTab() = 0;
    // Opens a web page in the default browser; `failed` runs, now or later, when no browser
    // could open it.
    virtual void openUrl(const QString &address, std::function<void()> failed) = 0;
    // A short notice that goes away by itself, without taking the focus or a click.
    virtual void notify(const QString &text) = 0;
};

// The named calls the windows make on the program's services. An empty title shows the
// application title.
inline void plainMessage(UiServices &ui, const QString &text, const QString &title = {})
{
    ui.message(MessageIcon::None, text, title);
}
inline void criticalMessage(UiServices &ui, const QString &text, const QString &title = {})
{
    ui.message(MessageIcon::Critical, text, title);
}
inline void warningMessage(UiServices &ui, const QString &text, const QString &title = {})
{
    ui.message(MessageIcon::Warning, text, title);
}
inline Answer askYesNo(UiServices &ui, const QString &text, const QString &title = {})
{
    return ui.question(text, title);
}

// The one way a window tells a run-time error: "Error N (description) in procedure P of Form
// F", or "... of Modulo corpo" for a routine of the shared module (an empty form), with the
// icon the routine's message box has.
void reportError(UiServices &ui, const RuntimeError &error, const QString &procedure,
                 const QString &form = {}, MessageIcon icon = MessageIcon::Critical);

// The messages more than one window shows.
// "Stampante non installata" titled "!!! E R R O R E !!!", for a printer that cannot write.
void reportPrinterNotInstalled(UiServices &ui);
// A printer error other than that one: "Errore Stampante non previsto", same title.
void reportUnexpectedPrinterError(UiServices &ui);
// The pictures a page is printed without, named in one message that ends with `without`
// ("La pagina sarà stampata senza."); nothing when none is missing.
void reportMissingPictures(UiServices &ui, const QStringList &paths, const QString &without);

} // namespace zelmora
