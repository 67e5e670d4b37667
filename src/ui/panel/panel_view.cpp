#include "panel_view.h"

#include "about_page.h"
#include "charge_limit_page.h"
#include "health_page.h"
#include "language_page.h"
#include "main_page.h"
#include "notifications_page.h"
#include "page_layout.h"
#include "settings_page.h"

#include "app/app_model.h"
#include "app/present/footer_view.h"
#include "ui/accessibility/accessible_part.h"
#include "ui/components/charge_ring.h"
#include "ui/components/footer_button.h"
#include "ui/components/plain_button.h"
#include "ui/drawing/mirror.h"
#include "ui/drawing/qt_text.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/style.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace wattlet {

namespace {

    // The author's link: plain text in secondary colour, the whole text is the click target.
    class BrandLink : public PlainButton
    {
    public:
        BrandLink(const QString& text, const QUrl& url, QWidget* parent = nullptr)
            : PlainButton([url] { QDesktopServices::openUrl(url); }, parent)
        {
            setText(text);
            setAccessibleName(text);
            setToolTip(url.toDisplayString());
        }

        [[nodiscard]] QSize sizeHint() const override
        {
            return { static_cast<int>(std::ceil(TextBlock::naturalWidth(text(), font11()))),
                static_cast<int>(std::ceil(TextBlock::lineHeight(font11()))) };
        }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter painter(this);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setOpacity(labelOpacity());
            painter.setPen(Scheme::of(this).secondary());
            drawLine(
                painter, fitLine(text(), font11(), width()), Mirror(*this), rect(), Qt::AlignLeft);
            painter.setOpacity(1.0);
            paintFocusRing(painter, rect(), 4);
        }

    private:
        static QFont font11() { return Style::font(11); }
    };

    // The standard hairline separator at 40 % opacity.
    class Separator : public QWidget, public AccessiblePart
    {
    public:
        [[nodiscard]] AccessibleFace accessibleFace() const override
        {
            return { QAccessible::Separator, {}, {}, {}, {}, -1 };
        }

        explicit Separator(QWidget* parent = nullptr)
            : QWidget(parent)
        {
            setFixedHeight(1);
            setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter(this).fillRect(rect(), Style::withOpacity(Scheme::of(this).separator(), 40));
        }
    };

    // The page a page's back button and Escape lead to: the settings' own pages lead back there.
    Page pageBefore(Page page)
    {
        return page == Page::notifications || page == Page::chargeLimit || page == Page::language
            ? Page::settings
            : Page::main;
    }

} // namespace

PanelView::PanelView(AppModel& model, Page page, std::optional<ColorScheme> scheme, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_page(page)
    , m_scheme(scheme)
{
    if (m_scheme)
        Scheme::impose(this, *m_scheme);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new Separator(this));
    rebuild();
    connect(&model, &AppModel::willChange, this, &PanelView::scheduleRebuild);
    connect(&model.prefs(), &Prefs::willChange, this, &PanelView::scheduleRebuild);
}

void PanelView::setPage(Page page)
{
    const bool focused = isAncestorOf(QApplication::focusWidget());
    m_page = page;
    showPage();
    // Built again after the page, so Tab reaches it after the page.
    showFooter();
    fitHeight();
    if (focused)
        focusPage();
}

void PanelView::toggleAbout() { setPage(m_page == Page::about ? Page::main : Page::about); }

void PanelView::toggleSettings()
{
    // The settings' own pages count as the settings.
    const bool settings = m_page == Page::settings || pageBefore(m_page) == Page::settings;
    setPage(settings ? Page::main : Page::settings);
}

void PanelView::scheduleRebuild()
{
    // The change signals fire before the new value is stored: build once it is.
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QMetaObject::invokeMethod(this, &PanelView::rebuild, Qt::QueuedConnection);
}

