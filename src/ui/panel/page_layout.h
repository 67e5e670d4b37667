#pragma once

class QVBoxLayout;
class QWidget;

namespace wattlet {

/// The vertical layout of a panel page: padding 16 on every edge and `spacing` between rows.
QVBoxLayout* pageLayout(QWidget* page, int spacing);

} // namespace wattlet
