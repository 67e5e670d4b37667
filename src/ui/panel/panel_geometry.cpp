#include "panel_geometry.h"

#include <algorithm>
#include <iterator>

namespace wattlet {

namespace {

    // Space between the click or the bar and the panel's edge.
    constexpr int gap = 4;
    // The bar assumed at the top when the work area reserves nothing, so that a bar the window
    // manager does not report (a Wayland bar seen from XWayland) stays uncovered.
    constexpr int assumedBar = 32;

    using Edge = WindowSystem::ScreenBar::Edge;

    struct EdgeDistance
    {
        Edge edge;
        int distance;
        // Whether the work area leaves out the bar there, so it need not be guessed.
        bool reserved = false;
    };

    /// The edge of the bar `point` (on the screen) is in: the one whose band the work area
    /// leaves out around it, else the nearest screen edge (top before bottom before left before
    /// right on ties), with the distance to that edge.
    EdgeDistance barEdge(QPoint point, QRect screen, QRect available)
    {
        const EdgeDistance edges[] = { { Edge::top, point.y() - screen.top() },
            { Edge::bottom, screen.bottom() - point.y() },
            { Edge::left, point.x() - screen.left() },
            { Edge::right, screen.right() - point.x() } };
        const bool reserved[] = { point.y() < available.top(), point.y() > available.bottom(),
            point.x() < available.left(), point.x() > available.right() };
        for (std::size_t i = 0; i < std::size(edges); ++i) {
            if (reserved[i])
                return { edges[i].edge, edges[i].distance, true };
        }
        return *std::min_element(std::begin(edges), std::end(edges),
            [](const EdgeDistance& a, const EdgeDistance& b) { return a.distance < b.distance; });
    }

    /// The edge where the work area leaves the widest band of the screen to bars; none when it
    /// leaves none.
    std::optional<Edge> reservedEdge(QRect screen, QRect available)
    {
        const EdgeDistance bands[] = { { Edge::top, available.top() - screen.top() },
            { Edge::bottom, screen.bottom() - available.bottom() },
            { Edge::left, available.left() - screen.left() },
            { Edge::right, screen.right() - available.right() } };
        const EdgeDistance widest = *std::max_element(std::begin(bands), std::end(bands),
            [](const EdgeDistance& a, const EdgeDistance& b) { return a.distance < b.distance; });
        if (widest.distance <= 0)
            return std::nullopt;
        return widest.edge;
    }

    /// `start` moved so that [start, start + length) lies within [low, high]; `low` when it
    /// cannot.
    int clampStart(int start, int length, int low, int high)
    {
        return std::max(low, std::min(start, high - length + 1));
    }

    /// Removes from `room` the band of `thickness` along the screen's `edge`.
    void excludeBand(QRect& room, QRect screen, Edge edge, int thickness)
    {
        switch (edge) {
        case Edge::top:
            room.setTop(std::max(room.top(), screen.top() + thickness));
            break;
        case Edge::bottom:
            room.setBottom(std::min(room.bottom(), screen.bottom() - thickness));
            break;
        case Edge::left:
            room.setLeft(std::max(room.left(), screen.left() + thickness));
            break;
        case Edge::right:
            room.setRight(std::min(room.right(), screen.right() - thickness));
            break;
        }
    }

    /// `rect` moved into `room` as far as it fits.
    QRect keptIn(QRect rect, QRect room)
    {
        rect.moveTo(clampStart(rect.left(), rect.width(), room.left(), room.right()),
            clampStart(rect.top(), rect.height(), room.top(), room.bottom()));
        return rect;
    }

    /// The panel against `room`'s side at `edge`, centred on `at` along that side, kept in
    /// `room`.
    QRect besideEdge(QSize size, QPoint at, Edge edge, QRect room)
    {
        QRect rect(QPoint(0, 0), size);
        if (edge == Edge::top || edge == Edge::bottom)
            rect.moveLeft(at.x() - size.width() / 2);
        else
            rect.moveTop(at.y() - size.height() / 2);
        switch (edge) {
        case Edge::top:
            rect.moveTop(room.top());
            break;
        case Edge::bottom:
            rect.moveBottom(room.bottom());
            break;
        case Edge::left:
            rect.moveLeft(room.left());
            break;
        case Edge::right:
            rect.moveRight(room.right());
            break;
        }
        return keptIn(rect, room);
    }

    /// Where the tray most likely is without a click: the work area's corner along the edge
    /// it reserves, the bottom one for side bars.
    QPoint trayCorner(Edge edge, QRect room)
    {
        switch (edge) {
        case Edge::top:
            return room.topRight();
        case Edge::left:
            return room.bottomLeft();
        case Edge::bottom:
        case Edge::right:
            break;
        }
        return room.bottomRight();
    }

} // namespace

QRect panelGeometry(QSize size, std::optional<QPoint> anchor, QRect screen, QRect available)
{
    if (screen.isEmpty())
        return { screen.topLeft(), size };
    QRect room = available.intersected(screen);
    if (room.isEmpty())
        room = screen;
    if (!anchor) {
        const std::optional<Edge> reserved = reservedEdge(screen, room);
        if (!reserved)
            excludeBand(room, screen, Edge::top, assumedBar + gap);
        const Edge edge = reserved.value_or(Edge::top);
        return besideEdge(size, trayCorner(edge, room), edge, room);
    }
    const QPoint at(std::clamp(anchor->x(), screen.left(), screen.right()),
        std::clamp(anchor->y(), screen.top(), screen.bottom()));
    const EdgeDistance bar = barEdge(at, screen, room);
    // Bars are thin: a click deeper in than this is not in one.
    const int barReach = std::min(screen.width(), screen.height()) / 8;
    if (bar.reserved || bar.distance <= barReach) {
        // The icon sits about mid-bar, so the bar reaches at least as far past the click.
        if (!bar.reserved)
            excludeBand(room, screen, bar.edge, 2 * bar.distance + gap);
        return besideEdge(size, at, bar.edge, room);
    }
    QRect rect(QPoint(at.x() - size.width() / 2, at.y() + gap), size);
    if (rect.bottom() > room.bottom())
        rect.moveBottom(at.y() - gap);
    return keptIn(rect, room);
}

QRect freeOfBars(QRect screen, QRect available, const std::vector<WindowSystem::ScreenBar>& bars)
{
    for (const WindowSystem::ScreenBar& bar : bars)
        excludeBand(available, screen, bar.edge, bar.thickness);
    return available;
}

} // namespace wattlet
