#pragma once

#include "app/Program.h"
#include "core/Result.h"
#include "print/Preview.h"

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace zelmora {

class WindowWork;

// What the check and the statistics windows share: a page that scrolls above a closing row
// (Stampa, Anteprima, Chiudi), so the window fits any screen at any scale; work on a worker
// of the window's own, shown in a progress bar with its text and stopped by Interrompi or
// Escape; Stampa and Anteprima of the window's report, run on that worker; and closing that
// never waits: the title bar's close and Chiudi cancel the work and close with one press.
class ReportWindow : public QDialog
{
    Q_OBJECT
public:
    ~ReportWindow() override;

    QPushButton *cmdInterrompi = nullptr;
    QLabel *lblAvanzamento = nullptr;
    QProgressBar *prgAvanzamento = nullptr;
    QPushButton *cmdStampa = nullptr;
    QPushButton *cmdAnteprima = nullptr;
    QPushButton *cmdChiudi = nullptr;

    // True while the window's work runs.
    bool busy() const;

public slots:
    void cmdStampa_Click();
    void cmdAnteprima_Click();
    void cmdChiudi_Click();

protected:
    // The font of the program's own windows, named here once.
    static QFont windowFont();

    // `closeCaption` is Chiudi's caption with its mnemonic, free in the window.
    ReportWindow(Program &program, const QString &objectName, const QString &title,
                 const QString &closeCaption, QWidget *parent);

    // The scrolling page the window lays its controls on.
    QWidget *page() const { return m_page; }
    QVBoxLayout *pageLayout() const { return m_pageLayout; }
    // Adds the progress row (the text and the bar) to the page.
    void addProgressRow();

    // What Stampa prints and Anteprima shows, made on the window's thread to run on the
    // worker: each holds a copy of the report.
    struct ReportJobs
    {
        std::function<Result<bool>(const print::PrintProgress &)> print;
        std::function<Result<print::Preview>()> preview;
    };
    virtual bool hasReport() const = 0;
    virtual ReportJobs reportJobs() const = 0;
    // The window locks or frees its own controls while its work runs; Stampa, Anteprima and
    // Interrompi follow here.
    virtual void setRunning(bool running) = 0;
    // Whether Escape closes the window now: by default when nothing runs (a run is stopped).
    virtual bool escapeCloses() const;

    void reject() override;
    void closeEvent(QCloseEvent *event) override;

    UiServices &ui() const { return *m_program.ui; }

    Program &m_program;
    WindowWork *m_work = nullptr; // the window's own worker, one run at a time

private:
    void runningChanged(bool running);

    QWidget *m_page = nullptr;
    QVBoxLayout *m_pageLayout = nullptr;
    bool m_closing = false; // the title bar's close is under way
};

} // namespace zelmora
