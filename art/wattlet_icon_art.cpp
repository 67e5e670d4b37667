#include "app_icon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <array>
#include <cstdlib>

using namespace wattlet;

namespace {

bool write(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

bool writePng(const QString& path, int pixels)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return AppIcon::image(pixels).save(path, "PNG");
}

} // namespace

// Regenerates art/wattlet-icon.svg, art/icon-1024.png and the hicolor icons under packaging/ in
// the repository given as the first argument (default: the current folder). The install renames
// the hicolor icons after the application id.
int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QTextStream out(stdout);
    bool ok = write(root.filePath(QStringLiteral("art/wattlet-icon.svg")), AppIcon::svg());
    ok = write(root.filePath(QStringLiteral("packaging/icons/hicolor/scalable/apps/wattlet.svg")),
             AppIcon::svg())
        && ok;
    ok = writePng(root.filePath(QStringLiteral("art/icon-1024.png")), 1024) && ok;
    for (const int size : std::array { 16, 22, 24, 32, 48, 64, 128, 256 }) {
        const QString path = root.filePath(
            QStringLiteral("packaging/icons/hicolor/%1x%1/apps/wattlet.png").arg(size));
        ok = writePng(path, size) && ok;
        out << path << '\n';
    }
    if (!ok)
        out << "could not write every file\n";
    return ok ? 0 : 1;
}
