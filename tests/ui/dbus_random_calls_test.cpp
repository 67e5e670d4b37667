#include "tray_test_support.h"

#include "app/present/menu_view.h"
#include "support/wait_until.h"
#include "ui/tray/linux/dbus_types.h"
#include "ui/tray/linux/status_notifier_item.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <deque>
#include <functional>
#include <random>
#include <vector>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// From the sanitizer runtime; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace wattlet {
namespace {

    std::size_t liveHeapBytes()
    {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        // Without the allocations the sanitizer holds back after they were freed.
        return __sanitizer_get_current_allocated_bytes();
#else
        const struct mallinfo2 info = mallinfo2();
        return info.uordblks + info.hblkhd;
#endif
    }

    /// Values for the arguments of the methods the tray item exports, with sizes from nothing to
    /// megabytes.
    class RandomArguments
    {
    public:
        explicit RandomArguments(unsigned seed)
            : m_random(seed)
        { }

        int number(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }
        bool chance(int percent) { return number(1, 100) <= percent; }
        /// Allows one huge string or array in the next call: a few megabytes, not gigabytes.
        void startCall() { m_hugeAllowed = true; }

        int id()
        {
            if (chance(5))
                return chance(50) ? INT_MIN : INT_MAX;
            return number(-3, 110);
        }
        qsizetype size() { return huge() ? number(100'000, 300'000) : number(0, 24); }
        QString text()
        {
            static const QStringList words { QStringLiteral("clicked"), QStringLiteral("label"),
                QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("ToolTip"),
                QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("IconPixmap") };
            if (chance(40))
                return words[number(0, int(words.size()) - 1)];
            QString text;
            const qsizetype length = huge() ? number(100'000, 500'000) : number(0, 40);
            text.reserve(length);
            for (qsizetype i = 0; i < length; ++i)
                text.push_back(QChar(char16_t(number(0x20, 0xD7FF))));
            return text;
        }
        QList<int> ids()
        {
            QList<int> list;
            for (qsizetype i = size(); i > 0; --i)
                list.push_back(id());
            return list;
        }
        QStringList texts()
        {
            QStringList list;
            for (qsizetype i = huge() ? 100'000 : number(0, 6); i > 0; --i)
                list.push_back(chance(20) ? text() : QString::number(number(0, 9)));
            return list;
        }
        DBusMenuEventList events()
        {
            DBusMenuEventList list;
            // Beyond this, the bus spends seconds checking the variants of one message.
            for (qsizetype i = std::min<qsizetype>(size(), 20'000); i > 0; --i)
                list.push_back({ id(), chance(50) ? QStringLiteral("clicked") : text(),
                    QDBusVariant(any()), uint(number(0, INT_MAX)) });
            return list;
        }
        QVariant any()
        {
            switch (number(0, 9)) {
            case 0:
                return id();
            case 1:
                return uint(number(0, INT_MAX));
            case 2:
                return text();
            case 3:
                return chance(50);
            case 4:
                return double(id()) / 7;
            case 5:
                return QByteArray(size(), 'x');
            case 6:
                return QVariant::fromValue(ids());
            case 7:
                return texts();
            case 8:
                return QVariantMap { { text(), id() } };
            default:
                return QVariant::fromValue(QDBusVariant(text()));
            }
        }

    private:
        bool huge()
        {
            if (!m_hugeAllowed || number(1, 1000) > 3)
                return false;
            m_hugeAllowed = false;
            return true;
        }

        std::mt19937 m_random;
        bool m_hugeAllowed = false;
    };

    struct Method
    {
        const char* path;
        const char* interface;
        const char* name;
        std::function<QVariantList(RandomArguments&)> arguments;
    };

    std::vector<Method> exportedMethods()
    {
        using R = RandomArguments;
        const char* item = "/StatusNotifierItem";
        const char* menu = "/MenuBar";
        const char* sni = "org.kde.StatusNotifierItem";
        const char* dbusmenu = "com.canonical.dbusmenu";
        const char* properties = "org.freedesktop.DBus.Properties";
        const auto point = [](R& r) { return QVariantList { r.id(), r.id() }; };
        std::vector<Method> methods {
            { item, sni, "Activate", point },
            { item, sni, "SecondaryActivate", point },
            { item, sni, "ContextMenu", point },
            { item, sni, "Scroll",
                [](R& r) {
                    return QVariantList { r.id(), r.text() };
                } },
            { menu, dbusmenu, "GetLayout",
                [](R& r) {
                    return QVariantList { r.id(), r.id(), r.texts() };
                } },
            { menu, dbusmenu, "GetGroupProperties",
                [](R& r) {
                    return QVariantList { QVariant::fromValue(r.ids()), r.texts() };
                } },
            { menu, dbusmenu, "GetProperty",
                [](R& r) {
                    return QVariantList { r.id(), r.text() };
                } },
            { menu, dbusmenu, "Event",
                [](R& r) {
                    return QVariantList { r.id(), r.text(),
                        QVariant::fromValue(QDBusVariant(r.any())), uint(r.id()) };
                } },
            { menu, dbusmenu, "EventGroup",
                [](R& r) { return QVariantList { QVariant::fromValue(r.events()) }; } },
            { menu, dbusmenu, "AboutToShow", [](R& r) { return QVariantList { r.id() }; } },
            { menu, dbusmenu, "AboutToShowGroup",
                [](R& r) { return QVariantList { QVariant::fromValue(r.ids()) }; } },
        };
        for (const char* path : { item, menu }) {
            methods.push_back({ path, properties, "Get", [](R& r) {
                                   return QVariantList { r.text(), r.text() };
                               } });
            methods.push_back(
                { path, properties, "GetAll", [](R& r) { return QVariantList { r.text() }; } });
            methods.push_back({ path, properties, "Set", [](R& r) {
                                   return QVariantList { r.text(), r.text(),
                                       QVariant::fromValue(QDBusVariant(r.any())) };
                               } });
            methods.push_back({ path, "org.freedesktop.DBus.Introspectable", "Introspect",
                [](R&) { return QVariantList {}; } });
        }
        return methods;
    }

    class DBusRandomCalls : public ::testing::Test, protected test::TrayTestBase
    {
    protected:
        void SetUp() override
        {
            if (!busRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
            registerDBusTypes();
        }

        /// Makes `count` calls, at most 32 unanswered at a time; false when one is not answered
        /// within five seconds.
        bool call(int count)
        {
            std::deque<QDBusPendingCall> pending;
            for (int i = 0; i < count || !pending.empty();) {
                if (i < count && pending.size() < 32) {
                    pending.push_back(m_caller.asyncCall(randomCall(), 5000));
                    ++i;
                    continue;
                }
                QCoreApplication::processEvents();
                if (!pending.front().isFinished()) {
                    QThread::usleep(50);
                    continue;
                }
                if (pending.front().reply().errorName()
                    == QLatin1String("org.freedesktop.DBus.Error.NoReply"))
                    return false;
                pending.pop_front();
            }
            return true;
        }

        QDBusMessage randomCall()
        {
            const Method& method
                = m_methods[std::size_t(m_arguments.number(0, int(m_methods.size()) - 1))];
            m_arguments.startCall();
            QDBusMessage message = QDBusMessage::createMethodCall(m_item->serviceName(),
                QString::fromLatin1(method.path), QString::fromLatin1(method.interface),
                QString::fromLatin1(method.name));
            message.setArguments(
                m_arguments.chance(60) ? method.arguments(m_arguments) : wrongArguments());
            return message;
        }

        /// Arguments of a few wrong signatures. QtDBus remembers every signature a method was
        /// called with, so endless new ones would grow its cache, not ours.
        QVariantList wrongArguments()
        {
            RandomArguments& r = m_arguments;
            switch (r.number(0, 6)) {
            case 0:
                return {};
            case 1:
                return { r.text() };
            case 2:
                return { r.id(), r.id(), r.id() };
            case 3:
                return { QVariant::fromValue(r.ids()) };
            case 4:
                return { r.texts(), QVariantMap { { r.text(), r.any() } } };
            case 5:
                return { QVariant::fromValue(QDBusVariant(r.any())) };
            default:
                return m_methods[std::size_t(r.number(0, int(m_methods.size()) - 1))].arguments(r);
            }
        }

        void TearDown() override
        {
            m_item.reset();
            QDBusConnection::disconnectFromBus(QStringLiteral("random-caller"));
        }

        int activations = 0;
        int runs = 0;
        std::unique_ptr<StatusNotifierItem> m_item;
        QDBusConnection m_caller
            = QDBusConnection::connectToBus(bus().address(), QStringLiteral("random-caller"));
        RandomArguments m_arguments { 21 };
        std::vector<Method> m_methods = exportedMethods();
    };

    TEST_F(DBusRandomCalls, TenThousandCallsNeitherCrashNorHangNorGrowTheHeap)
    {
        BatteryReading reading;
        reading.percent = 85;
        TrayActions actions { [this](std::optional<QPoint>) { ++activations; },
            [reading] { return menuView(reading); }, [this](MenuAction) { ++runs; } };
        m_item = std::make_unique<StatusNotifierItem>(
            QDBusConnection::sessionBus(), std::move(actions));
        ASSERT_TRUE(m_item->start());
        QElapsedTimer clock;
        clock.start();

        ASSERT_TRUE(call(2'000));
        test::serveEventsFor(100);
        const std::size_t before = liveHeapBytes();
        ASSERT_TRUE(call(8'000));
        test::serveEventsFor(100);
        const auto grown = static_cast<long long>(liveHeapBytes()) - static_cast<long long>(before);
        // QtDBus and libdbus fill caches for a while (about 25 bytes a call here); a leak of
        // anything the tray keeps per call shows above that.
        EXPECT_LT(grown, 512 * 1024) << grown << " bytes";
        RecordProperty("heapGrowthBytes", std::to_string(grown));
        RecordProperty("milliseconds", std::to_string(clock.elapsed()));

        // Still the same item, answering as before.
        EXPECT_GT(activations, 0);
        QDBusMessage layout
            = QDBusMessage::createMethodCall(m_item->serviceName(), QStringLiteral("/MenuBar"),
                QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("GetLayout"));
        layout.setArguments({ 0, -1, QStringList() });
        const QDBusPendingCall answer = m_caller.asyncCall(layout);
        ASSERT_TRUE(test::waitUntil([&] { return answer.isFinished(); }));
        ASSERT_FALSE(answer.isError()) << answer.error().message().toStdString();

        // Ten thousand clicks of one row in one call run its action once.
        DBusMenuLayoutItem root;
        answer.reply().arguments().value(1).value<QDBusArgument>() >> root;
        const auto row = std::find_if(root.children.begin(), root.children.end(),
            [](const DBusMenuLayoutItem& child) { return child.id > 1 && child.id < 100; });
        ASSERT_NE(row, root.children.end());
        const int runsBefore = runs;
        QDBusMessage clicks
            = QDBusMessage::createMethodCall(m_item->serviceName(), QStringLiteral("/MenuBar"),
                QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("EventGroup"));
        clicks.setArguments({ QVariant::fromValue(DBusMenuEventList(
            10'000, { row->id, QStringLiteral("clicked"), QDBusVariant(0), 0 })) });
        const QDBusPendingCall clicked = m_caller.asyncCall(clicks);
        ASSERT_TRUE(test::waitUntil([&] { return clicked.isFinished(); }));
        test::serveEventsFor(100);
        EXPECT_EQ(runs, runsBefore + 1);
    }

} // namespace
} // namespace wattlet
