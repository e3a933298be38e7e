#pragma once

#include "app/UiServices.h"

namespace zelmora {

// The desktop services with real Qt dialogs.
class QtUiServices : public UiServices
{
public:
    int MsgBox(const QString &prompt, int style, const QString &title) override;
    QString InputBox(const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    FileDialogResult ShowOpen(QWidget *owner, const FileDialogRequest &request) override;
    FileDialogResult ShowSave(QWidget *owner, const FileDialogRequest &request) override;
    void Beep() override;
    void SetMousePointer(int pointer) override;
    void DoEvents() override;
    void SendTab() override;
    bool OpenUrl(const QString &address) override;

private:
    bool m_hourglass = false;
};

} // namespace zelmora
