#include "tray_test_support.h"

#include "app/present/menu_view.h"
#include "support/wait_until.h"
#include "ui/tray/linux/dbus_types.h"
#include "ui/tray/linux/status_notifier_item.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <deque>
#include <random>
#include <string_view>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// From the sanitizer runtime, without the memory it holds back after a free; GCC ships no header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace wattlet {
namespace {

    long long liveHeapBytes()
    {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
        const struct mallinfo2 info = mallinfo2();
        return static_cast<long long>(info.uordblks + info.hblkhd);
#endif
    }

    struct Method
    {
        const char* path;
        const char* interface;
        const char* name;
        /// The D-Bus signature of its arguments.
        std::string_view signature;
    };

    const char* const item = "/StatusNotifierItem";
    const char* const menu = "/MenuBar";
    const char* const sni = "org.kde.StatusNotifierItem";
    const char* const dbusmenu = "com.canonical.dbusmenu";
    const char* const properties = "org.freedesktop.DBus.Properties";

    const Method methods[] = { { item, sni, "Activate", "ii" },
        { item, sni, "SecondaryActivate", "ii" }, { item, sni, "ContextMenu", "ii" },
        { item, sni, "Scroll", "is" }, { menu, dbusmenu, "GetLayout", "iias" },
        { menu, dbusmenu, "GetGroupProperties", "aias" }, { menu, dbusmenu, "GetProperty", "is" },
        { menu, dbusmenu, "Event", "isvu" }, { menu, dbusmenu, "EventGroup", "E" },
        { menu, dbusmenu, "AboutToShow", "i" }, { menu, dbusmenu, "AboutToShowGroup", "ai" },
        { item, properties, "Get", "ss" }, { menu, properties, "Get", "ss" },
        { item, properties, "GetAll", "s" }, { menu, properties, "GetAll", "s" },
        { item, properties, "Set", "ssv" },
        { menu, "org.freedesktop.DBus.Introspectable", "Introspect", "" } };
    // QtDBus remembers every signature a method was called with, so wrong arguments keep to a
    // few: endless new ones would grow its cache, not ours.
    const std::string_view wrongSignatures[] = { "", "s", "iii", "ai", "asv", "v", "aiasv" };

    /// Arguments for a signature ("E" stands for dbusmenu's event list), with sizes from nothing
    /// to megabytes: one huge string or array in a few calls in a thousand.
    class RandomArguments
    {
    public:
        int number(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }
        template <typename T, std::size_t n> const T& any(const T (&items)[n])
        {
            return items[number(0, static_cast<int>(n) - 1)];
        }

        QVariantList of(std::string_view signature)
        {
            m_hugeAllowed = true;
            QVariantList values;
            for (std::size_t at = 0; at < signature.size(); ++at) {
                const bool array = signature[at] == 'a';
                at += array ? 1 : 0;
                values.push_back(array ? list(signature[at]) : value(signature[at]));
            }
            return values;
        }

