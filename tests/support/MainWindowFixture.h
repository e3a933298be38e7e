#pragma once

#include "app/Forms.h"
#include "app/Program.h"
#include "core/Corpo.h"
#include "support/ScriptedUiServices.h"
#include "support/WidgetTest.h"
#include "ui/TextBox.h"
#include "ui/frmMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace zelmora::testing {

// The main window loaded from a program folder of its own (with the shipped wheels file),
// with scripted desktop services, shown and active.
class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        program.identity.gEdition = QStringLiteral("Freeware");
        program.ui = &ui;
        writeWheels(QStringLiteral(ZELMORA_TEST_SOURCE_DIR "/assets/ruote.grc"));
        writeSettings();
        program.ending.setEndHandler([this] { ++endCalls; });
        program.appPath = folder.path() + u'/';
        form = std::make_unique<frmMain>(program);
        loadAndShow();
    }

    // Copies a wheels file into the program folder before the window loads.
    void writeWheels(const QString &source)
    {
        QFile::remove(path(QStringLiteral("ruote.grc")));
        ASSERT_TRUE(QFile::copy(source, path(QStringLiteral("ruote.grc"))));
    }

    // A settings file with an empty heading and no printer, so loading reports nothing.
    void writeSettings()
    {
        QFile settings(path(QStringLiteral("impostazioni.cfg")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        ASSERT_EQ(settings.write("\r\n\r\n"), 4);
    }

    void loadAndShow()
    {
        form->Form_Load();
        ASSERT_TRUE(showActive(*form));
        ui.clear();
    }

    void typeInto(TextBox *box, const QString &keys)
    {
        box->setFocus(Qt::TabFocusReason);
        settle();
        QTest::keyClicks(box, keys);
    }

    // Types a valid system cell by cell; lead number 7 on the diagonal.
    void typeValidSquare()
    {
        const int values[4][4] = {
            {7, 11, 12, 13}, {21, 7, 22, 23}, {31, 32, 7, 33}, {41, 42, 43, 7}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                form->cell(r, c)->setText(QString::number(values[r][c]));
    }

    QString path(const QString &name) const { return folder.path() + u'/' + name; }

    Program program;
    QTemporaryDir folder;
    ScriptedUiServices ui;
    std::unique_ptr<frmMain> form;
    int endCalls = 0;
};

} // namespace zelmora::testing
