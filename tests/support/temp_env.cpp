#include "temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace wattlet::test {

ScopedEnv::~ScopedEnv()
{
    for (const auto& [name, value] : m_saved) {
        if (value)
            qputenv(name.c_str(), *value);
        else
            qunsetenv(name.c_str());
    }
}

void ScopedEnv::remember(const char* name)
{
    if (m_saved.count(name) == 0)
        m_saved[name]
            = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
}

void ScopedEnv::set(const char* name, const QString& value)
{
    remember(name);
    qputenv(name, value.toUtf8());
}

void ScopedEnv::unset(const char* name)
{
    remember(name);
    qunsetenv(name);
}

QByteArray fileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

TempHome::TempHome()
{
    QDir().mkpath(dataHome());
    QDir().mkpath(configHome());
    m_env.set("HOME", m_dir.path());
    m_env.set("XDG_DATA_HOME", dataHome());
    m_env.set("XDG_CONFIG_HOME", configHome());
}

} // namespace wattlet::test
