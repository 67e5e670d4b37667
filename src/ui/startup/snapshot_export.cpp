#include "snapshot_export.h"

#include "app/app_model.h"
#include "app/demo.h"
#include "core/battery_text.h"
#include "core/preferred_languages.h"
#include "platform/app_folders.h"
#include "platform/wall_clock.h"
#include "ui/desktop/application_icon.h"
#include "ui/drawing/render_image.h"
#include "ui/drawing/text_fit_watch.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <variant>

namespace wattlet {

namespace {

    constexpr std::array<SnapshotShot, 9> shots { {
        { "charging", "charging", Page::main },
        { "battery", "battery", Page::main },
        { "low", "low", Page::main },
        { "limit", "limit", Page::main },
        { "settings", "battery", Page::settings },
        { "notifications", "battery", Page::notifications },
        { "charge-limit", "limit", Page::chargeLimit },
        { "language", "battery", Page::language },
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

    // One language of the pictures: its code, choice and direction, and the file name part.
    struct PictureLanguage
    {
        std::string code;
        LanguageChoice choice;
        Qt::LayoutDirection direction;
        QString part;
    };

    // The request's languages in their directions, or a message saying what is wrong.
    std::variant<std::vector<PictureLanguage>, std::string> languages(
        const SnapshotRequest& request)
    {
        std::optional<Qt::LayoutDirection> forced;
        if (request.direction == QLatin1String("rtl"))
            forced = Qt::RightToLeft;
        else if (request.direction == QLatin1String("ltr"))
            forced = Qt::LeftToRight;
        else if (request.direction)
            return "--snapshot-direction= takes rtl or ltr, not \""
                + request.direction->toStdString() + "\"";
        std::vector<std::string> codes;
        if (request.languages) {
            for (const QString& code : request.languages->split(QLatin1Char(',')))
                codes.push_back(code.trimmed().toStdString());
        } else {
            codes = panelLanguageCodes();
        }
        std::vector<PictureLanguage> result;
        for (const std::string& code : codes) {
            const std::optional<LanguageChoice> choice = languageChoiceFromRaw(code);
            if (!choice || *choice == LanguageChoice::autoLanguage)
                return "--snapshot-languages= knows no language \"" + code + "\"";
            QString part = QString::fromStdString(code);
            if (forced)
                part
                    += *forced == Qt::RightToLeft ? QStringLiteral("-rtl") : QStringLiteral("-ltr");
            const Qt::LayoutDirection own
                = BatteryText::direction(*choice->language) == TextDirection::rightToLeft
                ? Qt::RightToLeft
                : Qt::LeftToRight;
            result.push_back({ code, *choice, forced.value_or(own), part });
        }
        return result;
    }

    QImage render(const char* kind, const PictureLanguage& language, Page page, ColorScheme scheme)
    {
        AppModelDeps deps = AppModelDeps::live();
        // The pictures show every control, whatever this machine has installed.
        deps.powerSettingsAvailable = {};
        AppModel model(Demo::reading(kind, wallClockSeconds()), std::move(deps));
        model.prefs().setLanguage(language.choice);
        PanelView panel(model, page, scheme);
        panel.setLayoutDirection(language.direction);
        return renderImage(panel, 2);
    }

    // The texts of a picture that were cut, one line each.
    void reportMisses(const QString& path, const TextFitWatch& watch, std::ostream& err)
    {
        for (const TextMiss& miss : watch.misses())
            err << "\u26a0 " << path.toStdString() << ": \u201c" << miss.text.toStdString()
                << "\u201d needs " << std::lround(miss.neededWidth) << " of "
                << std::lround(miss.givenWidth) << " pt\n";
    }

    // Every picture into `dir`, a line each to `out`; true when all were written.
    bool snapshots(
        const QString& dir, const std::vector<PictureLanguage>& languages, std::ostream& out)
    {
        bool all = true;
        QDir().mkpath(dir);
        QApplication::setWindowIcon(builtInApplicationIcon());

        for (const PictureLanguage& language : languages) {
            for (const SnapshotShot& shot : shots) {
                for (const auto& [schemeName, scheme] : schemes) {
                    const QString path = dir + QStringLiteral("/") + language.part
                        + QStringLiteral("-") + QString::fromUtf8(shot.name) + QStringLiteral("-")
                        + QString::fromUtf8(schemeName) + QStringLiteral(".png");
                    const TextFitWatch watch;
                    const QByteArray data = png(render(shot.kind, language, shot.page, scheme));
                    reportMisses(path, watch, std::cerr);
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

std::span<const SnapshotShot> snapshotShots() { return shots; }

std::vector<std::string> panelLanguageCodes()
{
    std::vector<std::string> codes;
    for (const Language language : BatteryText::languages())
        codes.emplace_back(language.code());
    return codes;
}

int runSnapshotExport(int argc, char** argv, const SnapshotRequest& request)
{
    // An empty folder would put the pictures into the root of the file system.
    if (request.dir.isEmpty()) {
        std::cerr << "wattlet: --snapshot= needs a folder, for example --snapshot=pictures\n";
        return 2;
    }
    const auto chosen = languages(request);
    if (const auto* problem = std::get_if<std::string>(&chosen)) {
        std::cerr << "wattlet: " << *problem << '\n';
        return 2;
    }
    // The pictures' models choose languages and add demo readings: none of that may reach the
    // user's own settings or history, nor may those change the pictures.
    const QTemporaryDir folders;
    if (!folders.isValid()) {
        std::cerr << "wattlet: no temporary folder for the pictures' settings: "
                  << folders.errorString().toStdString() << '\n';
        return 1;
    }
    AppFolders::moveUnder(folders.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return snapshots(request.dir, std::get<0>(chosen), std::cout) ? 0 : 1;
}

} // namespace wattlet
