#include "snapshot_export.h"

#include "app/app_model.h"
#include "app/demo.h"
#include "platform/wall_clock.h"
#include "ui/desktop/application_icon.h"
#include "ui/drawing/render_image.h"
#include "ui/panel/panel_view.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QSaveFile>

#include <array>
#include <cstdlib>
#include <iostream>

namespace wattlet {

namespace {

    struct Shot
    {
        const char* name;
        const char* kind;
        Page page;
    };

    constexpr std::array<std::pair<const char*, LanguageChoice>, 2> languages { {
        { "en", LanguageChoice::en },
        { "ru", LanguageChoice::ru },
    } };

    constexpr std::array<Shot, 8> shots { {
        { "charging", "charging", Page::main },
        { "battery", "battery", Page::main },
        { "low", "low", Page::main },
        { "limit", "limit", Page::main },
        { "settings", "battery", Page::settings },
        { "notifications", "battery", Page::notifications },
        { "charge-limit", "limit", Page::chargeLimit },
        { "about", "battery", Page::about },
    } };

    constexpr std::array<std::pair<const char*, ColorScheme>, 2> schemes { {
        { "light", ColorScheme::light },
        { "dark", ColorScheme::dark },
    } };

    QByteArray png(const QImage& image)
    {
        if (image.isNull())
            return {};
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return {};
        return data;
    }

    bool write(const QString& path, const QByteArray& data)
    {
        QSaveFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    }

    QImage render(const char* kind, LanguageChoice language, Page page, ColorScheme scheme)
    {
        AppModelDeps deps = AppModelDeps::live();
        // The pictures show every control, whatever this machine has installed.
        deps.powerSettingsAvailable = {};
        AppModel model(Demo::reading(kind, wallClockSeconds()), std::move(deps));
        model.prefs().setLanguage(language);
        PanelView panel(model, page, scheme);
        return renderImage(panel, 2);
    }

    // Every picture into `dir`, a line each to `out`; true when all were written.
    bool snapshots(const QString& dir, std::ostream& out)
    {
        bool all = true;
        QDir().mkpath(dir);
        QApplication::setWindowIcon(builtInApplicationIcon());

        for (const auto& [code, language] : languages) {
            for (const Shot& shot : shots) {
                for (const auto& [schemeName, scheme] : schemes) {
                    const QString path = dir + QStringLiteral("/") + QString::fromUtf8(code)
                        + QStringLiteral("-") + QString::fromUtf8(shot.name) + QStringLiteral("-")
                        + QString::fromUtf8(schemeName) + QStringLiteral(".png");
                    const QByteArray data = png(render(shot.kind, language, shot.page, scheme));
                    // A file that could not be written is reported as such, not as done.
                    const bool done = !data.isEmpty() && write(path, data);
                    out << (done ? "\u2713 " : "\u2717 ") << path.toStdString() << '\n';
                    all = all && done;
                }
            }
        }
        out.flush();
        return all;
    }

} // namespace

int runSnapshotExport(int argc, char** argv, const QString& dir)
{
    // An empty folder would put the pictures into the root of the file system.
    if (dir.isEmpty()) {
        std::cerr << "wattlet: --snapshot= needs a folder, for example --snapshot=pictures\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return snapshots(dir, std::cout) ? 0 : 1;
}

} // namespace wattlet
