#include "app/prefs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool knownLanguage(wattlet::LanguageChoice choice)
{
    return choice == wattlet::LanguageChoice::autoLanguage || choice == wattlet::LanguageChoice::en
        || choice == wattlet::LanguageChoice::ru;
}

} // namespace

// Settings live in a temporary home for the whole run.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication* app = new QCoreApplication(*argc, *argv);
    static QTemporaryDir* home = new QTemporaryDir;
    (void)app;
    qputenv("HOME", home->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home->path() + QStringLiteral("/config")).toUtf8());
    QDir().mkpath(QFileInfo(wattlet::Prefs::filePath()).path());
    return 0;
}

// Any content of the settings file reads as valid preferences, and the user's next choices are
// stored over it and read back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = wattlet::Prefs::filePath();
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    // QSettings keeps parsed files by size and time stamp; a new stamp makes it read this one.
    static int writes = 0;
    std::filesystem::last_write_time(path.toStdString(),
        std::filesystem::file_time_type::clock::now() + std::chrono::milliseconds(++writes));

    wattlet::Prefs prefs;
    check(knownLanguage(prefs.language()));
    check(!prefs.launchAtLogin());
    check(wattlet::Prefs::storedLanguage() == prefs.language());

    prefs.setShowPercent(!prefs.showPercent());
    prefs.setNotify(!prefs.notify());
    prefs.setLanguage(wattlet::LanguageChoice::ru);
    const wattlet::Prefs again;
    check(again.showPercent() == prefs.showPercent());
    check(again.notify() == prefs.notify());
    check(again.language() == wattlet::LanguageChoice::ru);
    return 0;
}
