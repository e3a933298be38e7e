#pragma once

#include "app/UiServices.h"

namespace zelmora {

// The desktop services with real Qt dialogs.
class QtUiServices : public UiServices
{
public:
    // `appTitle` gives the title of a box asked for without one; without it the title is
    // "Zelmoravintesca".
    explicit QtUiServices(std::function<QString()> appTitle = {});

    void message(MessageIcon icon, const QString &text, const QString &title) override;
    Answer question(const QString &text, const QString &title) override;
    QString InputBox(const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    FileDialogResult ShowOpen(QWidget *owner, const FileDialogRequest &request) override;
    FileDialogResult ShowSave(QWidget *owner, const FileDialogRequest &request) override;
    void Beep() override;
    void setBusy(bool busy) override;
    void DoEvents() override;
    void SendTab() override;
    void openUrl(const QString &address, std::function<void()> failed) override;
    void notify(const QString &text) override;

private:
    QString titleOrApp(const QString &title) const;

    std::function<QString()> m_appTitle;
    bool m_busy = false;
};

} // namespace zelmora
