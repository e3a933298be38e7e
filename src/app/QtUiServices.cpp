#include "app/QtUiServices.h"

#include "app/FileDialogParts.h"

#include "core/Corpo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
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

// The size, kind and date columns of the file list in Italian: Qt's file system model writes
// them in the system's language ("106 bytes", "unknown"), whatever translation is installed.
class ItalianFileColumns : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    enum Column
    {
        Name,
        Size,
        Kind,
        Modified
    };

    static QLocale italian() { return QLocale(QLocale::Italian, QLocale::Italy); }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || index.column() == Name || !files)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
        case Size:
            return info.isDir() ? QString() : sizeText(info.size());
        case Kind:
            return kindText(info);
        case Modified:
            return italian().toString(info.lastModified(), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }

    static QString sizeText(qint64 bytes)
    {
        return italian().formattedDataSize(bytes, 2, QLocale::DataSizeTraditionalFormat);
    }
    static QString kindText(const QFileInfo &info)
    {
        if (info.isDir())
            return QStringLiteral("Cartella");
        const QString suffix = info.suffix().toUpper();
        return suffix.isEmpty() ? QStringLiteral("File") : QStringLiteral("File ") + suffix;
    }
};

// Widens the detail list's columns so that every size and date shows whole, and the dialog
// so that the name keeps its room.
void fitFileColumns(QFileDialog &dialog)
{
    QTreeView *list = detailList(dialog);
    if (!list)
        return;
    const QFontMetrics metrics(list->font());
    const int padding = 3 * list->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, list) +
                        list->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, list);
    const auto widest = [&](const QStringList &samples) {
        int width = 0;
        for (const QString &sample : samples)
            width = std::max(width, metrics.horizontalAdvance(sample));
        return width + padding;
    };
    const QLocale italian = ItalianFileColumns::italian();
    QHeaderView *header = list->header();
    header->resizeSection(
        ItalianFileColumns::Size,
        widest({ItalianFileColumns::sizeText(1023),
                ItalianFileColumns::sizeText(qint64(999.99 * 1024 * 1024)),
                header->model()->headerData(ItalianFileColumns::Size, Qt::Horizontal).toString()}));
    header->resizeSection(ItalianFileColumns::Kind,
                          widest({QStringLiteral("Cartella"), QStringLiteral("File JPEG")}));
    header->resizeSection(ItalianFileColumns::Modified,
                          widest({italian.toString(QDateTime(QDate(2028, 12, 28), QTime(23, 58)),
                                                   QLocale::ShortFormat),
                                  header->model()
                                      ->headerData(ItalianFileColumns::Modified, Qt::Horizontal)
                                      .toString()}));
    // Once the dialog is laid out, it grows by what the columns lack, so that none is cut
    // and the list needs no scroll bar across.
    QTimer::singleShot(0, &dialog, [&dialog, list] {
        const QHeaderView *columns = list->header();
        int needed = 0;
        for (int c = 0; c < columns->count(); ++c)
            needed += columns->sectionSize(c);
        const int missing = needed - list->viewport()->width();
        if (missing > 0)
            dialog.resize(dialog.width() + missing, dialog.height());
    });
}

// The names typed into the dialog's file name box as "one" "two" ..., each made absolute
// against the dialog's folder, whatever stands at it.
QStringList typedNames(const QFileDialog &dialog)
{
    const QLineEdit *edit = fileNameBox(dialog);
    if (!edit || !edit->text().contains(u'"'))
        return {};
    const QStringList tokens = edit->text().split(u'"');
    QStringList files;
    for (qsizetype i = 1; i < tokens.size(); i += 2)
        if (!tokens[i].trimmed().isEmpty())
            files << QFileInfo(dialog.directory(), tokens[i]).absoluteFilePath();
    return files;
}

// Qt's dialog takes several typed names only when every one is an existing file: it steps
// into a folder typed among them, and its list follows the others only partly, so some names
// would be lost without a word. A choice of several typed names is taken whole, as typed, and
// the window that asked says what became of each.
class OpenDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    // The names typed, when several were; empty when the dialog's own choice stands.
    QStringList typed;

    void accept() override
    {
        typed = fileMode() == QFileDialog::ExistingFiles ? typedNames(*this) : QStringList();
        if (typed.size() > 1) {
            QDialog::accept();
            return;
        }
        typed.clear();
        QFileDialog::accept();
    }
};

FileDialogResult runFileDialog(QWidget *owner, const FileDialogRequest &request, bool save)
{
    OpenDialog dialog(owner ? owner : dialogParent());
    // Qt's own dialog everywhere: it behaves the same on every desktop and takes a typed path.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new ItalianFileColumns(&dialog));
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setWindowTitle(save ? QStringLiteral("Salva con nome") : QStringLiteral("Apri"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else if (request.severalFiles)
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
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
    fitFileColumns(dialog);

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    result.fileNames = dialog.typed.isEmpty() ? dialog.selectedFiles() : dialog.typed;
    if (result.fileNames.isEmpty())
        return result;
    result.confirmed = true;
    result.fileName = result.fileNames.constFirst();
    result.fileTitle = QFileInfo(result.fileName).fileName();
    return result;
}

} // namespace

namespace {
// A message box over the active window; an address or a path in its text can be copied.
void prepareBox(QMessageBox &box, MessageIcon icon, const QString &text, const QString &title)
{
    box.setWindowTitle(title);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
}
} // namespace

QtUiServices::QtUiServices(std::function<QString()> appTitle) : m_appTitle(std::move(appTitle)) {}

QString QtUiServices::titleOrApp(const QString &title) const
{
    if (!title.isEmpty())
        return title;
    return m_appTitle ? m_appTitle() : corpo::Identity().AppTitle;
}

void QtUiServices::message(MessageIcon icon, const QString &text, const QString &title)
{
    QMessageBox box(dialogParent());
    prepareBox(box, icon, text, titleOrApp(title));
    box.addButton(QMessageBox::Ok);
    box.exec();
}

Answer QtUiServices::question(const QString &text, const QString &title)
{
    QMessageBox box(dialogParent());
    prepareBox(box, MessageIcon::Question, text, titleOrApp(title));
    QPushButton *yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
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

void QtUiServices::setBusy(bool busy)
{
    if (busy && !m_busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!busy && m_busy)
        QApplication::restoreOverrideCursor();
    m_busy = busy;
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

void QtUiServices::openUrl(const QString &address, std::function<void()> failed)
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

void QtUiServices::notify(const QString &text)
{
    QWidget *owner = dialogParent();
    // Clicks go through it to whatever lies below, so it never stands in a player's way.
    auto *notice = new QLabel(
        text, owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
    notice->setObjectName(QStringLiteral("notice"));
    notice->setWindowTitle(QStringLiteral("Avviso"));
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setAttribute(Qt::WA_ShowWithoutActivating);
    notice->setTextInteractionFlags(Qt::NoTextInteraction);
    notice->setStyleSheet(QStringLiteral("QLabel { background: #fffbe6; color: black;"
                                         " border: 1px solid #b0a060; padding: 6px 10px; }"));
    notice->adjustSize();
    // Always in one place: at the foot of the screen the program's windows are on.
    QScreen *screen = owner ? owner->window()->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    notice->move(area.center().x() - notice->width() / 2, area.bottom() - notice->height() - 12);
    notice->show();
    QTimer::singleShot(kNoticeMilliseconds, notice, &QWidget::close);
}

} // namespace zelmora
