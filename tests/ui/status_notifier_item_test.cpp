#include "tray_test_support.h"

#include "app/app_model.h"
#include "core/battery_text.h"
#include "support/scoped_language.h"
#include "ui/panel/panel_window.h"
#include "ui/tray/linux/dbus_types.h"
#include "ui/tray/linux/status_notifier_item.h"
#include "ui/tray/status_controller.h"
#include "ui/tray/tray_icon.h"
#include "ui/tray/tray_item.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

namespace wattlet {

/// Stands in for the panel's StatusNotifierWatcher and host on a connection of its own.
class FakeWatcher : public QObject, protected QDBusContext
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

    QDBusConnection& host() { return m_connection; }
    QStringList registered;

    QDBusMessage callItem(const QString& interface, const QString& method,
        const QVariantList& arguments, const QString& path = QStringLiteral("/StatusNotifierItem"))
    {
        QDBusMessage call
            = QDBusMessage::createMethodCall(registered.last(), path, interface, method);
        call.setArguments(arguments);
        // The item answers on this thread, so the call must leave the event loop running.
        QDBusPendingCall pending = m_connection.asyncCall(call);
        // A call that never finishes comes back as an error reply.
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 10000))
            return call.createErrorReply(QDBusError::Timeout, QStringLiteral("no answer"));
        return pending.reply();
    }

    QVariant property(const QString& name)
    {
        const QDBusMessage reply = callItem(QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"), { QStringLiteral("org.kde.StatusNotifierItem"), name });
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    template <typename T> T structProperty(const QString& name)
    {
        T value {};
        property(name).value<QDBusArgument>() >> value;
        return value;
    }

    QDBusMessage callMenu(const QString& method, const QVariantList& arguments)
    {
        return callItem(QStringLiteral("com.canonical.dbusmenu"), method, arguments,
            QStringLiteral("/MenuBar"));
    }

    DBusMenuLayoutItem layout()
    {
        const QDBusMessage reply = callMenu(QStringLiteral("GetLayout"), { 0, -1, QStringList() });
        DBusMenuLayoutItem root;
        reply.arguments().value(1).value<QDBusArgument>() >> root;
        return root;
    }

    QStringList labels()
    {
        QStringList result;
        for (const DBusMenuLayoutItem& child : layout().children) {
            result.push_back(child.properties.value(QStringLiteral("type")).toString()
                        == QLatin1String("separator")
                    ? QStringLiteral("---")
                    : child.properties.value(QStringLiteral("label")).toString());
        }
        return result;
    }

    int idOf(const QString& label)
    {
        for (const DBusMenuLayoutItem& child : layout().children) {
            if (child.properties.value(QStringLiteral("label")).toString() == label)
                return child.id;
        }
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

    void setScheme(uint scheme)
    {
        Q_EMIT SettingChanged(QStringLiteral("org.freedesktop.appearance"),
            QStringLiteral("color-scheme"), QDBusVariant(scheme));
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
    QString lastLabel;

public Q_SLOTS:
    void newIcon() { ++icons; }
    void newToolTip() { ++toolTips; }
    void newLabel(const QString& label, const QString&)
    {
        ++labels;
        lastLabel = label;
    }
    void layoutUpdated(uint, int) { ++layouts; }
};

namespace {

    BatteryReading reading(std::int64_t percent, bool onAC)
    {
        BatteryReading r;
        r.percent = percent;
        r.onAC = onAC;
        r.charging = onAC;
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
        controller = std::make_unique<StatusController>(*model, panels.factory());
        model->start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher->registered.isEmpty(); }));
    }

    void TearDown() override
    {
        controller.reset();
        model.reset();
        watcher.reset();
    }

    void connectCounter(const char* signal, const char* slot, const QString& interface,
        const QString& path = QStringLiteral("/StatusNotifierItem"))
    {
        ASSERT_TRUE(watcher->host().connect(watcher->registered.last(), path, interface,
            QString::fromLatin1(signal), &counter, slot));
        // The match rule travels asynchronously; a round trip makes sure the bus has it.
        watcher->host().interface()->isServiceRegistered(watcher->registered.last());
    }

    test::FakeSource source;
    test::PanelCounter panels;
    SignalCounter counter;
    std::unique_ptr<FakeWatcher> watcher;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<StatusController> controller;
};

