#include "tray_test_support.h"

#include "app/app_model.h"
#include "ui/panel/panel_window.h"
#include "ui/tray/linux/dbus_types.h"
#include "ui/tray/linux/status_notifier_item.h"
#include "ui/tray/status_controller.h"
#include "ui/tray/tray_icon.h"
#include "ui/tray/tray_item.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace wattlet {

/// Stands in for the panel's StatusNotifierWatcher and host on a connection of its own.
class FakeWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

public:
    explicit FakeWatcher(const QString& address)
        : m_connection(QDBusConnection::connectToBus(address, QStringLiteral("fake-watcher")))
    { }

    ~FakeWatcher() override
    {
        stop();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-watcher"));
    }

    bool start()
    {
        return m_connection.registerObject(
                   QStringLiteral("/StatusNotifierWatcher"), this, QDBusConnection::ExportAllSlots)
            && m_connection.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    }

    void stop()
    {
        m_connection.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
        m_connection.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    }

    QStringList registered;

    QDBusMessage callItem(const char* interface, const char* method, const QVariantList& arguments,
        const char* path = "/StatusNotifierItem")
    {
        QDBusMessage call = QDBusMessage::createMethodCall(registered.last(),
            QString::fromLatin1(path), QString::fromLatin1(interface), QString::fromLatin1(method));
        call.setArguments(arguments);
        // The item answers on this thread, so the call must leave the event loop running.
        QDBusPendingCall pending = m_connection.asyncCall(call);
        // A call that never finishes comes back as an error reply.
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 10000))
            return call.createErrorReply(QDBusError::Timeout, QStringLiteral("no answer"));
        return pending.reply();
    }

    QVariant property(const char* name)
    {
        const QDBusMessage reply = callItem("org.freedesktop.DBus.Properties", "Get",
            { QStringLiteral("org.kde.StatusNotifierItem"), QString::fromLatin1(name) });
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    template <typename T> T structProperty(const char* name)
    {
        T value {};
        property(name).value<QDBusArgument>() >> value;
        return value;
    }

    QDBusMessage callSni(const char* method, const QVariantList& arguments)
    {
        return callItem("org.kde.StatusNotifierItem", method, arguments);
    }

    QDBusMessage callMenu(const char* method, const QVariantList& arguments)
    {
        return callItem("com.canonical.dbusmenu", method, arguments, "/MenuBar");
    }

    /// Delivers one of the item's signals to `slot`, with the bus holding the match rule.
    bool watch(const char* signal, QObject* receiver, const char* slot,
        const char* interface = "org.kde.StatusNotifierItem",
        const QString& path = QStringLiteral("/StatusNotifierItem"))
    {
        const bool connected = m_connection.connect(registered.last(), path,
            QString::fromLatin1(interface), QString::fromLatin1(signal), receiver, slot);
        // The match rule travels asynchronously; a round trip makes sure the bus has it.
        m_connection.interface()->isServiceRegistered(registered.last());
        return connected;
    }

    DBusMenuLayoutItem layout()
    {
        const QDBusMessage reply = callMenu("GetLayout", { 0, -1, QStringList() });
        DBusMenuLayoutItem root;
        reply.arguments().value(1).value<QDBusArgument>() >> root;
        return root;
    }

    int idOf(const char* label)
    {
        for (const DBusMenuLayoutItem& child : layout().children)
            if (child.properties.value(QStringLiteral("label")) == QString::fromUtf8(label))
                return child.id;
        return -1;
    }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service) { registered.push_back(service); }

private:
    QDBusConnection m_connection;
};

/// Stands in for the desktop portal's settings as older portals offer them: Read, no ReadOne.
/// It prefers dark until told otherwise.
class FakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    explicit FakePortal(const QString& address)
        : m_connection(QDBusConnection::connectToBus(address, QStringLiteral("fake-portal")))
    { }
    ~FakePortal() override { QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal")); }

    bool start()
    {
        return m_connection.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)
            && m_connection.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    }

public Q_SLOTS:
    QDBusVariant Read(const QString&, const QString&)
    {
        return QDBusVariant(QVariant::fromValue(QDBusVariant(1U)));
    }

