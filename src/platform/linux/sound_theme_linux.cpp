#include "xdg_dirs.h"

#include "platform/sound_theme.h"

#include <QDir>
#include <QFileInfo>

namespace wattlet::SoundTheme {

bool installed(std::string_view name)
{
    const QString file = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    QStringList folders { XdgDirs::dataHome() };
    folders += XdgDirs::dataDirs();
    for (const QString& folder : folders) {
        const QDir sounds(folder + QStringLiteral("/sounds"));
        for (const QString& theme : sounds.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString stem = sounds.filePath(theme) + QStringLiteral("/stereo/") + file;
            for (const char* extension : { ".oga", ".ogg", ".wav" }) {
                if (QFileInfo(stem + QLatin1String(extension)).isFile())
                    return true;
            }
        }
    }
    return false;
}

} // namespace wattlet::SoundTheme
