#include "panel_test_support.h"

#include "app/demo.h"
#include "core/battery_text.h"
#include "ui/components/area_chart.h"
#include "ui/components/device_row.h"
#include "ui/components/pill_button.h"
#include "ui/components/segmented_control.h"
#include "ui/components/stepper.h"
#include "ui/components/sub_header.h"
#include "ui/components/toggle_switch.h"
#include "ui/components/warning_row.h"
#include "ui/drawing/render_image.h"
#include "ui/panel/main_page.h"
#include "ui/panel/panel_view.h"
#include "ui/panel/settings_page.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLayout>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wattlet {
namespace {

    using test::QuietModel;

    QString text(const char* utf8) { return QString::fromUtf8(utf8); }

    // Children that got less height than their text needs, or that reach outside their parent.
    std::vector<QString> clipped(const QWidget& page)
    {
        std::vector<QString> result;
        for (const QWidget* child : page.findChildren<QWidget*>()) {
            const QRect inParent(QPoint(0, 0), child->parentWidget()->size());
            const int needed = child->hasHeightForWidth() ? child->heightForWidth(child->width())
                                                          : child->minimumSizeHint().height();
            if (child->isVisible()
                && (!inParent.contains(child->geometry()) || child->height() < needed))
                result.push_back(QString::fromLatin1(child->metaObject()->className()));
        }
        return result;
    }

    // Where WATTLET_TEST_RENDER_DIR is set, the rendering is kept there to be looked at.
    void keep(const QImage& image, const std::string& name)
    {
        const QByteArray dir = qgetenv("WATTLET_TEST_RENDER_DIR");
        if (!dir.isEmpty())
            image.save(QString::fromUtf8(dir) + QLatin1Char('/') + QString::fromStdString(name)
                + QStringLiteral(".png"));
    }

    TEST(Pages, EveryPageFitsAndRenders344WideOnTheGreyOfItsSchemeInBothLanguages)
    {
        struct Shot
        {
            const char* name;
            std::optional<BatteryReading> reading;
            Page page;
        };
        const std::vector<Shot> shots {
            { "charging", Demo::reading("charging", 0), Page::main },
            { "low", Demo::reading("low", 0), Page::main },
            { "no battery", std::nullopt, Page::main },
            { "settings", Demo::reading("battery", 0), Page::settings },
            { "notifications", Demo::reading("battery", 0), Page::notifications },
            { "about", Demo::reading("battery", 0), Page::about },
        };
        for (const auto& [lang, choice] :
            { std::pair { "en", LanguageChoice::en }, std::pair { "ru", LanguageChoice::ru } }) {
            for (const auto& [scheme, grey] :
                { std::pair { ColorScheme::light, 249 }, std::pair { ColorScheme::dark, 32 } }) {
                const std::string name = std::string(lang) + (grey == 249 ? "-light" : "-dark");
                const QColor background(grey, grey, grey);
                for (const Shot& shot : shots) {
                    SCOPED_TRACE(name + " " + shot.name);
                    QuietModel quiet(shot.reading, choice);
                    PanelView panel(*quiet.model, shot.page, scheme);
                    const QImage image = renderImage(panel, 2);
                    EXPECT_EQ(image.width(), 688);
                    EXPECT_EQ(image.height(), 2 * panel.height());
                    EXPECT_GT(image.height(), 300);
                    for (const QPoint corner : { QPoint(1, 1), QPoint(686, image.height() - 2) })
                        EXPECT_EQ(image.pixelColor(corner), background);
                    EXPECT_GT(test::pixelsUnlike(image, background), 2000);
                }

                SCOPED_TRACE(name + " devices and health");
                QuietModel plain(Demo::reading("charging", 0), choice);
                PanelView without(*plain.model, Page::main, scheme);
                QuietModel quiet(Demo::reading("charging", 0), choice);
                quiet.model->setDemoPeripherals(Demo::peripherals("devices"));
                PanelView main(*quiet.model, Page::main, scheme);
                keep(renderImage(main, 2), "devices-" + name);
                EXPECT_EQ(clipped(main), std::vector<QString> {});
                const auto rows = main.findChildren<DeviceRow*>();
                ASSERT_EQ(rows.size(), 3);
                EXPECT_GT(main.height(), without.height() + 3 * rows[0]->height());
                // The mouse at 8 % is red, the keyboard at 72 % is not.
                const auto red = [](const QImage& image) {
                    int count = 0;
                    for (int y = 0; y < image.height(); ++y)
                        for (int x = 0; x < image.width(); ++x) {
                            const QColor c = image.pixelColor(x, y);
                            count += c.red() > 200 && c.green() < 120 ? 1 : 0;
                        }
                    return count;
                };
                EXPECT_GT(red(renderImage(*rows[0], 2)), 20);
                EXPECT_EQ(red(renderImage(*rows[1], 2)), 0);

                PanelView health(*quiet.model, Page::health, scheme);
                keep(renderImage(health, 2), "health-" + name);
                EXPECT_EQ(clipped(health), std::vector<QString> {});
                ASSERT_EQ(health.findChildren<AreaChart*>().size(), 1);
                EXPECT_GT(test::pixelsUnlike(
                              renderImage(*health.findChildren<AreaChart*>()[0], 2), background),
                    2000);
            }
        }
    }

