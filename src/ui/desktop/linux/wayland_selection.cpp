#include "wayland_selection.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <wayland-client.h>

namespace wattlet {

namespace {

    // wlr-data-control-unstable-v1, version 1, declared by hand: only the requests and events
    // used here, in the protocol's order.
    extern const wl_interface sourceInterface;
    extern const wl_interface deviceInterface;
    extern const wl_interface offerInterface;

    // libwayland takes these arrays as non-const.
    const wl_interface* noTypes[] = { nullptr, nullptr };
    const wl_interface* sourceType[] = { &sourceInterface };
    const wl_interface* deviceTypes[] = { &deviceInterface, &wl_seat_interface };
    const wl_interface* offerType[] = { &offerInterface };

    // Requests by opcode.
    constexpr uint32_t createDataSource = 0;
    constexpr uint32_t getDataDevice = 1;
    constexpr uint32_t managerDestroy = 2;
    constexpr uint32_t setSelection = 0;
    constexpr uint32_t deviceDestroy = 1;
    constexpr uint32_t sourceOffer = 0;
    constexpr uint32_t sourceDestroy = 1;
    constexpr uint32_t offerDestroy = 1;

    // NOLINTBEGIN(readability-identifier-naming): the protocol's wire names.
    const wl_message managerRequests[] = {
        { "create_data_source", "n", sourceType },
        { "get_data_device", "no", deviceTypes },
        { "destroy", "", noTypes },
    };
    const wl_interface managerInterface
        = { "zwlr_data_control_manager_v1", 1, 3, managerRequests, 0, nullptr };

    const wl_message deviceRequests[] = {
        { "set_selection", "?o", sourceType },
        { "destroy", "", noTypes },
    };
    const wl_message deviceEvents[] = {
        { "data_offer", "n", offerType },
        { "selection", "?o", offerType },
        { "finished", "", noTypes },
    };
    const wl_interface deviceInterface
        = { "zwlr_data_control_device_v1", 1, 2, deviceRequests, 3, deviceEvents };

    const wl_message sourceRequests[] = {
        { "offer", "s", noTypes },
        { "destroy", "", noTypes },
    };
    const wl_message sourceEvents[] = {
        { "send", "sh", noTypes },
        { "cancelled", "", noTypes },
    };
    const wl_interface sourceInterface
        = { "zwlr_data_control_source_v1", 1, 2, sourceRequests, 2, sourceEvents };

    const wl_message offerRequests[] = {
        { "receive", "sh", noTypes },
        { "destroy", "", noTypes },
    };
    const wl_message offerEvents[] = {
        { "offer", "s", noTypes },
    };
    const wl_interface offerInterface
        = { "zwlr_data_control_offer_v1", 1, 2, offerRequests, 1, offerEvents };
    // NOLINTEND(readability-identifier-naming)

