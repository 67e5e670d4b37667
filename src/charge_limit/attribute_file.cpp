#include "charge_limit/attribute_file.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wattlet {

namespace {

    // O_NOFOLLOW refuses a symlink in the last place; O_NONBLOCK keeps a FIFO from stalling the
    // open, and the check after it refuses anything but a single-linked regular file.
    UniqueFd openPlain(int folder, const char* name, int mode, std::string& error)
    {
        UniqueFd fd(openat(folder, name, mode | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat status = {};
        if (!fd || fstat(fd.get(), &status) != 0) {
            error = std::strerror(errno);
            return {};
        }
        if (!S_ISREG(status.st_mode) || status.st_nlink != 1) {
            error = "not a plain file";
            return {};
        }
        return fd;
    }

} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

UniqueFd::~UniqueFd()
{
    if (m_fd >= 0)
        close(m_fd);
}

OpenedFolder openFolderBelow(int parent, const char* name, std::string_view root)
{
    OpenedFolder folder;
    UniqueFd fd(openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd)
        return folder;
    // The name the kernel gives the open folder, with every link already resolved: checking
    // it and then working only through this descriptor leaves nothing to swap in between.
    const std::string link = "/proc/self/fd/" + std::to_string(fd.get());
    std::array<char, PATH_MAX> target {};
    const auto length = readlink(link.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()
        || std::string_view(target.data(), static_cast<std::size_t>(length)).rfind(root, 0) != 0) {
        folder.outside = true;
        return folder;
    }
    folder.fd = std::move(fd);
    return folder;
}

AttributeKind attributeKind(int folder, const char* name)
{
    struct stat status = {};
    if (fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? AttributeKind::missing : AttributeKind::unsafe;
    return S_ISREG(status.st_mode) && status.st_nlink == 1 ? AttributeKind::plain
                                                           : AttributeKind::unsafe;
}

std::optional<std::string> readPlainFile(
    int folder, const char* name, std::size_t maxBytes, std::string& error)
{
    const auto fd = openPlain(folder, name, O_RDONLY, error);
    if (!fd)
        return std::nullopt;
    // One byte more than allowed tells an overlong file from one of exactly the limit.
    std::string text(maxBytes + 1, '\0');
    std::size_t size = 0;
    while (size < text.size()) {
        const auto got = read(fd.get(), text.data() + size, text.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = std::strerror(errno);
            return std::nullopt;
        }
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    if (size > maxBytes) {
        error = "longer than " + std::to_string(maxBytes) + " bytes";
        return std::nullopt;
    }
    text.resize(size);
    return text;
}

std::optional<std::string> readAttribute(int folder, const char* name)
{
    std::string unused;
    auto text = readPlainFile(folder, name, 64, unused);
    if (text && !text->empty() && text->back() == '\n')
        text->pop_back();
    return text;
}

bool writeAttribute(int folder, const char* name, std::string_view text, std::string& error)
{
    const auto fd = openPlain(folder, name, O_WRONLY, error);
    if (!fd)
        return false;
    const std::string line = std::string(text) + '\n';
    // sysfs ignores the truncation; a plain file needs it to hold only the new value.
    if (ftruncate(fd.get(), 0) != 0) {
        error = std::strerror(errno);
        return false;
    }
    const auto written = write(fd.get(), line.data(), line.size());
    if (written != static_cast<ssize_t>(line.size())) {
        error = written < 0 ? std::strerror(errno) : "short write";
        return false;
    }
    return true;
}

} // namespace wattlet