    TEST(MainPage, LongWarningsWrapAndThePageGrowsForThem)
    {
        BatteryReading calm = Demo::reading("battery", 0);
        BatteryReading troubled = Demo::reading("low", 0);
        troubled.fullCapacity = 6000;
        QuietModel quietCalm(calm);
        QuietModel quietTroubled(troubled);
        MainPage calmPage(*quietCalm.model);
        MainPage troubledPage(*quietTroubled.model);
        const int calmHeight = calmPage.heightForWidth(344);
        troubledPage.resize(344, troubledPage.heightForWidth(344));
        troubledPage.layout()->activate();

        const auto rows = troubledPage.findChildren<WarningRow*>();
        ASSERT_EQ(rows.size(), 3);
        int rowsHeight = 0;
        for (const WarningRow* row : rows) {
            EXPECT_EQ(row->width(), 312);
            // Never cut: each row is as tall as its text needs at its width.
            EXPECT_EQ(row->height(), row->heightForWidth(row->width()));
            rowsHeight += row->height() + 14;
        }
        // "Critical: 9 % — plug in" fits on one line; the hot and health sentences need two.
        EXPECT_GT(rows[1]->height(), rows[0]->height());
        EXPECT_GT(rows[2]->height(), rows[0]->height());
        EXPECT_EQ(rows[1]->y() - rows[0]->y(), rows[0]->height() + 14);
        EXPECT_GE(troubledPage.heightForWidth(344), calmHeight + rowsHeight);
    }