    private:
        int id()
        {
            return number(0, 19) == 0 ? (number(0, 1) ? INT_MIN : INT_MAX) : number(-3, 110);
        }
        qsizetype size() { return huge() ? number(100'000, 300'000) : number(0, 24); }
        QString text()
        {
            if (number(0, 1) == 0)
                return QStringLiteral("clicked");
            QString text(huge() ? number(100'000, 500'000) : number(0, 40), QChar());
            for (QChar& c : text)
                c = QChar(char16_t(number(0x20, 0xD7FF)));
            return text;
        }
        QVariant value(char type)
        {
            if (type == 'i')
                return id();
            if (type == 'u')
                return uint(number(0, INT_MAX));
            if (type == 's')
                return text();
            if (type == 'v')
                return QVariant::fromValue(
                    QDBusVariant(number(0, 1) ? QVariant(text()) : QVariant(id())));
            // Beyond this, the bus spends seconds checking the variants of one message.
            DBusMenuEventList events;
            for (qsizetype i = std::min<qsizetype>(size(), 20'000); i > 0; --i)
                events.push_back({ id(), text(), QDBusVariant(id()), 0 });
            return QVariant::fromValue(events);
        }
        QVariant list(char type)
        {
            QList<int> ids;
            QStringList texts;
            for (qsizetype i = size(); i > 0; --i)
                type == 'i' ? ids.push_back(id()) : texts.push_back(text());
            return type == 'i' ? QVariant::fromValue(ids) : QVariant(texts);
        }
        bool huge()
        {
            const bool huge = m_hugeAllowed && number(1, 1000) <= 3;
            m_hugeAllowed = m_hugeAllowed && !huge;
            return huge;
        }

        std::mt19937 m_random { 21 };
        bool m_hugeAllowed = false;
    };

    class DBusRandomCalls : public ::testing::Test, protected test::TrayTestBase
    {
    protected:
        void SetUp() override
        {
            if (!busRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
            registerDBusTypes();
        }
        void TearDown() override
        {
            m_item.reset();
            QDBusConnection::disconnectFromBus(QStringLiteral("random-caller"));
        }

        QDBusPendingCall send(const Method& method, const QVariantList& arguments)
        {
            QDBusMessage call = QDBusMessage::createMethodCall(m_item->serviceName(),
                QString::fromLatin1(method.path), QString::fromLatin1(method.interface),
                QString::fromLatin1(method.name));
            call.setArguments(arguments);
            return m_caller.asyncCall(call, 5000);
        }

        /// Makes `count` random calls, at most 32 unanswered at a time; false when one is not
        /// answered within five seconds.
        bool call(int count)
        {
            std::deque<QDBusPendingCall> pending;
            for (int i = 0; i < count || !pending.empty();) {
                if (i < count && pending.size() < 32) {
                    const Method& method = m_random.any(methods);
                    const bool right = m_random.number(1, 10) <= 6;
                    const auto signature = right ? method.signature : m_random.any(wrongSignatures);
                    pending.push_back(send(method, m_random.of(signature)));
                    ++i;
                } else if (QCoreApplication::processEvents(); !pending.front().isFinished()) {
                    QThread::usleep(50);
                } else if (pending.front().reply().errorName()
                    == QLatin1String("org.freedesktop.DBus.Error.NoReply")) {
                    return false;
                } else {
                    pending.pop_front();
                }
            }
            return true;
        }

        QDBusMessage answer(const Method& method, const QVariantList& arguments)
        {
            const QDBusPendingCall pending = send(method, arguments);
            test::waitUntil([&] { return pending.isFinished(); });
            return pending.reply();
        }

        int activations = 0;
        int runs = 0;
        std::unique_ptr<StatusNotifierItem> m_item;
        QDBusConnection m_caller
            = QDBusConnection::connectToBus(bus().address(), QStringLiteral("random-caller"));
        RandomArguments m_random;
    };

    TEST_F(DBusRandomCalls, TenThousandCallsNeitherCrashNorHangNorGrowTheHeap)
    {
        BatteryReading reading;
        reading.percent = 85;
        m_item = std::make_unique<StatusNotifierItem>(QDBusConnection::sessionBus(),
            TrayActions { [this](std::optional<QPoint>) { ++activations; },
                [reading] { return menuView(reading, Language::en); },
                [this](MenuAction) { ++runs; } });
        ASSERT_TRUE(m_item->start());

        ASSERT_TRUE(call(2'000));
        test::serveEventsFor(100);
        const long long before = liveHeapBytes();
        ASSERT_TRUE(call(8'000));
        test::serveEventsFor(100);
        // QtDBus and glibc fill caches for a while (about 25 bytes a call here); whatever the
        // tray kept per call would show above that.
        EXPECT_LT(liveHeapBytes() - before, 512 * 1024);

        // Still the same item, answering as before; ten thousand clicks of one row in one call
        // run its action once.
        EXPECT_GT(activations, 0);
        const QDBusMessage layout = answer(methods[4], { 0, -1, QStringList() });
        ASSERT_EQ(layout.type(), QDBusMessage::ReplyMessage) << layout.errorMessage().toStdString();
        DBusMenuLayoutItem root;
        layout.arguments().value(1).value<QDBusArgument>() >> root;
        const auto row = std::find_if(root.children.begin(), root.children.end(),
            [](const DBusMenuLayoutItem& child) { return child.id > 1 && child.id < 100; });
        ASSERT_NE(row, root.children.end());
        const int runsBefore = runs;
        answer(methods[8],
            { QVariant::fromValue(DBusMenuEventList(
                10'000, { row->id, QStringLiteral("clicked"), QDBusVariant(0), 0 })) });
        test::serveEventsFor(100);
        EXPECT_EQ(runs, runsBefore + 1);
    }

} // namespace
} // namespace wattlet