void PanelView::rebuild()
{
    m_rebuildPending = false;
    const QList<QWidget*> before = tabStops();
    QWidget* focused = QApplication::focusWidget();
    const bool ours = isAncestorOf(focused);
    const auto at = before.indexOf(focused);
    const SpokenParts spoken = spokenParts(m_pageWidget ? m_pageWidget.data() : this);
    showPage();
    showFooter();
    fitHeight();
    announceChanges(spoken, m_pageWidget);
    if (!ours)
        return;
    const QList<QWidget*> after = tabStops();
    if (at >= 0 && at < after.size())
        after[at]->setFocus(Qt::OtherFocusReason);
    else
        focusPage();
}

QList<QWidget*> PanelView::tabStops() const
{
    QList<QWidget*> stops;
    for (QWidget* w = nextInFocusChain(); w != this && w != nullptr; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this)
            && w->isEnabled())
            stops.push_back(w);
    }
    return stops;
}

void PanelView::focusPage()
{
    if (auto* ring = m_pageWidget->findChild<ChargeRing*>()) {
        ring->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* stop : tabStops()) {
        if (m_pageWidget->isAncestorOf(stop)) {
            stop->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void PanelView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    focusPage();
}

void PanelView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier
        && m_page != Page::main) {
        setPage(pageBefore(m_page));
        return;
    }
    QWidget::keyPressEvent(event);
}

void PanelView::showPage()
{
    // The old page may be the sender of this change (its back button): delete it later.
    if (m_pageWidget) {
        m_pageWidget->hide();
        m_pageWidget->deleteLater();
    }
    const auto back = [this] { setPage(pageBefore(m_page)); };
    switch (m_page) {
    case Page::main:
        m_pageWidget = new MainPage(m_model, [this] { setPage(Page::health); }, this);
        break;
    case Page::settings:
        m_pageWidget = new SettingsPage(
            m_model, back, [this] { setPage(Page::notifications); },
            [this] { setPage(Page::chargeLimit); }, [this] { setPage(Page::language); }, this);
        break;
    case Page::chargeLimit:
        m_pageWidget = new ChargeLimitPage(m_model, back, this);
        break;
    case Page::about:
        m_pageWidget = new AboutPage(m_model.prefs().textLanguage(), back, this);
        break;
    case Page::health:
        m_pageWidget = new HealthPage(m_model, back, this);
        break;
    case Page::language:
        m_pageWidget = new LanguagePage(m_model.prefs(), back, this);
        break;
    case Page::notifications:
        m_pageWidget = new NotificationsPage(m_model, back, this);
        break;
    }
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_pageWidget);
    m_pageWidget->show();
}

void PanelView::showFooter()
{
    if (m_footer) {
        m_footer->hide();
        m_footer->deleteLater();
    }
    const FooterView view = footerView(m_model.prefs().textLanguage());
    m_footer = new QWidget(this);
    auto* row = new QHBoxLayout(m_footer);
    row->setContentsMargins(14, 9, 14, 9);
    row->setSpacing(10);
    row->addWidget(new BrandLink(qText(view.brand), QUrl(qText(view.brandURL))));
    row->addStretch(1);
    const auto addButton = [row](const FooterView::Button& face, const QString& name,
                               std::function<void()> action) {
        auto* button = new FooterButton(qText(face.symbol), qText(face.help), std::move(action));
        button->setObjectName(name);
        row->addWidget(button);
    };
    addButton(view.about, QStringLiteral("about"), [this] { toggleAbout(); });
    addButton(view.settings, QStringLiteral("settings"), [this] { toggleSettings(); });
    addButton(view.quit, QStringLiteral("quit"),
        [] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); });
    layout()->addWidget(m_footer);
    m_footer->show();
}

void PanelView::fitHeight()
{
    layout()->activate();
    setFixedSize(Style::panelWidth, heightForWidth(Style::panelWidth));
}

QSize PanelView::sizeHint() const
{
    return { Style::panelWidth, heightForWidth(Style::panelWidth) };
}

int PanelView::heightForWidth(int width) const
{
    const int height = layout()->totalHeightForWidth(width);
    return height >= 0 ? height : layout()->totalSizeHint().height();
}

void PanelView::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Scheme::of(this).background());
}

void PanelView::changeEvent(QEvent* event)
{
    // A desktop switching between light and dark repaints the panel in its new scheme.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace wattlet