Q_SIGNALS:
    void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    QDBusConnection m_connection;
};

/// Counts the item's change signals as the host sees them.
class SignalCounter : public QObject
{
    Q_OBJECT

public:
    int icons = 0;
    int toolTips = 0;
    int labels = 0;
    int layouts = 0;
    QDBusMessage lastProperties;

public Q_SLOTS:
    void newIcon() { ++icons; }
    void newToolTip() { ++toolTips; }
    void newLabel(const QString&, const QString&) { ++labels; }
    void layoutUpdated(uint, int) { ++layouts; }
    void propertiesUpdated(const QDBusMessage& message) { lastProperties = message; }
};

namespace {

    BatteryReading reading(std::int64_t percent, bool onAC)
    {
        BatteryReading r;
        r.percent = percent;
        r.onAC = r.charging = onAC;
        r.minutesLeft = 65;
        return r;
    }

    /// The first fully opaque pixel of an icon, as its four bytes on the wire.
    QByteArray firstOpaquePixel(const DBusImage& image)
    {
        for (qsizetype i = 0; i + 3 < image.pixels.size(); i += 4) {
            if (uchar(image.pixels[i]) == 255)
                return image.pixels.mid(i, 4);
        }
        return {};
    }

} // namespace

class StatusNotifierItemTest : public ::testing::Test, protected test::TrayTestBase
{
protected:
    void SetUp() override
    {
        if (!busRunning())
            GTEST_SKIP() << "dbus-daemon is not available";
        registerDBusTypes();
        watcher = std::make_unique<FakeWatcher>(bus().address());
        ASSERT_TRUE(watcher->start());
        source.reading = reading(85, true);
        model = std::make_unique<AppModel>(std::nullopt, source.deps());
        model->prefs().setLanguage(LanguageChoice::en);
        controller = std::make_unique<StatusController>(*model, panels.factory());
        model->start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher->registered.isEmpty(); }));
    }

    test::FakeSource source;
    test::PanelCounter panels;
    SignalCounter counter;
    std::unique_ptr<FakeWatcher> watcher;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<StatusController> controller;
};

// What hosts read of the item (its status, its menu) is checked in real hosts (tests/hosts).
TEST_F(StatusNotifierItemTest, RegistersAgainWhenTheWatcherRestarts)
{
    StatusNotifierItem* item = controller->tray().statusNotifierItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(watcher->registered, QStringList { item->serviceName() });
    ASSERT_TRUE(QTest::qWaitFor([&] { return item->isRegistered(); }));
    EXPECT_FALSE(controller->tray().usesFallback());

    watcher->stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !item->isRegistered(); }));
    ASSERT_TRUE(watcher->start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watcher->registered.size() == 2; }));
    EXPECT_EQ(watcher->registered.last(), item->serviceName());
    EXPECT_TRUE(QTest::qWaitFor([&] { return item->isRegistered(); }));
}

TEST_F(StatusNotifierItemTest, SignalsOnlyWhatChanged)
{
    ASSERT_TRUE(watcher->watch("NewIcon", &counter, SLOT(newIcon())));
    ASSERT_TRUE(watcher->watch("NewToolTip", &counter, SLOT(newToolTip())));
    ASSERT_TRUE(watcher->watch("XAyatanaNewLabel", &counter, SLOT(newLabel(QString, QString))));

    model->refresh(true);
    controller->update();
    QTest::qWait(200);
    EXPECT_EQ(counter.icons + counter.toolTips + counter.labels, 0);

    // Only the summary's second line changes.
    source.reading->minutesLeft = 64;
    model->refresh(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.toolTips == 1; }));
    EXPECT_EQ(counter.icons, 0);

    // One percent less: the number in the icon, and with it the tooltip's icons; each signal
    // is its own message.
    source.reading = reading(84, true);
    model->refresh(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.icons == 1 && counter.toolTips == 2; }));
    EXPECT_EQ(counter.labels, 0);
}

