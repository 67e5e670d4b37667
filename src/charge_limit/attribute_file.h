#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace wattlet {

/// Owns a file descriptor and closes it when it goes; -1 is none.
class UniqueFd
{
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd)
        : m_fd(fd)
    { }
    UniqueFd(UniqueFd&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    { }
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

/// A folder opened by name, following links, kept only when the kernel's own name for the open
/// folder lies below the root asked for; `outside` when it exists but lies elsewhere.
struct OpenedFolder
{
    UniqueFd fd;
    bool outside = false;
};
OpenedFolder openFolderBelow(int parent, const char* name, std::string_view root);

/// What a name inside a folder is: absent, a plain file (regular, one link, not a symlink), or
/// anything else, which is never read or written.
enum class AttributeKind { missing, plain, unsafe };
AttributeKind attributeKind(int folder, const char* name);

/// A plain file's whole text; absent when it is missing, not plain, unreadable or longer than
/// `maxBytes`, with the reason in `error`.
std::optional<std::string> readPlainFile(
    int folder, const char* name, std::size_t maxBytes, std::string& error);

/// A sysfs attribute's text without its trailing newline, at most 64 bytes, as readPlainFile.
std::optional<std::string> readAttribute(int folder, const char* name);

/// Replaces a plain file's content by `text` and a newline in a single write, as `echo` does;
/// false with the system's reason in `error` otherwise.
bool writeAttribute(int folder, const char* name, std::string_view text, std::string& error);

} // namespace wattlet
