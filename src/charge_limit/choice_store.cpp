#include "charge_limit/choice_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wattlet {

namespace {

    constexpr const char* parentPath = "/var/lib";
    constexpr const char* folderName = "wattlet";
    constexpr const char* fileName = "charge-limit";
    constexpr const char* newFileName = "charge-limit.new";
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
    if (fstat(store.m_folder.get(), &status) != 0 || status.st_uid != 0
        || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        failure = storeFailure(HelperExit::refused, "its folder is not writable by root alone");
        return std::nullopt;
    }
    int locked = 0;
    while ((locked = flock(store.m_folder.get(), LOCK_EX)) != 0 && errno == EINTR) { }
    if (locked != 0) {
        failure = systemFailure("cannot lock its folder");
        return std::nullopt;
    }
    const auto kind = attributeKind(store.m_folder.get(), fileName);
    if (kind == AttributeKind::missing)
        return store;
    const auto text = kind == AttributeKind::plain
        ? readPlainFile(store.m_folder.get(), fileName, maxFileBytes)
        : std::nullopt;
    auto choices = text ? parseStoredChoices(*text) : std::nullopt;
    if (!choices) {
        failure = storeFailure(
            HelperExit::refused, "unreadable or malformed; remove it to start afresh");
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
