#include "app/QtUiServices.h"

#include "core/Corpo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace zelmora {

namespace {

// Long enough to read a file's path, short enough not to be in the way.
constexpr int kNoticeMilliseconds = 8000;

QWidget *dialogParent()
{
    if (QWidget *active = QApplication::activeModalWidget())
        return active;
    return QApplication::activeWindow();
}

QString titleOrApp(const QString &title)
{
    return title.isEmpty() ? corpo::AppTitle : title;
}

FileDialogResult runFileDialog(QWidget *owner, const FileDialogRequest &request, bool save)
{
    QFileDialog dialog(owner ? owner : dialogParent());
    // Qt's own dialog everywhere: it behaves the same on every desktop and takes a typed path.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setWindowTitle(save ? QStringLiteral("Salva con nome") : QStringLiteral("Apri"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(
        save ? QFileDialog::AnyFile
             : (request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setDirectory(request.initDir);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    // "Description (*.ext)|*.ext": Qt reads the pattern from the description itself.
    const QString description = request.filter.section(u'|', 0, 0);
    if (!description.isEmpty())
        dialog.setNameFilter(description);
    QString suffix = request.defaultExt;
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.confirmed = true;
    result.fileName = dialog.selectedFiles().constFirst();
    result.fileTitle = QFileInfo(result.fileName).fileName();
    return result;
}

} // namespace

int QtUiServices::MsgBox(const QString &prompt, int style, const QString &title)
{
    QMessageBox box(dialogParent());
    box.setWindowTitle(titleOrApp(title));
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(text);
    // An address or a path in a message can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int icon = style & 0x70;
    box.setIcon(icon == vbCritical      ? QMessageBox::Critical
                : icon == 32            ? QMessageBox::Question
                : icon == vbExclamation ? QMessageBox::Warning
                : icon == 64            ? QMessageBox::Information
                                        : QMessageBox::NoIcon);
    const bool yesNo = (style & 0x0F) == 4;
    if (yesNo) {
        QPushButton *yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? vbYes : vbNo;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return vbOK;
}

QString QtUiServices::InputBox(const QString &prompt, const QString &title,
                               const QString &defaultText)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(titleOrApp(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annulla"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

FileDialogResult QtUiServices::ShowOpen(QWidget *owner, const FileDialogRequest &request)
{
    return runFileDialog(owner, request, false);
}

FileDialogResult QtUiServices::ShowSave(QWidget *owner, const FileDialogRequest &request)
{
    return runFileDialog(owner, request, true);
}

void QtUiServices::Beep()
{
    QApplication::beep();
}

void QtUiServices::SetMousePointer(int pointer)
{
    if (pointer == vbHourglass && !m_hourglass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_hourglass = true;
    } else if (pointer == vbDefault && m_hourglass) {
        QApplication::restoreOverrideCursor();
        m_hourglass = false;
    }
}

void QtUiServices::DoEvents()
{
    QCoreApplication::processEvents();
}

void QtUiServices::SendTab()
{
    // Delivered at once, not queued: keys the player has already typed ahead must reach the
    // control the focus moves to, not the one being left.
    if (QWidget *focus = QApplication::focusWidget()) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &tab);
    }
}

void QtUiServices::OpenUrl(const QString &address, std::function<void()> failed)
{
    // xdg-open answers only once it has tried: a desktop without a browser makes it fail
    // after it started, which QDesktopServices would not tell.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl(address)) && failed)
            failed();
        return;
    }
    auto *process = new QProcess(qApp);
    process->setProgram(opener);
    process->setArguments({address});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if ((exitCode != 0 || status != QProcess::NormalExit) && failed)
                             failed();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         process->deleteLater();
                         if (failed)
                             failed();
                     });
    process->start();
}

void QtUiServices::Notify(const QString &text)
{
    QWidget *owner = dialogParent();
    auto *notice = new QLabel(text, owner, Qt::ToolTip | Qt::FramelessWindowHint);
    notice->setObjectName(QStringLiteral("notice"));
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setAttribute(Qt::WA_ShowWithoutActivating);
    notice->setTextInteractionFlags(Qt::NoTextInteraction);
    notice->setStyleSheet(QStringLiteral("QLabel { background: #fffbe6; color: black;"
                                         " border: 1px solid #b0a060; padding: 6px 10px; }"));
    notice->adjustSize();
    // At the foot of the window it concerns, or of the screen when there is none.
    const QRect area = owner ? owner->window()->frameGeometry()
                             : QGuiApplication::primaryScreen()->availableGeometry();
    notice->move(area.center().x() - notice->width() / 2, area.bottom() - notice->height() - 12);
    notice->show();
    QTimer::singleShot(kNoticeMilliseconds, notice, &QWidget::close);
}

} // namespace zelmora
