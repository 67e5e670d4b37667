#pragma once

#include "ui/theme/scheme.h"

#include <QPointer>
#include <QWidget>

#include <optional>

namespace wattlet {

class AppModel;

enum class Page { main, settings, about, health, notifications, chargeLimit, language };

/// The panel: one page, a faint separator and the footer (the author's link and the about,
/// settings and quit buttons), 344 points wide and as tall as its content, on an opaque grey of
/// its colour scheme. The scheme is imposed (snapshots) or, when none is given, follows the
/// desktop's palette. The panel rebuilds itself after every change signal of the model or its
/// preferences (queued, so it shows the assigned values); the page shown survives rebuilds, and so
/// does the keyboard focus (the same control by its place in the Tab order). Tab runs through the
/// page in reading order, then the footer; Escape leaves a page for the one it came from. Given
/// the focus, the panel passes it on: the main page to its ring, which a screen reader reads
/// first, the other pages to their first control.
class PanelView : public QWidget
{
    Q_OBJECT

public:
    explicit PanelView(AppModel& model, Page page = Page::main,
        std::optional<ColorScheme> scheme = std::nullopt, QWidget* parent = nullptr);

    [[nodiscard]] Page page() const { return m_page; }
    /// Shows `page` at once.
    void setPage(Page page);
    /// The footer's about and settings buttons: open their page, or return to the main page from
    /// it.
    void toggleAbout();
    void toggleSettings();

    /// The page widget shown now.
    [[nodiscard]] QWidget* pageWidget() const { return m_pageWidget; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuild();
    void scheduleRebuild();
    void showPage();
    void showFooter();
    void fitHeight();
    void focusPage();
    /// The controls Tab reaches, in its order.
    [[nodiscard]] QList<QWidget*> tabStops() const;

    AppModel& m_model;
    Page m_page;
    std::optional<ColorScheme> m_scheme;
    QPointer<QWidget> m_pageWidget;
    QPointer<QWidget> m_footer;
    bool m_rebuildPending = false;
};

} // namespace wattlet
