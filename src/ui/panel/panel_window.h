#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <memory>
#include <optional>

namespace wattlet {

/// Where a panel of `size` goes: centred below `anchor` (above it when it does not fit below),
/// kept inside `available`; at the top-right corner of `available` when there is no anchor.
[[nodiscard]] QRect panelGeometry(QSize size, std::optional<QPoint> anchor, QRect available);

/// The frameless popup that carries the panel. It closes on a click outside it, when it loses
/// the focus, and on Escape; it takes the keyboard focus when it opens.
class PanelWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PanelWindow(QWidget* parent = nullptr);
    ~PanelWindow() override;

    /// Shows `content` in place of the previous one, placed by panelGeometry on the screen of
    /// `anchor` (the primary screen without one).
    void open(std::unique_ptr<QWidget> content, std::optional<QPoint> anchor);
    [[nodiscard]] bool isOpen() const { return isVisible(); }
    [[nodiscard]] QWidget* content() const { return m_content; }
    /// Whether the panel closed less than `ms` ago, for instance because the click on the tray
    /// icon that is now asking to toggle it was a click outside it.
    [[nodiscard]] bool closedWithin(int ms) const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void place();

    QWidget* m_content = nullptr;
    std::optional<QPoint> m_anchor;
    QElapsedTimer m_closed;
};

} // namespace wattlet
