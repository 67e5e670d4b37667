#include "sub_header.h"

#include "ui/components/plain_button.h"
#include "ui/drawing/icon_label.h"
#include "ui/drawing/mirror.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/palette.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    constexpr qreal spacing = Style::defaultSpacing;

    QFont titleFont() { return Style::font(14, Style::TextWeight::semibold); }

    IconLabel backLabel(const QString& text)
    {
        // The chevron points back, to the leading edge: to the right in a right-to-left panel.
        return { QStringLiteral("chevron.left"), text, Style::font(12, Style::TextWeight::medium),
            Style::symbolWeight(Style::TextWeight::medium), true };
    }

    class BackButton : public PlainButton
    {
    public:
        BackButton(const QString& title, std::function<void()> back, QWidget* parent)
            : PlainButton(std::move(back), parent)
        {
            setText(title);
            setAccessibleName(title);
        }

        [[nodiscard]] QSize sizeHint() const override
        {
            const QSizeF size = backLabel(text()).size();
            return { static_cast<int>(std::ceil(size.width())),
                static_cast<int>(std::ceil(size.height())) };
        }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter painter(this);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setOpacity(labelOpacity());
            backLabel(text()).paint(
                painter, Mirror(*this), rect(), Palette::malachite(), Qt::AlignLeft);
            painter.setOpacity(1.0);
            paintFocusRing(painter, rect(), 5);
        }
    };

} // namespace

SubHeader::SubHeader(
    QString title, const QString& backTitle, std::function<void()> back, QWidget* parent)
    : QWidget(parent)
    , m_title(std::move(title))
    , m_backButton(new BackButton(backTitle, std::move(back), this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_backButton->resize(m_backButton->sizeHint().width(), sizeHint().height());
}

QAbstractButton* SubHeader::backButton() const { return m_backButton; }

qreal SubHeader::ghostWidth() const
{
    return TextBlock::naturalWidth(m_backButton->text(), Style::font(12));
}

QSize SubHeader::sizeHint() const
{
    const QSize back = m_backButton->sizeHint();
    const qreal title = TextBlock::naturalWidth(m_title, titleFont());
    const qreal height = std::max({ static_cast<qreal>(back.height()),
        TextBlock::lineHeight(titleFont()), TextBlock::lineHeight(Style::font(12)) });
    return { static_cast<int>(std::ceil(back.width() + ghostWidth() + title + 4 * spacing)),
        static_cast<int>(std::ceil(height)) };
}

QSize SubHeader::minimumSizeHint() const
{
    const int back = m_backButton->sizeHint().width();
    return { static_cast<int>(std::ceil(back + ghostWidth() + 4 * spacing + 20)),
        sizeHint().height() };
}

QRectF SubHeader::titleRect() const { return Mirror(*this)(logicalTitleRect()); }

QRectF SubHeader::logicalTitleRect() const
{
    // Both spacers share the free space equally, as in a row of back, spacer, title, spacer,
    // invisible back text with the default spacing between neighbours. A title too long for
    // that row takes the invisible text's room first: off centre is better than cut.
    const qreal back = m_backButton->width();
    const qreal natural = TextBlock::naturalWidth(m_title, titleFont());
    const qreal ghost = std::clamp(width() - back - 4 * spacing - natural, 0.0, ghostWidth());
    const qreal room = std::max<qreal>(0.0, width() - back - ghost - 4 * spacing);
    const qreal titleWidth = std::min(natural, room);
    const qreal free = room - titleWidth;
    return { back + 2 * spacing + free / 2, 0, titleWidth, static_cast<qreal>(height()) };
}

void SubHeader::resizeEvent(QResizeEvent*) { placeBackButton(); }

void SubHeader::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LayoutDirectionChange)
        placeBackButton();
    QWidget::changeEvent(event);
}

void SubHeader::placeBackButton()
{
    m_backButton->setGeometry(
        Mirror(*this)(QRect(0, 0, m_backButton->sizeHint().width(), height())));
}

void SubHeader::paintEvent(QPaintEvent*)
{
    const QFont font = titleFont();
    const QRectF title = logicalTitleRect();
    const QFontMetricsF metrics(font);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Scheme::of(this).primary());
    drawLine(painter, fitLine(m_title, font, title.width() + 0.5), Mirror(*this), title,
        Qt::AlignLeft, title.center().y() - metrics.height() / 2 + metrics.ascent());
}

} // namespace wattlet
