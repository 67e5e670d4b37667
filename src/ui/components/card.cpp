#include "card.h"

#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QPainter>

namespace wattlet {

Card::Card(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void Card::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Style::paintCard(painter, rect(), 12, Scheme::of(this).primaryAt(5));
}

} // namespace wattlet
