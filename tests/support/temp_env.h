#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <map>
#include <optional>
#include <string>

namespace wattlet::test {

/// Sets environment variables for the life of the object and restores the old values after.
class ScopedEnv
{
public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv();

    void set(const char* name, const QString& value);
    void unset(const char* name);

private:
    void remember(const char* name);
    std::map<std::string, std::optional<QByteArray>> m_saved;
};

/// The bytes of the file at `path`; empty when it cannot be read.
[[nodiscard]] QByteArray fileContents(const QString& path);
/// Writes `bytes` to `path`, creating its folder first; false when that fails.
[[nodiscard]] bool writeFile(const QString& path, const QByteArray& bytes);

/// A temporary home: XDG_DATA_HOME, XDG_CONFIG_HOME and HOME point into a fresh folder.
class TempHome
{
public:
    TempHome();
    [[nodiscard]] QString path() const { return m_dir.path(); }
    [[nodiscard]] QString dataHome() const { return m_dir.path() + QStringLiteral("/data"); }
    [[nodiscard]] QString configHome() const { return m_dir.path() + QStringLiteral("/config"); }

private:
    QTemporaryDir m_dir;
    ScopedEnv m_env;
};

} // namespace wattlet::test
