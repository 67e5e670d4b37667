#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    ~ScopedEnv()
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
    }

    void set(const char* name, const QString& value)
    {
        remember(name);
        qputenv(name, value.toUtf8());
    }
    void unset(const char* name)
    {
        remember(name);
        qunsetenv(name);
    }

private:
    void remember(const char* name)
    {
        if (!m_saved.contains(name))
            m_saved[name]
                = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    }
    std::map<std::string, std::optional<QByteArray>> m_saved;
};

/// The bytes of the file at `path`; empty when it cannot be read.
[[nodiscard]] inline QByteArray fileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Writes `bytes` to `path`, creating its folder first; false when that fails.
[[nodiscard]] inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

/// A temporary home: XDG_DATA_HOME, XDG_CONFIG_HOME and HOME point into a fresh folder.
class TempHome
{
public:
    TempHome()
    {
        QDir().mkpath(dataHome());
        QDir().mkpath(configHome());
        m_env.set("HOME", m_dir.path());
        m_env.set("XDG_DATA_HOME", dataHome());
        m_env.set("XDG_CONFIG_HOME", configHome());
    }
    [[nodiscard]] QString path() const { return m_dir.path(); }
    [[nodiscard]] QString dataHome() const { return m_dir.path() + QStringLiteral("/data"); }
    [[nodiscard]] QString configHome() const { return m_dir.path() + QStringLiteral("/config"); }

private:
    QTemporaryDir m_dir;
    ScopedEnv m_env;
};

} // namespace wattlet::test
