#include "panel_test_support.h"

#include "app/demo.h"
#include "core/preferred_languages.h"
#include "ui/components/segmented_control.h"
#include "ui/components/stepper.h"
#include "ui/components/sub_header.h"
#include "ui/components/toggle_switch.h"
#include "ui/drawing/render_image.h"
#include "ui/drawing/text_fit_watch.h"
#include "ui/panel/panel_view.h"
#include "ui/panel/settings_page.h"
#include "ui/startup/snapshot_export.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wattlet {
namespace {

    using test::QuietModel;

    // Children that got less height than their text needs, or that reach outside their parent.
    std::vector<QString> clipped(const QWidget& page)
    {
        std::vector<QString> result;
        for (const QWidget* child : page.findChildren<QWidget*>()) {
            const QRect inParent(QPoint(0, 0), child->parentWidget()->size());
            const int needed = child->hasHeightForWidth() ? child->heightForWidth(child->width())
                                                          : child->minimumSizeHint().height();
            if (child->isVisibleTo(&page)
                && (!inParent.contains(child->geometry()) || child->height() < needed))
                result.push_back(QString::fromLatin1(child->metaObject()->className()));
        }
        return result;
    }

    // The texts of a page that were cut or had to break a word, as the failure names them.
    std::vector<std::string> misses(const TextFitWatch& watch)
    {
        std::vector<std::string> result;
        for (const TextMiss& miss : watch.misses())
            result.push_back(QStringLiteral("%1 needs %2 of %3")
                    .arg(miss.text)
                    .arg(miss.neededWidth, 0, 'f', 1)
                    .arg(miss.givenWidth, 0, 'f', 1)
                    .toStdString());
        return result;
    }

    // Every picture of the snapshot export and the other states of the pages, in every language
    // the panel is written in (each with one of the schemes), at the default font.
    TEST(Pages, EveryTextFitsInEveryLanguage)
    {
        BatteryReading troubled = Demo::reading("low", 0);
        troubled.fullCapacity = 6000; // critical, hot and worn: three warnings, two of them long
        std::vector<std::tuple<std::string, std::optional<BatteryReading>, Page>> shots {
            { "warnings", troubled, Page::main },
            { "no battery", std::nullopt, Page::main },
            { "health", Demo::reading("charging", 0), Page::health },
        };
        for (const SnapshotShot& shot : snapshotShots())
            shots.emplace_back(shot.name, Demo::reading(shot.kind, 0), shot.page);
        bool dark = false;
        for (const std::string& code : panelLanguageCodes()) {
            dark = !dark;
            for (const auto& [name, reading, page] : shots) {
                SCOPED_TRACE(code + " " + name);
                QuietModel quiet(reading, *languageChoiceFromRaw(code));
                quiet.model->setDemoPeripherals(Demo::peripherals("devices"));
                PanelView panel(*quiet.model, page, dark ? ColorScheme::dark : ColorScheme::light);
                const TextFitWatch watch;
                const QImage image = renderImage(panel, 2);
                EXPECT_EQ(misses(watch), std::vector<std::string> {});
                EXPECT_EQ(clipped(panel), std::vector<QString> {});
                const int grey = dark ? 32 : 249;
                EXPECT_EQ(image.pixelColor(1, image.height() - 2), QColor(grey, grey, grey));
            }
        }
    }

    class SettingsPageTest : public ::testing::Test
    {
    protected:
        SettingsPageTest()
            : quiet(Demo::reading("battery", 0))
        {
            quiet.model->onUpdate = [this] { effects.emplace_back("update"); };
            QObject::connect(quiet.model.get(), &AppModel::willChange,
                [this] { effects.emplace_back("rebuild"); });
        }

        template <typename T> T* control(QWidget& page, const char* name)
        {
            auto* found = page.findChild<T*>(QString::fromUtf8(name));
            EXPECT_NE(found, nullptr) << name;
            return found;
        }

        // Each change rebuilds the page; the old one goes once the events are served.
        static void settle(QWidget& panel)
        {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            fitToContent(panel);
        }

