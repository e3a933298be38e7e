// The archive's lock between two processes, as two copies of the program sharing a folder
// take it: an import waits while the other copy holds the archive, then merges into what that
// copy left.

#include "core/ArchiveStore.h"
#include "core/FileIO.h"
#include "core/WheelCodes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zelmora;

namespace {

// How long the other copy holds the lock once it has told it took it.
constexpr int kHeldMs = 1000;

struct OtherCopyCase
{
    const char *name;
    bool writes;    // the other copy saves a draw of its own while it holds the lock
    int drawsAfter; // the draws stored once both are done
};

class ArchiveLock : public ::testing::TestWithParam<OtherCopyCase>
{
};

// The other copy: takes the lock, says so through the pipe ('L', or 'F' when it could not),
// holds it, saves the archive with its own draw added as its import would, and ends. Only
// _exit: nothing of the parent's test may run here.
[[noreturn]] void otherCopy(const QString &path, bool writes, int toldFd)
{
    FileLock lock(path + QStringLiteral(".lock"));
    const bool taken = lock.tryLock().valueOr(false);
    const char told = taken ? 'L' : 'F';
    if (write(toldFd, &told, 1) != 1 || !taken)
        _exit(2);
    usleep(kHeldMs * 1000);
    if (writes) {
        DrawArchive archive = ArchiveStore(path).read().archive;
        archive.merge({Draw{QDate(2024, 1, 8), wheelIndex(u"Milano"), {6, 7, 8, 9, 10}}});
        if (!replaceOwnFile(path, archive.toText()))
            _exit(3);
    }
    _exit(0);
}

TEST_P(ArchiveLock, AnImportWaitsForAnotherProcessThenMergesWhatItLeft)
{
    const OtherCopyCase &c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    const QString ours = folder.filePath(QStringLiteral("nostre.txt"));
    {
        QFile f(ours);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("2024/01/05 BA 1 2 3 4 5\n");
    }
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeFds[0]);
        otherCopy(path, c.writes, pipeFds[1]);
    }
    close(pipeFds[1]);
    char told = 0;
    const bool heard = read(pipeFds[0], &told, 1) == 1;
    close(pipeFds[0]);

    QElapsedTimer waited;
    waited.start();
    int waits = 0;
    const ArchiveImport result =
        ArchiveStore(path).import({ours}, nullptr, [&](qint64, qint64 total) {
            waits += total == kWaitingForLock;
            return true;
        });
    const qint64 elapsed = waited.elapsed();
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(heard && told == 'L') << "the other process did not take the lock";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the other process failed to save";

    EXPECT_GT(waits, 0) << "the import did not say it was waiting";
    EXPECT_GE(elapsed, kHeldMs * 8 / 10) << "the import did not wait for the lock";
    EXPECT_TRUE(result.saved);
    ASSERT_EQ(result.files.size(), 1);
    EXPECT_EQ(result.files[0].added, 1);
    const DrawArchive stored = ArchiveStore(path).read().archive;
    EXPECT_EQ(stored.size(), c.drawsAfter);
    EXPECT_TRUE(stored.find(QDate(2024, 1, 5), wheelIndex(u"Bari")));
    if (c.writes) {
        EXPECT_TRUE(stored.find(QDate(2024, 1, 8), wheelIndex(u"Milano")))
            << "the other process's draw was lost";
    }
}

INSTANTIATE_TEST_SUITE_P(Processes, ArchiveLock,
                         ::testing::Values(OtherCopyCase{"OtherSavesADraw", true, 2},
                                           OtherCopyCase{"OtherWritesNothing", false, 1}),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
