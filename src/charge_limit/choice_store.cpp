#include "charge_limit/choice_store.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace wattlet {

namespace {

    constexpr const char* parentPath = "/var/lib";
    constexpr const char* folderName = "wattlet";
    constexpr const char* fileName = "charge-limit";
    constexpr const char* newFileName = "charge-limit.new";
    constexpr const char* lockName = ".lock";
    constexpr auto lockWait = std::chrono::seconds(10);
    constexpr auto lockRetry = std::chrono::milliseconds(50);
    constexpr std::size_t maxFileBytes = 4096;

    HelperFailure storeFailure(HelperExit exit, const std::string& why)
    {
        return { exit, "/var/lib/wattlet/charge-limit: " + why };
    }

    HelperFailure systemFailure(const char* doing)
    {
        return storeFailure(
            HelperExit::writeFailed, std::string(doing) + ": " + std::strerror(errno));
    }

    // Root's, and writable by nobody else: anything less would let another user decide what root
    // writes into the battery.
    bool rootAlone(const struct stat& status)
    {
        return status.st_uid == 0 && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    }

    // The lock is a file nobody but root can open: a lock on anything another user can open
    // (the folder, the store) could be held by that user to stall every run. A holder past the
    // bound is stuck: a run takes milliseconds.
    std::optional<HelperFailure> takeLock(int folder, UniqueFd& lock)
    {
        lock = UniqueFd(openat(folder, lockName,
            O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, S_IRUSR | S_IWUSR));
        struct stat status = {};
        if (!lock || fstat(lock.get(), &status) != 0)
            return systemFailure("cannot open its lock");
        if (!S_ISREG(status.st_mode) || status.st_uid != 0 || (status.st_mode & 077) != 0)
            return storeFailure(HelperExit::refused, "its lock .lock is not root's alone");
        const auto deadline = std::chrono::steady_clock::now() + lockWait;
        while (flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR)
                return systemFailure("cannot lock it");
            if (std::chrono::steady_clock::now() >= deadline)
                return storeFailure(
                    HelperExit::writeFailed, "busy: another run has held its lock for 10 seconds");
            std::this_thread::sleep_for(lockRetry);
        }
        return std::nullopt;
    }

    // Closed before the rename, so that nothing is written to the file once it has its name.
    bool writeNewCopy(int folder, const std::string& text)
    {
        const UniqueFd file(
            openat(folder, newFileName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH));
        return file
            && write(file.get(), text.data(), text.size()) == static_cast<ssize_t>(text.size())
            && fsync(file.get()) == 0;
    }

} // namespace

std::optional<ChoiceStore> ChoiceStore::open(bool create, HelperFailure& failure)
{
    ChoiceStore store;
    const UniqueFd parent(::open(parentPath, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent && create && mkdirat(parent.get(), folderName, 0755) != 0 && errno != EEXIST) {
        failure = systemFailure("cannot create its folder");
        return std::nullopt;
    }
    store.m_folder = UniqueFd(parent
            ? openat(parent.get(), folderName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
            : -1);
    if (!store.m_folder) {
        if (!create && errno == ENOENT)
            return store;
        failure = systemFailure("cannot open its folder");
        return std::nullopt;
    }
    struct stat status = {};
    if (fstat(store.m_folder.get(), &status) != 0 || !rootAlone(status)) {
        failure = storeFailure(HelperExit::refused, "its folder is not writable by root alone");
        return std::nullopt;
    }
    if (auto locked = takeLock(store.m_folder.get(), store.m_lock)) {
        failure = std::move(*locked);
        return std::nullopt;
    }
    // The folder is root's alone: nothing can change the file between this look and the read.
    if (fstatat(store.m_folder.get(), fileName, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return store;
        failure = systemFailure("cannot look at it");
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode) || status.st_nlink != 1
        || status.st_size > static_cast<off_t>(maxFileBytes)) {
        failure = storeFailure(HelperExit::refused, "malformed; remove it to start afresh");
        return std::nullopt;
    }
    if (!rootAlone(status)) {
        failure = storeFailure(HelperExit::refused,
            "writable by others than root, so not applied; check it, then chown root and chmod "
            "644");
        return std::nullopt;
    }
    std::string error;
    const auto text = readPlainFile(store.m_folder.get(), fileName, maxFileBytes, error);
    if (!text) {
        failure = storeFailure(HelperExit::writeFailed, "cannot read it: " + error);
        return std::nullopt;
    }
    auto choices = parseStoredChoices(*text);
    if (!choices) {
        failure = storeFailure(HelperExit::refused, "malformed; remove it to start afresh");
        return std::nullopt;
    }
    store.m_choices = std::move(*choices);
    return store;
}

StoredChoice* ChoiceStore::find(std::string_view battery)
{
    const auto at = std::find_if(m_choices.begin(), m_choices.end(),
        [&](const StoredChoice& choice) { return choice.battery == battery; });
    return at == m_choices.end() ? nullptr : &*at;
}

std::optional<HelperFailure> ChoiceStore::save() const
{
    const int folder = m_folder.get();
    if (m_choices.empty()) {
        if (unlinkat(folder, fileName, 0) != 0 && errno != ENOENT)
            return systemFailure("cannot remove it");
    } else {
        if (unlinkat(folder, newFileName, 0) != 0 && errno != ENOENT)
            return systemFailure("cannot remove an old new copy");
        if (!writeNewCopy(folder, formatStoredChoices(m_choices)))
            return systemFailure("cannot write a new copy");
        if (renameat(folder, newFileName, folder, fileName) != 0)
            return systemFailure("cannot replace it");
    }
    if (fsync(folder) != 0)
        return systemFailure("cannot sync its folder");
    return std::nullopt;
}

} // namespace wattlet
