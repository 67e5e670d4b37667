#include "app/files.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace wattlet {
namespace {

    using test::fileContents;

    BatteryHistory twoSamples()
    {
        BatteryHistory history;
        history.samples.push_back({ 1'700'000'000.25, 81, -9.5, false });
        history.samples.push_back({ 1'700'000'060.0, 80, std::nullopt, true });
        return history;
    }

    TEST(Files, SavedHistoryLoadsBackEqual)
    {
        test::TempHome home;
        EXPECT_EQ(Files::historyPath(), home.dataHome() + QStringLiteral("/Wattlet/history.json"));
        ASSERT_FALSE(QDir(Files::dir()).exists());
        EXPECT_TRUE(Files::loadHistory().samples.empty());

        Files::saveHistory(twoSamples());
        EXPECT_EQ(Files::loadHistory(), twoSamples());
    }

    TEST(Files, RefusedFilesAreKeptAsideOnceAtTheNextSave)
    {
        test::TempHome home;
        const QByteArray deep = QByteArray(200'000, '[') + QByteArray(200'000, ']');
        const QByteArray corpus[] = {
            QByteArray(),
            QByteArray(R"({"samples":[{"t":1,"p":50,"ac":true},{"t":2,"p")"),
            QByteArray("{\"samples\":[]}\0garbage", 22),
            deep,
        };
        for (const QByteArray& bytes : corpus) {
            SCOPED_TRACE(bytes.left(60).toStdString());
            ASSERT_TRUE(test::writeFile(Files::historyPath(), bytes));
            EXPECT_TRUE(Files::loadHistory().samples.empty());
            EXPECT_EQ(fileContents(Files::historyPath()), bytes);
            // Each one replaces the copy of the one before.
            Files::saveHistory(twoSamples());
            EXPECT_EQ(fileContents(Files::unreadablePath()), bytes);
            EXPECT_EQ(Files::loadHistory(), twoSamples());
            Files::saveHistory(BatteryHistory {});
            EXPECT_EQ(fileContents(Files::unreadablePath()), bytes);
        }
    }

    TEST(Files, FilesOverSixteenMebibytesAreNotRead)
    {
        test::TempHome home;
        const QByteArray json = QByteArray::fromStdString(twoSamples().toJson());
        const QByteArray atLimit = json + QByteArray(Files::maxHistoryBytes - json.size(), ' ');
        ASSERT_TRUE(test::writeFile(Files::historyPath(), atLimit));
        EXPECT_EQ(Files::loadHistory(), twoSamples());

        ASSERT_TRUE(test::writeFile(Files::historyPath(), atLimit + ' '));
        EXPECT_TRUE(Files::loadHistory().samples.empty());
        EXPECT_EQ(QFileInfo(Files::historyPath()).size(), Files::maxHistoryBytes + 1);
    }

    TEST(Files, HistoryGrownPastTheReadLimitIsSavedReadable)
    {
        test::TempHome home;
        // Some 45 bytes a sample: 18 MB in all.
        BatteryHistory history;
        for (int i = 0; i < 400'000; ++i)
            history.samples.push_back({ 1'700'000'000.125 + i, i % 100, -12.375, i % 2 == 0 });
        Files::saveHistory(history);
        EXPECT_LE(QFileInfo(Files::historyPath()).size(), Files::maxHistoryBytes);
        const BatteryHistory loaded = Files::loadHistory();
        ASSERT_FALSE(loaded.samples.empty());
        // The oldest samples made room.
        EXPECT_TRUE(
            std::equal(loaded.samples.rbegin(), loaded.samples.rend(), history.samples.rbegin()));
    }

    TEST(Files, SpecialFilesAreLeftAlone)
    {
        test::TempHome home;
        QDir().mkpath(Files::historyPath());
        EXPECT_TRUE(Files::loadHistory().samples.empty());
        Files::saveHistory(twoSamples());
        EXPECT_TRUE(QFileInfo(Files::historyPath()).isDir());

        QDir().rmdir(Files::historyPath());
        // Opening a FIFO for reading would wait for a writer forever.
        ASSERT_EQ(::mkfifo(QFile::encodeName(Files::historyPath()).constData(), 0600), 0);
        EXPECT_TRUE(Files::loadHistory().samples.empty());
    }

    TEST(Files, FailedSavesKeepTheOldFile)
    {
        test::TempHome home;
        Files::saveHistory(twoSamples());
        const QByteArray before = fileContents(Files::historyPath());
        BatteryHistory longer = twoSamples();
        longer.samples.push_back({ 1'700'000'120.0, 79, -9.25, false });

        // A file size limit makes the write itself fail, also for root.
        rlimit old {};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = old;
        tight.rlim_cur = 64;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
        Files::saveHistory(longer);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(fileContents(Files::historyPath()), before);
        EXPECT_EQ(QDir(Files::dir()).entryList(QDir::Files | QDir::Hidden).size(), 1);

        // The folder cannot be created.
        test::ScopedEnv env;
        env.set("XDG_DATA_HOME", Files::historyPath());
        Files::saveHistory(longer);
        EXPECT_EQ(fileContents(home.dataHome() + QStringLiteral("/Wattlet/history.json")), before);
    }

} // namespace
} // namespace wattlet