TEST_F(StatusNotifierItemTest, PropertiesTravelInTheHostsFormat)
{
    source.reading = reading(7, false);
    model->refresh(true);
    const auto icon
        = watcher->structProperty<DBusImageList>("IconPixmap").value(trayIconSizes().indexOf(22));
    EXPECT_EQ(icon.pixels.size(), icon.width * icon.height * 4);
    // A critical charge is drawn red; on the wire each pixel is A, R, G, B.
    EXPECT_EQ(firstOpaquePixel(icon), QByteArray::fromHex("ffeb4545"));
    // The summary's first line is the title, for hosts that show nothing else.
    const auto toolTip = watcher->structProperty<DBusToolTip>("ToolTip");
    EXPECT_EQ(toolTip.title, QString::fromUtf8("7 % · on battery"));
    EXPECT_EQ(toolTip.body, QStringLiteral("left 1 h 5 min"));
}

TEST_F(StatusNotifierItemTest, ContextMenuPopsUpOneMenuAtTheClick)
{
    const auto popup = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    for (int i = 0; i < 100; ++i)
        watcher->callSni("ContextMenu", { 300, 20 });
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup() != nullptr; }));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_LE(std::ranges::count_if(QApplication::topLevelWidgets(),
                  [](QWidget* widget) { return qobject_cast<QMenu*>(widget) != nullptr; }),
        1);
    EXPECT_EQ(popup()->pos(), QPoint(300, 20));
    popup()->close();
}

TEST_F(StatusNotifierItemTest, MenuSendsOnlyTheRowsThatChanged)
{
    ASSERT_TRUE(watcher->watch("LayoutUpdated", &counter, SLOT(layoutUpdated(uint, int)),
        "com.canonical.dbusmenu", QStringLiteral("/MenuBar")));
    ASSERT_TRUE(
        watcher->watch("ItemsPropertiesUpdated", &counter, SLOT(propertiesUpdated(QDBusMessage)),
            "com.canonical.dbusmenu", QStringLiteral("/MenuBar")));
    watcher->callMenu("AboutToShow", { 0 });
    // The summary row is a title, not something to click.
    EXPECT_EQ(
        watcher->layout().children[0].properties.value(QStringLiteral("enabled")), QVariant(false));

    // The same rows in another language: only their changed labels travel.
    const int layoutsBefore = counter.layouts;
    model->prefs().setLanguage(LanguageChoice::ru);
    watcher->callMenu("AboutToShow", { 0 });
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.lastProperties.arguments().size() == 2; }));
    DBusMenuItemList updated;
    counter.lastProperties.arguments().value(0).value<QDBusArgument>() >> updated;
    ASSERT_EQ(updated.size(), 5);
    EXPECT_EQ(updated[1].id, watcher->idOf("Открыть панель"));
    EXPECT_EQ(updated[1].properties.keys(), QStringList { QStringLiteral("label") });
    EXPECT_EQ(counter.layouts, layoutsBefore);
    // Nothing changed since: no update.
    EXPECT_FALSE(watcher->callMenu("AboutToShow", { 0 }).arguments().value(0).toBool());

    // A row that goes away changes the layout.
    source.reading = std::nullopt;
    model->refresh(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.layouts == layoutsBefore + 1; }));
}

TEST_F(StatusNotifierItemTest, ClickEventsRunTheirRows)
{
    const QDBusMessage prepared
        = watcher->callMenu("AboutToShowGroup", { QVariant::fromValue(QList<int> { 0 }) });
    EXPECT_EQ(prepared.type(), QDBusMessage::ReplyMessage);
    const auto event = [&](int id, const char* type) {
        return watcher->callMenu(
            "Event", { id, QString::fromLatin1(type), QVariant::fromValue(QDBusVariant(0)), 0U });
    };
    EXPECT_EQ(event(4711, "clicked").type(), QDBusMessage::ErrorMessage);
    event(watcher->idOf("Open panel"), "hovered");
    QTest::qWait(100);
    EXPECT_FALSE(controller->isPanelOpen());
    event(watcher->idOf("Open panel"), "clicked");
    EXPECT_TRUE(QTest::qWaitFor([&] { return controller->isPanelOpen(); }));
}

