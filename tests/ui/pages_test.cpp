#include "panel_test_support.h"

#include "app/demo.h"
#include "ui/components/segmented_control.h"
#include "ui/components/stepper.h"
#include "ui/components/sub_header.h"
#include "ui/components/toggle_switch.h"
#include "ui/drawing/render_image.h"
#include "ui/panel/panel_view.h"
#include "ui/panel/settings_page.h"

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

    // Russian texts run longer; each language gets one of the schemes.
    TEST(Pages, NothingIsCutOnTheGreyOfTheScheme)
    {
        BatteryReading troubled = Demo::reading("low", 0);
        troubled.fullCapacity = 6000; // critical, hot and worn: three warnings, two of them long
        struct Shot
        {
            const char* name;
            std::optional<BatteryReading> reading;
            Page page;
        };
        const Shot shots[] = {
            { "devices", Demo::reading("charging", 0), Page::main },
            { "warnings", troubled, Page::main },
            { "no battery", std::nullopt, Page::main },
            { "settings", Demo::reading("battery", 0), Page::settings },
            { "notifications", Demo::reading("battery", 0), Page::notifications },
            { "about", Demo::reading("battery", 0), Page::about },
            { "health", Demo::reading("charging", 0), Page::health },
        };
        for (const auto& [lang, choice, scheme, grey] :
            { std::tuple { "en-light", LanguageChoice::en, ColorScheme::light, 249 },
                std::tuple { "ru-dark", LanguageChoice::ru, ColorScheme::dark, 32 } }) {
            for (const Shot& shot : shots) {
                SCOPED_TRACE(std::string(lang) + " " + shot.name);
                QuietModel quiet(shot.reading, choice);
                quiet.model->setDemoPeripherals(Demo::peripherals("devices"));
                PanelView panel(*quiet.model, shot.page, scheme);
                const QImage image = renderImage(panel, 2);
                EXPECT_EQ(clipped(panel), std::vector<QString> {});
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
