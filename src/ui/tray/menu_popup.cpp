#include "menu_popup.h"

#include "menu_icon.h"

#include <QIcon>
#include <QKeySequence>
#include <QMenu>

namespace wattlet {

void fillMenu(QMenu& menu, const MenuView& view, const std::function<void(MenuAction)>& run)
{
    menu.clear();
    for (const MenuRow& row : view.rows) {
        if (row.separator) {
            menu.addSeparator();
            continue;
        }
        // A literal "&" would otherwise become an access key.
        QAction* action = menu.addAction(
            QString::fromStdString(row.title).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setEnabled(row.enabled);
        if (const QString icon = menuIconName(row.symbol); !icon.isEmpty())
            action->setIcon(QIcon::fromTheme(icon));
        if (!row.shortcut.empty()) {
            action->setShortcut(
                QKeySequence(QStringLiteral("Ctrl+") + QString::fromStdString(row.shortcut)));
        }
        if (row.action != MenuAction::none) {
            QObject::connect(action, &QAction::triggered, &menu, [run, chosen = row.action] {
                if (run)
                    run(chosen);
            });
        }
    }
}

} // namespace wattlet