TEST_F(StatusNotifierItemTest, RegistersItsOwnServiceWithTheWatcher)
{
    StatusNotifierItem* item = controller->tray().statusNotifierItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(watcher->registered, QStringList { item->serviceName() });
    EXPECT_TRUE(item->serviceName().startsWith(QStringLiteral("org.kde.StatusNotifierItem-")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return item->isRegistered(); }));
    EXPECT_FALSE(controller->tray().usesFallback());

    EXPECT_EQ(watcher->property(QStringLiteral("Category")).toString(), QStringLiteral("Hardware"));
    EXPECT_EQ(watcher->property(QStringLiteral("Id")).toString(), QStringLiteral("Wattlet"));
    EXPECT_EQ(watcher->property(QStringLiteral("Title")).toString(), QStringLiteral("Wattlet"));
    EXPECT_EQ(watcher->property(QStringLiteral("Status")).toString(), QStringLiteral("Active"));
    EXPECT_EQ(watcher->property(QStringLiteral("ItemIsMenu")).toBool(), false);
    EXPECT_EQ(watcher->property(QStringLiteral("Menu")).value<QDBusObjectPath>().path(),
        QStringLiteral("/MenuBar"));
}

TEST_F(StatusNotifierItemTest, HostReadsIconsTooltipAndLabelOfTheLatestRefresh)
{
    const test::ScopedLanguage english("en");
    source.reading = reading(7, false);
    model->refresh(true);

    const auto icons = watcher->structProperty<DBusImageList>(QStringLiteral("IconPixmap"));
    QList<int> sizes;
    for (const DBusImage& icon : icons) {
        EXPECT_EQ(icon.width, icon.height);
        EXPECT_EQ(icon.pixels.size(), icon.width * icon.height * 4);
        sizes.push_back(icon.width);
    }
    EXPECT_EQ(sizes, (QList<int> { 22, 32, 48, 44, 64, 96 }));
    // A critical charge is drawn red; on the wire each pixel is A, R, G, B.
    EXPECT_EQ(firstOpaquePixel(icons[2]), QByteArray::fromHex("ffff3b30"));

    const auto toolTip = watcher->structProperty<DBusToolTip>(QStringLiteral("ToolTip"));
    EXPECT_EQ(toolTip.title, QStringLiteral("Wattlet"));
    EXPECT_EQ(toolTip.body, QString::fromUtf8("7 % · on battery\nleft 1 h 5 min"));
    EXPECT_EQ(toolTip.icons.size(), 6);
    EXPECT_EQ(watcher->property(QStringLiteral("XAyatanaLabel")).toString(), QStringLiteral("7%"));

    model->prefs().setShowPercent(false);
    model->onUpdate();
    EXPECT_EQ(watcher->property(QStringLiteral("XAyatanaLabel")).toString(), QString());
}

TEST_F(StatusNotifierItemTest, SignalsOnlyWhatChanged)
{
    const QString sni = QStringLiteral("org.kde.StatusNotifierItem");
    connectCounter("NewIcon", SLOT(newIcon()), sni);
    connectCounter("NewToolTip", SLOT(newToolTip()), sni);
    connectCounter("XAyatanaNewLabel", SLOT(newLabel(QString, QString)), sni);

    model->refresh(true);
    controller->update();
    QCoreApplication::processEvents();
    QTest::qWait(200);
    EXPECT_EQ(counter.icons + counter.toolTips + counter.labels, 0);

    // One percent less on power: same symbol and tint, new summary and label.
    source.reading = reading(84, true);
    model->refresh(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.labels == 1; }));
    EXPECT_EQ(counter.lastLabel, QStringLiteral("84%"));
    EXPECT_EQ(counter.toolTips, 1);
    EXPECT_EQ(counter.icons, 0);

    // Unplugged at a critical level: a new symbol and colour.
    source.reading = reading(5, false);
    model->refresh(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.icons == 1; }));
    EXPECT_EQ(counter.toolTips, 2);
}

TEST_F(StatusNotifierItemTest, ActivateTogglesTheFreshPanelAtTheClick)
{
    const int readsBefore = source.reads;
    watcher->callItem(
        QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"), { 200, 10 });
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->isPanelOpen(); }));
    EXPECT_EQ(panels.built, 1);
    // Opening refreshes the reading but records nothing.
    EXPECT_EQ(source.reads, readsBefore + 1);
    EXPECT_EQ(source.saves, 1);
    // Centred below the click: 200 − 344 / 2, 10 + a small gap.
    EXPECT_EQ(controller->panel().geometry(), QRect(28, 14, 344, 300));

    watcher->callItem(QStringLiteral("org.kde.StatusNotifierItem"),
        QStringLiteral("SecondaryActivate"), { 200, 10 });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller->isPanelOpen(); }));
}

