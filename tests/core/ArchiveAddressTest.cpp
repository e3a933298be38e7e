// Where Aggiorna archivio downloads from: the environment, then aggiornamento.cfg, then the
// build; only whole http and https addresses, a refusal naming the address and its place.

#include "core/ArchiveAddress.h"
#include "core/BuildSettings.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmora;

namespace {

TEST(ArchiveAddressTest, TheStrongestPlaceThatNamesOneIsTakenWhenItIsHttpOrHttps)
{
    const QString file = QStringLiteral("/p/aggiornamento.cfg");
    const QString built = QStringLiteral("https://costruito.it/storico.zip");
    const std::optional<QByteArray> none;
    const struct
    {
        const char *name;
        const char *environment;
        std::optional<QByteArray> fileText;
        const char *taken;   // the address taken, or nullptr when refused
        const char *message; // the refusal
    } cases[] = {
        {"the build's", "", none, "https://costruito.it/storico.zip", nullptr},
        {"the file's line", "", QByteArray("http://altrove.it/s.txt\n"), "http://altrove.it/s.txt",
         nullptr},
        {"after a byte-order mark, comments and blanks", "",
         QByteArray("\xEF\xBB\xBF# altrove\r\n\r\n  https://s.it/z.zip  \r\n"),
         "https://s.it/z.zip", nullptr},
        {"a file without an address", "", QByteArray("# niente\n\n"),
         "https://costruito.it/storico.zip", nullptr},
        {"the environment's over the file's", "http://127.0.0.1:8080/s.zip",
         QByteArray("https://s.it/z.zip"), "http://127.0.0.1:8080/s.zip", nullptr},
        {"an FTP address in the file", "", QByteArray("ftp://s.it/z.zip"), nullptr,
         "L'indirizzo dell'archivio \"ftp://s.it/z.zip\" (dal file /p/aggiornamento.cfg) non è "
         "ammesso: l'aggiornamento scarica solo da un indirizzo http:// o https:// completo."},
        {"a local file in the environment", "file:///tmp/storico.zip", QByteArray("https://s.it/z"),
         nullptr, "\"file:///tmp/storico.zip\" (dalla variabile d'ambiente ZELMORA_ARCHIVE_URL)"},
        {"no host", "", QByteArray("https:///storico.zip"), nullptr, "(dal file"},
        {"no scheme", "", QByteArray("www.s.it/storico.zip"), nullptr, "\"www.s.it/storico.zip\""},
        {"blanks inside", "", QByteArray("https://s.it/a b.zip"), nullptr, "non è ammesso"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Result<ArchiveAddress> got =
            pickArchiveAddress(QString::fromUtf8(c.environment), c.fileText, file, built);
        ASSERT_EQ(got.ok(), c.taken != nullptr);
        if (got)
            EXPECT_EQ(got->address, QString::fromUtf8(c.taken));
        else
            EXPECT_TRUE(got.error().description().contains(QString::fromUtf8(c.message)))
                << got.error().description().toStdString();
    }
}

TEST(ArchiveAddressTest, TheProgramFoldersFileAndTheEnvironmentAreRead)
{
    QTemporaryDir folder;
    const QString program = folder.path() + u'/';
    qunsetenv(kArchiveAddressVariable);
    EXPECT_EQ(archiveAddress(program)->address, archiveUrl());
    EXPECT_EQ(
        archiveUrl(),
        QStringLiteral("https://www.brightstarlottery.it/STORICO_ESTRAZIONI_LOTTO/storico.zip"));
    QFile file(archiveAddressPath(program));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("https://altrove.example/storico.txt\n");
    file.close();
    EXPECT_EQ(archiveAddress(program)->origin, ArchiveAddressOrigin::File);
    qputenv(kArchiveAddressVariable, "http://127.0.0.1:9/z.zip");
    EXPECT_EQ(archiveAddress(program)->address, QStringLiteral("http://127.0.0.1:9/z.zip"));
    qunsetenv(kArchiveAddressVariable);
    // A file that is there but cannot be read is named, not passed over.
    ASSERT_TRUE(file.remove());
    ASSERT_TRUE(QDir().mkdir(archiveAddressPath(program)));
    const Result<ArchiveAddress> folderThere = archiveAddress(program);
    ASSERT_FALSE(folderThere);
    EXPECT_TRUE(folderThere.error().description().contains(archiveAddressPath(program)));
}

} // namespace
