#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zelmora::dataFolder;
using zelmora::folderWritable;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A shipped program folder with the wheels list and two pictures, and a place for the user's.
class DataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        program = root.path() + QStringLiteral("/program/");
        user = root.path() + QStringLiteral("/home/.local/share/Zelmoravintesca");
        ASSERT_TRUE(QDir().mkpath(program + QStringLiteral("images")));
        write(program + QStringLiteral("ruote.grc"), "Bari\r\nCagliari\r\n");
        write(program + QStringLiteral("images/vietato.jpg"), "picture one");
        write(program + QStringLiteral("images/sfondoColor.bmp"), "picture two");
    }

    QTemporaryDir root;
    QString program;
    QString user;
};

} // namespace

TEST_F(DataFolderTest, AWritableProgramFolderIsKeptAndTheUsersFolderLeftAlone)
{
    EXPECT_EQ(dataFolder(program, user, true), program);
    EXPECT_FALSE(QDir(root.path() + QStringLiteral("/home")).exists());
}

TEST_F(DataFolderTest, OtherwiseTheUsersFolderGetsTheShippedFilesOnce)
{
    const QString chosen = dataFolder(program, user, false);
    EXPECT_EQ(chosen, user + u'/');
    EXPECT_EQ(contents(chosen + QStringLiteral("ruote.grc")), "Bari\r\nCagliari\r\n");
    EXPECT_EQ(contents(chosen + QStringLiteral("images/vietato.jpg")), "picture one");
    EXPECT_EQ(contents(chosen + QStringLiteral("images/sfondoColor.bmp")), "picture two");

    // Later starts keep what the user's folder holds and only add what it lacks.
    write(chosen + QStringLiteral("ruote.grc"), "Napoli\r\n");
    QFile::remove(chosen + QStringLiteral("images/vietato.jpg"));
    EXPECT_EQ(dataFolder(program, user, false), chosen);
    EXPECT_EQ(contents(chosen + QStringLiteral("ruote.grc")), "Napoli\r\n");
    EXPECT_EQ(contents(chosen + QStringLiteral("images/vietato.jpg")), "picture one");
}

TEST_F(DataFolderTest, CopiesOfReadOnlyShippedFilesCanBeChanged)
{
    QFile::setPermissions(program + QStringLiteral("ruote.grc"),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString chosen = dataFolder(program, user, false);
    EXPECT_TRUE(QFile::permissions(chosen + QStringLiteral("ruote.grc")) & QFileDevice::WriteOwner);
}

TEST_F(DataFolderTest, NothingShippedLeavesTheUsersFolderEmptyButUsed)
{
    QFile::remove(program + QStringLiteral("ruote.grc"));
    QDir(program + QStringLiteral("images")).removeRecursively();
    const QString chosen = dataFolder(program, user, false);
    EXPECT_EQ(chosen, user + u'/');
    EXPECT_FALSE(QFile::exists(chosen + QStringLiteral("ruote.grc")));
}

TEST_F(DataFolderTest, AUsersFolderThatCannotBeMadeKeepsTheProgramFolder)
{
    // A file stands where a folder of the path should be.
    write(root.path() + QStringLiteral("/home"), "not a folder");
    EXPECT_EQ(dataFolder(program, user, false), program);
}

TEST_F(DataFolderTest, WritableMeansAFileCanBeCreatedThere)
{
    EXPECT_TRUE(folderWritable(program));
    EXPECT_TRUE(folderWritable(program.chopped(1))); // with or without the separator
    EXPECT_FALSE(folderWritable(root.path() + QStringLiteral("/missing")));
    EXPECT_FALSE(folderWritable(program + QStringLiteral("ruote.grc")));
    // The probe leaves nothing behind.
    EXPECT_EQ(QDir(program).entryList(QDir::Files | QDir::Hidden).size(), 1);
}