TEST_F(StatusNotifierItemTest, MenuShowsTheRowsOfTheCurrentLanguage)
{
    connectCounter("LayoutUpdated", SLOT(layoutUpdated(uint, int)),
        QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("/MenuBar"));
    {
        const test::ScopedLanguage english("en");
        watcher->callMenu(QStringLiteral("AboutToShow"), { 0 });
        EXPECT_EQ(watcher->labels(),
            (QStringList { QString::fromUtf8("85 % · charging · full in 1 h 5 min"),
                QStringLiteral("---"), QStringLiteral("Open panel"), QStringLiteral("Power"),
                QStringLiteral("Copy summary"), QStringLiteral("---"),
                QString::fromUtf8("by Morvane · morvane.dev"), QStringLiteral("---"),
                QStringLiteral("Quit") }));
    }
    const test::ScopedLanguage russian("ru");
    const int layoutsBefore = counter.layouts;
    const QDBusMessage reply = watcher->callMenu(QStringLiteral("AboutToShow"), { 0 });
    EXPECT_TRUE(reply.arguments().value(0).toBool());
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.layouts == layoutsBefore + 1; }));
    EXPECT_EQ(watcher->labels().mid(2, 3),
        (QStringList { QString::fromUtf8("Открыть панель"), QString::fromUtf8("Питание"),
            QString::fromUtf8("Скопировать сводку") }));
    // Nothing changed since: no new layout.
    EXPECT_FALSE(
        watcher->callMenu(QStringLiteral("AboutToShow"), { 0 }).arguments().value(0).toBool());
}

TEST_F(StatusNotifierItemTest, MenuRowsCarryStateShortcutsAndIcons)
{
    const test::ScopedLanguage english("en");
    watcher->callMenu(QStringLiteral("AboutToShow"), { 0 });
    const DBusMenuLayoutItem root = watcher->layout();
    ASSERT_EQ(root.children.size(), 9);
    EXPECT_EQ(root.children[0].properties.value(QStringLiteral("enabled")), QVariant(false));

    const QDBusMessage reply = watcher->callMenu(QStringLiteral("GetGroupProperties"),
        { QVariant::fromValue(QList<int> {
              watcher->idOf(QStringLiteral("Quit")), watcher->idOf(QStringLiteral("Power")) }),
            QStringList { QStringLiteral("shortcut"), QStringLiteral("icon-name") } });
    DBusMenuItemList items;
    reply.arguments().value(0).value<QDBusArgument>() >> items;
    ASSERT_EQ(items.size(), 2);
    QList<QStringList> quitShortcut;
    items[0].properties.value(QStringLiteral("shortcut")).value<QDBusArgument>() >> quitShortcut;
    EXPECT_EQ(
        quitShortcut, (QList<QStringList> { { QStringLiteral("Control"), QStringLiteral("q") } }));
    EXPECT_FALSE(items[0].properties.contains(QStringLiteral("icon-name")));
    QList<QStringList> powerShortcut;
    items[1].properties.value(QStringLiteral("shortcut")).value<QDBusArgument>() >> powerShortcut;
    EXPECT_EQ(powerShortcut,
        (QList<QStringList> { { QStringLiteral("Control"), QStringLiteral("comma") } }));
    EXPECT_EQ(items[1].properties.value(QStringLiteral("icon-name")).toString(),
        QStringLiteral("preferences-system"));
}

TEST_F(StatusNotifierItemTest, ClickedEventsRunTheirRows)
{
    const test::ScopedLanguage english("en");
    watcher->callMenu(QStringLiteral("AboutToShow"), { 0 });
    QGuiApplication::clipboard()->clear();
    const QVariantList copy { watcher->idOf(QStringLiteral("Copy summary")),
        QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0U };
    EXPECT_EQ(watcher->callMenu(QStringLiteral("Event"), copy).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QGuiApplication::clipboard()->text().isEmpty(); }));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
        QString::fromUtf8("85 % · charging\nfull in 1 h 5 min"));

    const QVariantList hover { watcher->idOf(QStringLiteral("Open panel")),
        QStringLiteral("hovered"), QVariant::fromValue(QDBusVariant(0)), 0U };
    watcher->callMenu(QStringLiteral("Event"), hover);
    QTest::qWait(100);
    EXPECT_FALSE(controller->isPanelOpen());
    const QVariantList open { watcher->idOf(QStringLiteral("Open panel")),
        QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0U };
    watcher->callMenu(QStringLiteral("Event"), open);
    EXPECT_TRUE(QTest::qWaitFor([&] { return controller->isPanelOpen(); }));

    const QVariantList unknown { 4711, QStringLiteral("clicked"),
        QVariant::fromValue(QDBusVariant(0)), 0U };
    EXPECT_EQ(
        watcher->callMenu(QStringLiteral("Event"), unknown).type(), QDBusMessage::ErrorMessage);
}

