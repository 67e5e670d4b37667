#include "app/cli_report.h"
#include "core/battery_text.h"
#include "support/temp_env.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace wattlet {
namespace {

    struct Report
    {
        std::optional<int> status;
        std::string output;
    };

    const Peripherals mouse { { "m", Peripheral::Kind::mouse, "", 8, std::nullopt, false } };

    // A battery whose limit the helper sets, in balanced mode.
    PowerControls controls()
    {
        const ChargeLimitState limit { ChargeLimitShape::startAndEnd, 75, 80, true, false,
            std::nullopt, ChargeLimitRoute::helper, ChargeLimitObstacle::noHardware, {}, false };
        return { limit, PowerProfilesState { { "power-saver", "balanced" }, "balanced", {}, {} } };
    }

    Report run(std::vector<std::string> arguments, const Peripherals& devices = {})
    {
        QStringList list { QStringLiteral("wattlet") };
        for (const auto& argument : arguments)
            list.push_back(QString::fromStdString(argument));
        char* buffer = nullptr;
        std::size_t size = 0;
        std::FILE* out = open_memstream(&buffer, &size);
        Report report;
        report.status
            = runCliReport(launchOptions(list), out, [&devices] { return devices; }, controls);
        std::fclose(out);
        report.output.assign(buffer, size);
        std::free(buffer);
        return report;
    }

    class CliReport : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            m_env.set("LANGUAGE", QStringLiteral("en"));
            m_env.unset("WATTLET_RECORDED");
            m_env.set("WATTLET_POWER_SUPPLY_DIR", m_dir.path());
        }

        void record(const char* json)
        {
            const auto path = m_dir.filePath(QStringLiteral("recorded.json"));
            ASSERT_TRUE(test::writeFile(path, json));
            m_env.set("WATTLET_RECORDED", path);
        }

        test::TempHome m_home;
        test::ScopedEnv m_env;
        QTemporaryDir m_dir;
    };

    TEST_F(CliReport, NoBatteryExitsWithStatusOne)
    {
        const Report summary = run({ "--summary" });
        EXPECT_EQ(summary.output, "No battery\n");
        EXPECT_EQ(summary.status, 1);
        EXPECT_EQ(run({ "--json" }).output, "null\n");
    }

    TEST_F(CliReport, SpeaksTheFirstOfTheUsersLanguagesWithACatalog)
    {
        m_env.set("LANGUAGE", QStringLiteral("xx_YY:de_AT.UTF-8:fr"));
        EXPECT_EQ(run({ "--summary" }).output, "Kein Akku\n");
        for (const Language language : BatteryText::languages()) {
            SCOPED_TRACE(language.code());
            m_env.set("LANGUAGE", QString::fromStdString(std::string(language.code()) + ".UTF-8"));
            EXPECT_EQ(run({ "--summary" }).output, BatteryText::t("noBattery", language) + "\n");
        }
    }

    // The texts are BatteryText's and readingJson()'s; here what the report adds to them.
    TEST_F(CliReport, PrintsTheSummaryOrTheJsonLineOfTheRecordedReadingWithTheDevices)
    {
        record(R"({"power":{"Current Capacity":87,"Is Charging":true,
        "Power Source State":"AC Power"},"registry":{"Voltage":12480,"InstantAmperage":2930}})");
        const auto summary = run({ "--summary" }, mouse);
        EXPECT_EQ(summary.status, 0);
        EXPECT_EQ(summary.output,
            "87 % · charging\ncalculating time…\nPower: +37 W (2.9 A · 12.5 V)\n"
            "Charge limit: 75–80 % · can be changed here\nPower mode: Balanced\nMouse: 8 %\n");
        const auto json = run({ "--json", "--summary" }, mouse);
        EXPECT_EQ(json.status, 0);
        EXPECT_TRUE(json.output.starts_with(R"({"present":true,"percent":87,"charging":true,)"))
            << json.output;
        EXPECT_TRUE(json.output.ends_with(
            R"("devices":[{"kind":"mouse","name":"Mouse","percent":8,"level":null,"charging":false}],)"
            R"("chargeLimit":{"shape":"startAndEnd","start":75,"end":80,"on":true,"lifted":false,)"
            R"("route":"helper","changeable":true,"obstacle":"none"},"powerProfile":{"active":)"
            R"("balanced","profiles":["power-saver","balanced"],"degraded":"","holds":[]}})"
            "\n"))
            << json.output;
    }

    TEST_F(CliReport, HealthPrintsTheStoredLogAsCsvWhateverElseIsAsked)
    {
        EXPECT_EQ(run({ "--health", "--json" }).output, "date,full,design,cycles,health\n");
        ASSERT_TRUE(test::writeFile(m_home.dataHome() + QStringLiteral("/Wattlet/health.json"),
            R"({"days":[{"date":"2025-01-31","full":4600,"design":5000,"cycles":212}]})"));
        const auto report = run({ "--summary", "--health" });
        EXPECT_EQ(report.status, 0);
        EXPECT_EQ(report.output, "date,full,design,cycles,health\n2025-01-31,4600,5000,212,92.0\n");
    }

    TEST_F(CliReport, SpeaksTheStoredLanguageAndWarnsAtTheStoredLevels)
    {
        ASSERT_TRUE(test::writeFile(m_home.configHome() + QStringLiteral("/Wattlet/Wattlet.conf"),
            "[General]\nlanguage=ru\nlowPercent=30\n"));
        EXPECT_EQ(run({ "--summary" }).output, "Батареи нет\n");
        record(R"({"power":{"Current Capacity":25,"Power Source State":"Battery Power"},
        "registry":{},"pack":{}})");
        const auto json = run({ "--json" }).output;
        EXPECT_NE(json.find(R"("warnings":["low"],"dot":"yellow")"), std::string::npos) << json;
    }

} // namespace
} // namespace wattlet
