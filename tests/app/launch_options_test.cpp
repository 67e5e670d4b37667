#include "app/launch_options.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    LaunchOptions parse(std::initializer_list<const char*> arguments)
    {
        QStringList list { QStringLiteral("/usr/bin/wattlet") };
        for (const char* argument : arguments)
            list.push_back(QString::fromUtf8(argument));
        return launchOptions(list);
    }

} // namespace

TEST(LaunchOptions, OnlyExactOptionsCountTheFirstOfEach)
{
    EXPECT_FALSE(parse({ "--snapshots=/tmp/x" }).snapshotDir);
    EXPECT_FALSE(parse({ "--Snapshot=/tmp/x" }).snapshotDir);
    EXPECT_FALSE(parse({ "--snapshot" }).snapshotDir);
    EXPECT_EQ(parse({ "--snapshot=/tmp/x" }).snapshotDir, QStringLiteral("/tmp/x"));
    EXPECT_EQ(parse({ "--snapshot=" }).snapshotDir, QString());
    EXPECT_EQ(parse({ "--snapshot=a=b/" }).snapshotDir, QStringLiteral("a=b/"));
    const LaunchOptions first
        = parse({ "--demo=low", "--snapshot=out", "--demo=battery", "--snapshot=later" });
    EXPECT_EQ(first.demoKind, "low");
    EXPECT_EQ(first.snapshotDir, QStringLiteral("out"));
    EXPECT_EQ(parse({ "--demo=" }).demoKind, "");
    EXPECT_EQ(parse({ "--demo=Battery" }).demoKind, "Battery");
    EXPECT_FALSE(parse({ "--demo" }).demoKind);
    EXPECT_FALSE(parse({ "-demo=low" }).demoKind);
    const LaunchOptions options = parse({ "--watch", "--json", "--verbose", "--helpme" });
    EXPECT_TRUE(options.watch);
    EXPECT_TRUE(options.json);
    EXPECT_FALSE(options.help);
    EXPECT_FALSE(options.version);
    EXPECT_TRUE(parse({ "--help" }).help);
    EXPECT_TRUE(parse({ "--version" }).version);
    EXPECT_FALSE(parse({}).watch);
}

} // namespace wattlet