    TEST(MainPage, CopyPutsTheSummaryOfTheCurrentReadingOnTheClipboard)
    {
        QuietModel quiet;
        quiet.source.reading = Demo::reading("charging", 0);
        quiet.model->refresh(false);
        MainPage page(*quiet.model);
        PillButton* copy = nullptr;
        for (auto* button : page.findChildren<PillButton*>())
            copy = button->text() == QStringLiteral("Copy summary") ? button : copy;
        ASSERT_NE(copy, nullptr);

        QApplication::clipboard()->setText(QStringLiteral("before"));
        quiet.source.reading->percent = 50;
        quiet.model->refresh(false);
        QTest::mouseClick(copy, Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text(),
            text("50 % · charging\nfull in 1 h 14 min\nPower: +75 W (6.4 A · 11.7 V)\n"
                 "Charger: 96 W · USB-C charger\nTemperature: 37 °C\n"
                 "Health: 98 % (8393 mAh / 8579)\nCycles: 90"));

        // The reading has gone by the time of the click: the clipboard keeps what it had.
        QApplication::clipboard()->setText(QStringLiteral("before"));
        quiet.source.reading.reset();
        quiet.model->refresh(false);
        QTest::mouseClick(copy, Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    }

    class SettingsPageTest : public ::testing::Test
    {
    protected:
        SettingsPageTest()
            : quiet(Demo::reading("battery", 0))
            , modelChanges(quiet.model.get(), &AppModel::willChange)
            , prefsChanges(&quiet.model->prefs(), &Prefs::willChange)
        {
            quiet.model->onUpdate = [this] {
                ++updates;
                effects.emplace_back("update");
            };
            QObject::connect(quiet.model.get(), &AppModel::willChange,
                [this] { effects.emplace_back("rebuild"); });
        }

        template <typename T> T* control(QWidget& page, const char* name)
        {
            auto* found = page.findChild<T*>(QString::fromUtf8(name));
            EXPECT_NE(found, nullptr) << name;
            return found;
        }

        QuietModel quiet;
        QSignalSpy modelChanges;
        QSignalSpy prefsChanges;
        int updates = 0;
        std::vector<std::string> effects;
    };

    TEST_F(SettingsPageTest, OnlyThePercentSwitchRedrawsTheTrayItem)
    {
        SettingsPage page(*quiet.model, [] {});
        fitToContent(page);
        auto* percent = control<ToggleSwitch>(page, "percent");
        auto* login = control<ToggleSwitch>(page, "login");
        auto* language = control<SegmentedControl>(page, "language");
        ASSERT_TRUE(percent && login && language);
        EXPECT_TRUE(percent->isChecked());
        // The language already chosen: no handler runs.
        QTest::mouseClick(language, Qt::LeftButton, {}, language->segmentRect(1).center());
        EXPECT_EQ(updates, 0);
        EXPECT_EQ(prefsChanges.count(), 0);

        QTest::mouseClick(percent, Qt::LeftButton);
        EXPECT_FALSE(quiet.model->prefs().showPercent());
        QTest::mouseClick(percent, Qt::LeftButton);
        EXPECT_TRUE(quiet.model->prefs().showPercent());
        EXPECT_EQ(updates, 2);

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
        EXPECT_EQ(updates, 2);
        EXPECT_EQ(modelChanges.count(), 0);
    }

    TEST_F(SettingsPageTest, ChoosingRussianSwitchesThePanelAndTheTrayItem)
    {
        PanelView panel(*quiet.model, Page::settings, ColorScheme::light);
        fitToContent(panel);
        auto* language = control<SegmentedControl>(panel, "language");
        ASSERT_TRUE(language);
        QTest::mouseClick(language, Qt::LeftButton, {}, language->segmentRect(2).center());
        EXPECT_EQ(quiet.model->prefs().language(), LanguageChoice::ru);
        // The views rebuild in the new language before the tray item is redrawn.
        EXPECT_EQ(effects, (std::vector<std::string> { "rebuild", "update" }));

        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(panel.page(), Page::settings);
        auto* settingsButton = panel.findChild<QWidget*>(QStringLiteral("settings"));
        ASSERT_NE(settingsButton, nullptr);
        EXPECT_EQ(settingsButton->toolTip(), text("Настройки"));
        auto* percent = panel.findChild<ToggleSwitch*>(QStringLiteral("percent"));
        ASSERT_NE(percent, nullptr);
        EXPECT_EQ(percent->accessibleName(), text("Процент в строке меню"));
        EXPECT_EQ(panel.findChild<SegmentedControl*>(QStringLiteral("language"))->selected(), 2);
    }

    TEST_F(SettingsPageTest, NotificationsPageWritesItsSettingsAndLeadsBackToTheSettings)
    {
        PanelView panel(*quiet.model, Page::settings, ColorScheme::light);
        // Each change rebuilds the page; the old one goes once the events are served.
        const auto settle = [&panel] {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            fitToContent(panel);
        };
        settle();
        QTest::mouseClick(control<QWidget>(panel, "notifications"), Qt::LeftButton);
        ASSERT_EQ(panel.page(), Page::notifications);
        settle();
        QTest::mouseClick(control<ToggleSwitch>(panel, "notify"), Qt::LeftButton);
        EXPECT_FALSE(quiet.model->prefs().notify());
        auto* low = control<Stepper>(panel, "lowPercent");
        QTest::mouseClick(low, Qt::LeftButton, {}, low->decreaseRect().center());
        EXPECT_EQ(Prefs::storedLevels().lowPercent, 15);
        EXPECT_EQ(updates, 1);
        settle();
        // The critical level stays below the low one.
        auto* critical = control<Stepper>(panel, "criticalPercent");
        QTest::mouseClick(critical, Qt::LeftButton, {}, critical->increaseRect().center());
        EXPECT_EQ(quiet.model->prefs().levels(), (WarningLevels { 15, 14, 10 }));
        settle();
        auto* reminder = control<SegmentedControl>(panel, "fullReminder");
        QTest::mouseClick(reminder, Qt::LeftButton, {}, reminder->segmentRect(1).center());
        EXPECT_EQ(quiet.model->prefs().fullReminderPercent(), 80);
        EXPECT_EQ(Prefs().fullReminderPercent(), 80);
        settle();
        QTest::mouseClick(panel.findChild<SubHeader*>()->backButton(), Qt::LeftButton);
        EXPECT_EQ(panel.page(), Page::settings);

        // With a charge limit the reminder is off and cannot be chosen.
        BatteryReading limited = Demo::reading("charging", 0);
        limited.chargeLimitPercent = 80;
        QuietModel held(limited);
        held.model->prefs().setFullReminderPercent(90);
        PanelView heldPanel(*held.model, Page::notifications, ColorScheme::light);
        keep(renderImage(heldPanel, 2), "notifications-limit");
        auto* off = control<SegmentedControl>(heldPanel, "fullReminder");
        EXPECT_FALSE(off->isEnabled());
        EXPECT_EQ(off->selected(), 0);
    }

} // namespace
} // namespace wattlet
