#pragma once

#include <QAccessibleObject>

namespace wattlet {

/// The application as assistive technology sees it: Qt's, with the visible popup windows among
/// its windows too. Qt leaves popups out (they are menus to it), but the panel is a popup where
/// the window system needs one, and a screen reader must find it with its title there too.
class AccessibleApplication : public QAccessibleApplication
{
public:
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
};

/// Installs the factory that gives the application and every plain widget (the panel's window,
/// the AccessiblePart widgets) their interfaces. Call once, after the QApplication exists.
void installAccessibility();

} // namespace wattlet
