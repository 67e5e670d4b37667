#include "menu_popup.h"

#include "menu_icon.h"

#include <QActionGroup>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

namespace wattlet {

namespace {

    // Qt matches an action's shortcut only through a window it belongs to, and a menu that pops
    // up on its own belongs to none: without this the Ctrl+C it shows does nothing.
    class MenuShortcuts : public QObject
    {
    public:
        explicit MenuShortcuts(QMenu& menu)
            : QObject(&menu)
            , m_menu(menu)
        {
            setObjectName(name());
            menu.installEventFilter(this);
        }

        static QString name() { return QStringLiteral("menuShortcuts"); }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched != &m_menu || event->type() != QEvent::KeyPress)
                return false;
            const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
            for (QAction* action : m_menu.actions()) {
                if (action->isEnabled() && !action->shortcut().isEmpty()
                    && action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
                    m_menu.close();
                    action->trigger();
                    return true;
                }
            }
            return false;
        }

    private:
        QMenu& m_menu;
    };

} // namespace

void fillMenu(QMenu& menu, const MenuView& view, const std::function<void(MenuAction)>& run)
{
    menu.clear();
    if (menu.findChild<QObject*>(MenuShortcuts::name(), Qt::FindDirectChildrenOnly) == nullptr)
        new MenuShortcuts(menu);
    // The choices among several (the power mode) show as radio items.
    QActionGroup* choices = nullptr;
    for (const MenuRow& row : view.rows) {
        if (row.separator) {
            menu.addSeparator();
            continue;
        }
        // A literal "&" would otherwise become an access key.
        QAction* action = menu.addAction(
            QString::fromStdString(row.title).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setEnabled(row.enabled);
        if (row.checked) {
            if (choices == nullptr)
                choices = new QActionGroup(action);
            action->setActionGroup(choices);
            action->setCheckable(true);
            action->setChecked(*row.checked);
        }
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
