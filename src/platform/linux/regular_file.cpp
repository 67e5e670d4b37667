#include "regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wattlet {

namespace {

    constexpr std::size_t chunkBytes = 4096;

    class FileDescriptor
    {
    public:
        explicit FileDescriptor(int fd)
            : m_fd(fd)
        { }
        FileDescriptor(const FileDescriptor&) = delete;
        FileDescriptor& operator=(const FileDescriptor&) = delete;
        ~FileDescriptor()
        {
            if (m_fd >= 0)
                ::close(m_fd);
        }
        [[nodiscard]] int get() const { return m_fd; }

    private:
        int m_fd;
    };

} // namespace

std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes)
{
    // Non-blocking, or opening a FIFO would wait for a writer that never comes.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status = {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    // sysfs reports every attribute as 4096 bytes long, so the size is read, not trusted.
    std::string content;
    std::size_t size = 0;
    while (size <= maxBytes) {
        content.resize(size + chunkBytes);
        const auto count = ::read(file.get(), content.data() + size, chunkBytes);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0) {
            content.resize(size);
            return content;
        }
        size += static_cast<std::size_t>(count);
    }
    return std::nullopt;
}

} // namespace wattlet
