#pragma once

#include <QByteArray>
#include <QObject>

#include <cstdint>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;
struct zwlr_data_control_offer_v1;
class QSocketNotifier;

namespace wattlet {

/// The clipboard selection through the compositor's data-control protocol
/// (wlr-data-control-unstable-v1: sway, Hyprland, KWin and other wlroots compositors), on a
/// Wayland connection of its own beside Qt's. The text is served from here until another
/// client takes the selection.
class WaylandSelection : public QObject
{
public:
    /// Makes `utf8` the selection; false when there is no Wayland display or the compositor
    /// does not offer data control, and nothing is done.
    static bool offer(const QByteArray& utf8);

    ~WaylandSelection() override;
    WaylandSelection(const WaylandSelection&) = delete;
    WaylandSelection& operator=(const WaylandSelection&) = delete;

private:
    explicit WaylandSelection(QObject* parent);
    bool connectToCompositor();
    bool set(const QByteArray& utf8);
    void dispatch();
    void disconnect();
    void dropSource();
    void dropDevice();

    static void sourceSend(
        void* data, zwlr_data_control_source_v1* source, const char* mimeType, std::int32_t fd);
    static void sourceCancelled(void* data, zwlr_data_control_source_v1* source);
    static void deviceDataOffer(
        void* data, zwlr_data_control_device_v1* device, zwlr_data_control_offer_v1* offer);
    static void deviceSelection(
        void* data, zwlr_data_control_device_v1* device, zwlr_data_control_offer_v1* offer);
    static void deviceFinished(void* data, zwlr_data_control_device_v1* device);
    static void registryGlobal(void* data, wl_registry* registry, std::uint32_t name,
        const char* interface, std::uint32_t version);
    static void registryGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    zwlr_data_control_manager_v1* m_manager = nullptr;
    zwlr_data_control_device_v1* m_device = nullptr;
    zwlr_data_control_source_v1* m_source = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_text;
};

} // namespace wattlet
