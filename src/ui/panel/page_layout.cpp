#include "page_layout.h"

#include "ui/theme/style.h"

#include <QVBoxLayout>

namespace wattlet {

QVBoxLayout* pageLayout(QWidget* page, int spacing)
{
    auto* layout = new QVBoxLayout(page);
    const int p = Style::pagePadding;
    layout->setContentsMargins(p, p, p, p);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace wattlet
