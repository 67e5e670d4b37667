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
#include <wlr-data-control-unstable-v1-client-protocol.h>

namespace wattlet {

namespace {

    // The text types that X11 and Wayland programs ask for.
    const char* const textTypes[]
        = { "text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "STRING", "TEXT" };

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
    static const wl_registry_listener registryListener { registryGlobal, registryGlobalRemove };
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    wl_display_roundtrip(m_display);
    if (m_seat == nullptr || m_manager == nullptr) {
        disconnect();
        return false;
    }
    m_device = zwlr_data_control_manager_v1_get_data_device(m_manager, m_seat);
    // Bound at version 1, the primary selection never comes; its offer would go like any other.
    static const zwlr_data_control_device_v1_listener deviceListener { deviceDataOffer,
        deviceSelection, deviceFinished, deviceSelection };
    zwlr_data_control_device_v1_add_listener(m_device, &deviceListener, this);
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WaylandSelection::dispatch);
    wl_display_flush(m_display);
    return true;
}

bool WaylandSelection::set(const QByteArray& utf8)
{
    if (m_display == nullptr || m_device == nullptr)
        return false;
    dropSource();
    m_text = utf8;
    m_source = zwlr_data_control_manager_v1_create_data_source(m_manager);
    static const zwlr_data_control_source_v1_listener sourceListener { sourceSend,
        sourceCancelled };
    zwlr_data_control_source_v1_add_listener(m_source, &sourceListener, this);
    for (const char* type : textTypes)
        zwlr_data_control_source_v1_offer(m_source, type);
    zwlr_data_control_device_v1_set_selection(m_device, m_source);
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
    dropSource();
    dropDevice();
    if (m_manager != nullptr)
        zwlr_data_control_manager_v1_destroy(m_manager);
    m_manager = nullptr;
    if (m_seat != nullptr)
        wl_seat_destroy(m_seat);
    m_seat = nullptr;
    if (m_registry != nullptr)
        wl_registry_destroy(m_registry);
    m_registry = nullptr;
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
    m_display = nullptr;
}

void WaylandSelection::dropSource()
{
    if (m_source != nullptr)
        zwlr_data_control_source_v1_destroy(m_source);
    m_source = nullptr;
}

void WaylandSelection::dropDevice()
{
    if (m_device != nullptr)
        zwlr_data_control_device_v1_destroy(m_device);
    m_device = nullptr;
}

void WaylandSelection::sourceSend(
    void* data, zwlr_data_control_source_v1* source, const char* /*mimeType*/, std::int32_t fd)
{
    auto* self = static_cast<WaylandSelection*>(data);
    // Every offered type is the same text.
    writeAndClose(fd, source == self->m_source ? self->m_text : QByteArray());
}

void WaylandSelection::sourceCancelled(void* data, zwlr_data_control_source_v1* source)
{
    auto* self = static_cast<WaylandSelection*>(data);
    if (source == self->m_source) {
        self->dropSource();
        self->m_text.clear();
    }
}

void WaylandSelection::deviceDataOffer(
    void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*)
{ }

void WaylandSelection::deviceSelection(
    void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    // Nothing here reads the clipboard: each offer is let go as it comes.
    if (offer != nullptr)
        zwlr_data_control_offer_v1_destroy(offer);
}

void WaylandSelection::deviceFinished(void* data, zwlr_data_control_device_v1*)
{
    static_cast<WaylandSelection*>(data)->dropDevice();
}

void WaylandSelection::registryGlobal(
    void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    auto* self = static_cast<WaylandSelection*>(data);
    // Version 1 of both: all that is used here.
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && self->m_seat == nullptr) {
        self->m_seat
            = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0
        && self->m_manager == nullptr) {
        self->m_manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
    }
}

void WaylandSelection::registryGlobalRemove(void*, wl_registry*, std::uint32_t) { }

} // namespace wattlet