    // The text types that X11 and Wayland programs ask for.
    const char* const textTypes[]
        = { "text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "STRING", "TEXT" };

    void destroyWith(wl_proxy*& proxy, uint32_t destroyRequest)
    {
        if (proxy == nullptr)
            return;
        wl_proxy_marshal(proxy, destroyRequest);
        wl_proxy_destroy(proxy);
        proxy = nullptr;
    }

    // Writes what fits without waiting and closes `fd`: a reader that stalls or leaves must
    // neither hang the program nor end it with SIGPIPE.
    void writeAndClose(int fd, const QByteArray& bytes)
    {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        sigset_t pipe;
        sigset_t before;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, &before);
        qsizetype written = 0;
        while (written < bytes.size()) {
            const ssize_t n = ::write(
                fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
            if (n > 0)
                written += n;
            else if (n < 0 && errno != EINTR)
                break;
        }
        const timespec now {};
        while (sigtimedwait(&pipe, nullptr, &now) > 0) { }
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        ::close(fd);
    }

    struct DeviceListener
    {
        void (*dataOffer)(void*, wl_proxy*, wl_proxy*);
        void (*selection)(void*, wl_proxy*, wl_proxy*);
        void (*finished)(void*, wl_proxy*);
    };
    struct SourceListener
    {
        void (*send)(void*, wl_proxy*, const char*, int);
        void (*cancelled)(void*, wl_proxy*);
    };
    struct RegistryListener
    {
        void (*global)(void*, wl_proxy*, unsigned, const char*, unsigned);
        void (*globalRemove)(void*, wl_proxy*, unsigned);
    };

    // The listener tables are the C callbacks' arrays libwayland calls through.
    template <typename Listener> void listen(wl_proxy* proxy, const Listener& listener, void* data)
    {
        // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast)
        wl_proxy_add_listener(
            proxy, reinterpret_cast<void (**)(void)>(const_cast<Listener*>(&listener)), data);
    }

} // namespace

WaylandSelection::WaylandSelection(QObject* parent)
    : QObject(parent)
{ }

WaylandSelection::~WaylandSelection() { disconnect(); }

bool WaylandSelection::offer(const QByteArray& utf8)
{
    static QPointer<WaylandSelection> instance;
    if (instance.isNull()) {
        auto* made = new WaylandSelection(QCoreApplication::instance());
        if (!made->connectToCompositor()) {
            delete made;
            return false;
        }
        instance = made;
    }
    return instance->set(utf8);
}

bool WaylandSelection::connectToCompositor()
{
    m_display = wl_display_connect(nullptr);
    if (m_display == nullptr)
        return false;
    static const RegistryListener registryListener { registryGlobal, registryGlobalRemove };
    m_registry = reinterpret_cast<wl_proxy*>(wl_display_get_registry(m_display));
    listen(m_registry, registryListener, this);
    wl_display_roundtrip(m_display);
    if (m_seat == nullptr || m_manager == nullptr) {
        disconnect();
        return false;
    }
    m_device
        = wl_proxy_marshal_constructor(m_manager, getDataDevice, &deviceInterface, nullptr, m_seat);
    static const DeviceListener deviceListener { deviceDataOffer, deviceSelection, deviceFinished };
    listen(m_device, deviceListener, this);
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WaylandSelection::dispatch);
    wl_display_flush(m_display);
    return true;
}

bool WaylandSelection::set(const QByteArray& utf8)
{
    if (m_display == nullptr || m_device == nullptr)
        return false;
    destroyWith(m_source, sourceDestroy);
    m_text = utf8;
    m_source = wl_proxy_marshal_constructor(m_manager, createDataSource, &sourceInterface, nullptr);
    static const SourceListener sourceListener { sourceSend, sourceCancelled };
    listen(m_source, sourceListener, this);
    for (const char* type : textTypes)
        wl_proxy_marshal(m_source, sourceOffer, type);
    wl_proxy_marshal(m_device, setSelection, m_source);
    return wl_display_flush(m_display) >= 0 || errno == EAGAIN;
}

void WaylandSelection::dispatch()
{
    if (wl_display_dispatch(m_display) < 0) {
        // The compositor went away; the next copy tries afresh or falls back.
        disconnect();
        deleteLater();
        return;
    }
    wl_display_flush(m_display);
}

void WaylandSelection::disconnect()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_display == nullptr)
        return;
    destroyWith(m_source, sourceDestroy);
    destroyWith(m_device, deviceDestroy);
    destroyWith(m_manager, managerDestroy);
    if (m_seat != nullptr)
        wl_proxy_destroy(m_seat);
    m_seat = nullptr;
    if (m_registry != nullptr)
        wl_proxy_destroy(m_registry);
    m_registry = nullptr;
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
    m_display = nullptr;
}

void WaylandSelection::sourceSend(void* data, wl_proxy* source, const char* /*mimeType*/, int fd)
{
    auto* self = static_cast<WaylandSelection*>(data);
    // Every offered type is the same text.
    writeAndClose(fd, source == self->m_source ? self->m_text : QByteArray());
}

void WaylandSelection::sourceCancelled(void* data, wl_proxy* source)
{
    auto* self = static_cast<WaylandSelection*>(data);
    if (source == self->m_source) {
        destroyWith(self->m_source, sourceDestroy);
        self->m_text.clear();
    }
}

void WaylandSelection::deviceDataOffer(void*, wl_proxy*, wl_proxy*) { }

void WaylandSelection::deviceSelection(void*, wl_proxy*, wl_proxy* offer)
{
    // Nothing here reads the clipboard: each offer is let go as it comes.
    destroyWith(offer, offerDestroy);
}

void WaylandSelection::deviceFinished(void* data, wl_proxy*)
{
    auto* self = static_cast<WaylandSelection*>(data);
    destroyWith(self->m_device, deviceDestroy);
}

void WaylandSelection::registryGlobal(
    void* data, wl_proxy* registry, unsigned name, const char* interface, unsigned)
{
    auto* self = static_cast<WaylandSelection*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && self->m_seat == nullptr) {
        self->m_seat = static_cast<wl_proxy*>(wl_registry_bind(
            reinterpret_cast<wl_registry*>(registry), name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, managerInterface.name) == 0 && self->m_manager == nullptr) {
        self->m_manager = static_cast<wl_proxy*>(
            wl_registry_bind(reinterpret_cast<wl_registry*>(registry), name, &managerInterface, 1));
    }
}

void WaylandSelection::registryGlobalRemove(void*, wl_proxy*, unsigned) { }

} // namespace wattlet