TEST(TrayItem, MonochromeIconFollowsThePortalOnceAWatcherAppears)
{
    if (!test::DBusTestBus::session().isRunning())
        GTEST_SKIP() << "dbus-daemon is not available";
    test::ScopedEnv env;
    env.set("XDG_CURRENT_DESKTOP", QStringLiteral("XFCE"));
    env.unset("GTK_THEME");
    FakePortal portal(test::DBusTestBus::session().address());
    ASSERT_TRUE(portal.start());
    TrayItem tray(TrayActions {});
    tray.show(statusItemView(reading(85, true), false, Language::en));
    EXPECT_TRUE(tray.usesFallback());
    FakeWatcher watcher(test::DBusTestBus::session().address());
    ASSERT_TRUE(watcher.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tray.usesFallback(); }));
    const auto pixel = [&] {
        return firstOpaquePixel(watcher.structProperty<DBusImageList>("IconPixmap").value(0));
    };
    // The portal prefers dark: light ink, no outline.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tray.ink().outline.isValid(); }));
    const QByteArray onDark = pixel();

    SignalCounter counter;
    ASSERT_TRUE(watcher.watch("NewIcon", &counter, SLOT(newIcon())));
    Q_EMIT portal.SettingChanged(QStringLiteral("org.freedesktop.appearance"),
        QStringLiteral("color-scheme"), QDBusVariant(2U));
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.icons == 1; }));
    EXPECT_NE(pixel(), onDark);
}

TEST(TrayInk, FirstHintThatSpeaksDecidesTheShade)
{
    using S = PanelShade;
    using P = SchemePreference;
    struct Case
    {
        const char* name;
        TrayPanelHints hints;
        S shade;
    };
    const QString gnome = QStringLiteral("ubuntu:GNOME");
    const Case cases[] = {
        { "measured beats portal", { QColor(200, 200, 200), P::dark, {}, {}, {} }, S::light },
        { "portal beats GNOME", { {}, P::light, gnome, {}, {} }, S::light },
        { "GNOME's bar is dark", { {}, P::none, gnome, {}, 240 }, S::dark },
        { "GTK theme name", { {}, P::none, {}, QStringLiteral("Mint-Y-Dark"), {} }, S::dark },
        { "palette dark below 128", { {}, P::none, QStringLiteral("KDE"), {}, 127 }, S::dark },
        { "palette light from 128", { {}, P::none, QStringLiteral("KDE"), {}, 128 }, S::light },
        { "nothing says", { {}, P::none, {}, QStringLiteral("Darkroom"), {} }, S::unknown },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trayPanelShade(c.hints), c.shade);
    }
    // A light text colour on a light panel would vanish; where nothing says, light with an outline.
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(220, 220, 220));
    EXPECT_LT(trayInk(S::light, palette).foreground.lightness(), 64);
    const TrayInk unknown = trayInk(S::unknown, palette);
    EXPECT_GT(unknown.foreground.lightness(), 192);
    EXPECT_LT(unknown.outline.lightness(), 64);
}

// The host's token goes to the window system with the click it came for, and only that one.
TEST_F(StatusNotifierItemTest, ClicksToggleThePanelAtTheClickWithTheHostsToken)
{
    qunsetenv("XDG_ACTIVATION_TOKEN");
    watcher->callSni("ProvideXdgActivationToken", { QStringLiteral("token-1") });
    watcher->callSni("Activate", { 200, 10 });
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->isPanelOpen(); }));
    EXPECT_EQ(qgetenv("XDG_ACTIVATION_TOKEN"), "token-1");
    // Centred on the click, below the bar it came from (twice the click's depth, then a gap).
    EXPECT_EQ(controller->panel().geometry(), QRect(28, 24, 344, 300));
    qunsetenv("XDG_ACTIVATION_TOKEN");
    watcher->callSni("SecondaryActivate", { 200, 10 });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !controller->isPanelOpen(); }));
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
}

} // namespace wattlet

#include "status_notifier_item_test.moc"