TEST_F(StatusNotifierItemTest, ContextMenuPopsUpTheRowsAtThePoint)
{
    const test::ScopedLanguage english("en");
    watcher->callItem(
        QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("ContextMenu"), { 300, 20 });
    ASSERT_TRUE(
        QTest::qWaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts.push_back(action->isSeparator() ? QStringLiteral("---") : action->text());
    EXPECT_EQ(texts.mid(2, 3),
        (QStringList { QStringLiteral("Open panel"), QStringLiteral("Power"),
            QStringLiteral("Copy summary") }));
    EXPECT_FALSE(menu->actions().first()->isEnabled());
    EXPECT_EQ(menu->pos(), QPoint(300, 20));
    menu->close();
}

TEST_F(StatusNotifierItemTest, RegistersAgainWhenTheWatcherRestarts)
{
    StatusNotifierItem* item = controller->tray().statusNotifierItem();
    ASSERT_TRUE(QTest::qWaitFor([&] { return item->isRegistered(); }));
    watcher->stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !item->isRegistered(); }));
    ASSERT_TRUE(watcher->start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watcher->registered.size() == 2; }));
    EXPECT_EQ(watcher->registered.last(), item->serviceName());
    EXPECT_TRUE(QTest::qWaitFor([&] { return item->isRegistered(); }));
}

TEST(TrayItem, FallsBackWithoutAWatcherAndLeavesTheFallbackWhenOneAppears)
{
    if (!test::DBusTestBus::session().isRunning())
        GTEST_SKIP() << "dbus-daemon is not available";
    TrayItem tray(TrayActions {});
    EXPECT_TRUE(tray.usesFallback());
    FakeWatcher watcher(test::DBusTestBus::session().address());
    ASSERT_TRUE(watcher.start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tray.usesFallback(); }));
    EXPECT_EQ(watcher.registered.size(), 1);
}

TEST(TrayItem, MonochromeIconFollowsThePortalColourScheme)
{
    if (!test::DBusTestBus::session().isRunning())
        GTEST_SKIP() << "dbus-daemon is not available";
    test::ScopedEnv env;
    env.set("XDG_CURRENT_DESKTOP", QStringLiteral("XFCE"));
    env.unset("GTK_THEME");
    FakePortal portal(test::DBusTestBus::session().address());
    ASSERT_TRUE(portal.start());
    FakeWatcher watcher(test::DBusTestBus::session().address());
    ASSERT_TRUE(watcher.start());
    TrayItem tray(TrayActions {});
    tray.show(statusItemView(reading(85, true), false));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.registered.isEmpty(); }));
    const auto pixel = [&] {
        return firstOpaquePixel(
            watcher.structProperty<DBusImageList>(QStringLiteral("IconPixmap")).value(0));
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return pixel() == QByteArray::fromHex("fff2f2f2"); }));

    SignalCounter counter;
    ASSERT_TRUE(watcher.host().connect(watcher.registered.last(),
        QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
        QStringLiteral("NewIcon"), &counter, SLOT(newIcon())));
    watcher.host().interface()->isServiceRegistered(watcher.registered.last());
    portal.setScheme(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.icons == 1; }));
    EXPECT_EQ(pixel(), QByteArray::fromHex("ff000000"));
    // No preference on the light test palette draws the same pixmaps: nothing to announce.
    portal.setScheme(0);
    QTest::qWait(200);
    EXPECT_EQ(counter.icons, 1);
}

TEST(TrayIcon, MonochromeSymbolIsLightOnlyOnDarkPanels)
{
    using P = SchemePreference;
    const std::tuple<const char*, P, const char*, int, bool> cases[]
        = { { "ubuntu:GNOME", P::light, "", 240, true }, { "KDE", P::light, "", 240, false },
              { "XFCE", P::dark, "", 240, true }, { "XFCE", P::none, "Adwaita:dark", 240, true },
              { "XFCE", P::none, "Mint-Y-Dark", 240, true },
              { "XFCE", P::none, "Darkroom", 240, false }, { "XFCE", P::none, "", 127, true },
              { "XFCE", P::none, "", 128, false } };
    for (const auto& [desktop, scheme, gtkTheme, windowLightness, dark] : cases) {
        SCOPED_TRACE(std::string(desktop) + gtkTheme + std::to_string(windowLightness));
        EXPECT_EQ(trayPanelIsDark(QString::fromUtf8(desktop), scheme, QString::fromUtf8(gtkTheme),
                      windowLightness),
            dark);
    }
    // A light text colour on a light panel would vanish.
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(220, 220, 220));
    EXPECT_EQ(trayForeground(false, palette), QColor(30, 30, 30));
}

} // namespace wattlet

#include "status_notifier_item_test.moc"
