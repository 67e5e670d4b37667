#include "identity.h"
#include "xdg_dirs.h"

#include "platform/login_item.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace wattlet {

namespace {

    constexpr qint64 maxEntryBytes = qint64 { 64 } * 1024;

    // The user's command where it started this program in its place.
    QString runningProgram()
    {
        if (const QString command = qEnvironmentVariable("WATTLET_COMMAND");
            QDir::isAbsolutePath(command))
            return command;
        if (QCoreApplication::instance() != nullptr)
            return QCoreApplication::applicationFilePath();
        return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    }

    bool switchedOff(QStringView key, QStringView value)
    {
        return (key == QLatin1String("Hidden") && value == QLatin1String("true"))
            || (key == QLatin1String("X-GNOME-Autostart-enabled")
                && value == QLatin1String("false"));
    }

} // namespace

LoginItem::LoginItem(QString program)
    : m_program(program.isEmpty() ? runningProgram() : std::move(program))
{ }

QString LoginItem::entryPath()
{
    return XdgDirs::configHome() + QStringLiteral("/autostart/") + QLatin1String(Identity::appId)
        + QStringLiteral(".desktop");
}

bool LoginItem::enabled() const
{
    const QFileInfo info(entryPath());
    if (!info.isFile())
        return false;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(file.read(maxEntryBytes));
    bool inMainGroup = false;
    for (const QStringView rawLine : QStringView(text).split(QLatin1Char('\n'))) {
        const QStringView line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || eq < 0)
            continue;
        if (switchedOff(line.left(eq).trimmed(), line.mid(eq + 1).trimmed()))
            return false;
    }
    return true;
}

void LoginItem::setEnabled(bool on)
{
    const QString path = entryPath();
    if (!on) {
        QFile::remove(path);
        return;
    }
    if (m_program.isEmpty())
        return;
    QDir().mkpath(QFileInfo(path).path());
    const QString entry
        = QStringLiteral("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=%1\n"
                         "Comment=%2\n"
                         "Exec=%3\n"
                         "Icon=%4\n"
                         "Terminal=false\n"
                         "X-GNOME-Autostart-enabled=true\n")
              .arg(QLatin1String(Identity::name), QLatin1String(Identity::description),
                  execValue(m_program), QLatin1String(Identity::appId));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(entry.toUtf8());
    file.commit();
}

QString LoginItem::execValue(const QString& program)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));

    // String escapes come last: the reader undoes them before it unquotes.
    QString value;
    for (const QChar c : quoted) {
        if (c == QLatin1Char('\\'))
            value += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            value += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
}

} // namespace wattlet
