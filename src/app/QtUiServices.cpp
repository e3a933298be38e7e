#include "app/QtUiServices.h"

#include "core/Corpo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace zelmora {

namespace {

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

bool QtUiServices::OpenUrl(const QString &address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

} // namespace zelmora
