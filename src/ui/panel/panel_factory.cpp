#include "panel_factory.h"

#include "panel_view.h"

namespace wattlet {

std::unique_ptr<QWidget> makePanel(AppModel& model)
{
    return std::make_unique<PanelView>(model, Page::main);
}

} // namespace wattlet