        QuietModel quiet;
        std::vector<std::string> effects;
    };

    TEST_F(SettingsPageTest, OnlyThePercentSwitchRedrawsTheTrayItem)
    {
        SettingsPage page(*quiet.model, [] { });
        fitToContent(page);
        auto* percent = control<ToggleSwitch>(page, "percent");
        auto* login = control<ToggleSwitch>(page, "login");
        ASSERT_TRUE(percent && login);
        QTest::mouseClick(percent, Qt::LeftButton);
        EXPECT_FALSE(quiet.model->prefs().showPercent());
        EXPECT_EQ(effects, std::vector<std::string> { "update" });

        // A file where the autostart folder belongs makes the registration fail.
        QFile blocker(quiet.home.configHome() + QStringLiteral("/autostart"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QTest::mouseClick(login, Qt::LeftButton);
        EXPECT_FALSE(quiet.model->prefs().launchAtLogin());
        EXPECT_FALSE(login->isChecked());
        ASSERT_TRUE(QFile::remove(blocker.fileName()));
        QTest::mouseClick(login, Qt::LeftButton);
        EXPECT_TRUE(quiet.model->prefs().launchAtLogin());
        EXPECT_TRUE(login->isChecked());
        EXPECT_EQ(effects.size(), 1U);
    }

    TEST_F(SettingsPageTest, ChoosingRussianRebuildsThePanelBeforeTheTrayItem)
    {
        PanelView panel(*quiet.model, Page::settings, ColorScheme::light);
        fitToContent(panel);
        QTest::mouseClick(control<QAbstractButton>(panel, "language"), Qt::LeftButton);
        settle(panel);
        ASSERT_EQ(panel.page(), Page::language);
        auto* automatic = control<QAbstractButton>(panel, "language.auto");
        auto* russian = control<QAbstractButton>(panel, "language.ru");
        ASSERT_TRUE(automatic && russian);
        EXPECT_EQ(automatic->isChecked(),
            quiet.model->prefs().language() == LanguageChoice::autoLanguage);
        QTest::mouseClick(russian, Qt::LeftButton);
        EXPECT_EQ(quiet.model->prefs().language(), LanguageChoice::ru);
        EXPECT_EQ(effects, (std::vector<std::string> { "rebuild", "update" }));

        settle(panel);
        EXPECT_TRUE(control<QAbstractButton>(panel, "language.ru")->isChecked());
        QTest::mouseClick(control<SubHeader>(panel, "")->backButton(), Qt::LeftButton);
        settle(panel);
        EXPECT_EQ(panel.page(), Page::settings);
        EXPECT_EQ(control<ToggleSwitch>(panel, "percent")->accessibleName(),
            QString::fromUtf8("Процент в строке меню"));
    }

    TEST_F(SettingsPageTest, NotificationControlsWriteTheirSettings)
    {
        PanelView panel(*quiet.model, Page::notifications, ColorScheme::light);
        settle(panel);
        QTest::mouseClick(control<ToggleSwitch>(panel, "notify"), Qt::LeftButton);
        EXPECT_FALSE(quiet.model->prefs().notify());
        auto* low = control<Stepper>(panel, "lowPercent");
        QTest::mouseClick(low, Qt::LeftButton, {}, low->decreaseRect().center());
        EXPECT_EQ(Prefs::storedLevels().lowPercent, 15);
        settle(panel);
        // The critical level stays below the low one.
        auto* critical = control<Stepper>(panel, "criticalPercent");
        QTest::mouseClick(critical, Qt::LeftButton, {}, critical->increaseRect().center());
        EXPECT_EQ(quiet.model->prefs().levels(), (WarningLevels { 15, 14, 10 }));
        settle(panel);
        auto* reminder = control<SegmentedControl>(panel, "fullReminder");
        QTest::mouseClick(reminder, Qt::LeftButton, {}, reminder->segmentRect(1).center());
        EXPECT_EQ(Prefs().fullReminderPercent(), 80);
    }

} // namespace
} // namespace wattlet
