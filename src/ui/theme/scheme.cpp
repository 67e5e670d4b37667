#include "scheme.h"

#include "palette.h"
#include "style.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace wattlet {

namespace {

    // Dynamic property carrying an imposed scheme (0 light, 1 dark) on the root that got it.
    constexpr const char* schemeProperty = "wattletColorScheme";

    QColor grey(float white, float alpha = 1.0f)
    {
        return QColor::fromRgbF(white, white, white, alpha);
    }

} // namespace

QColor Scheme::background() const { return isDark() ? grey(0.125f) : grey(0.975f); }

QColor Scheme::label(LabelColor level) const
{
    const float ink = isDark() ? 1.0f : 0.0f;
    switch (level) {
    case LabelColor::primary:
        return grey(ink, 0.85f);
    case LabelColor::secondary:
        return grey(ink, isDark() ? 0.55f : 0.50f);
    case LabelColor::tertiary:
        return grey(ink, isDark() ? 0.25f : 0.26f);
    }
    return grey(ink, 0.85f);
}

QColor Scheme::primaryAt(qreal percent) const { return Style::withOpacity(primary(), percent); }

QColor Scheme::separator() const { return grey(isDark() ? 1.0f : 0.0f, 0.10f); }

QPalette Scheme::palette() const
{
    const QColor base = isDark() ? grey(0.19f) : grey(1.0f);
    const QColor button = isDark() ? grey(0.27f) : grey(0.99f);
    QPalette p(primary(), background());
    for (const auto group : { QPalette::Active, QPalette::Inactive }) {
        p.setColor(group, QPalette::Window, background());
        p.setColor(group, QPalette::WindowText, primary());
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::AlternateBase, isDark() ? grey(0.22f) : grey(0.95f));
        p.setColor(group, QPalette::Text, primary());
        p.setColor(group, QPalette::Button, button);
        p.setColor(group, QPalette::ButtonText, primary());
        p.setColor(group, QPalette::PlaceholderText, tertiary());
        p.setColor(group, QPalette::Highlight, Palette::malachite());
        p.setColor(group, QPalette::HighlightedText, grey(1.0f));
        p.setColor(group, QPalette::ToolTipBase, isDark() ? grey(0.22f) : grey(1.0f));
        p.setColor(group, QPalette::ToolTipText, primary());
        p.setColor(group, QPalette::Light, isDark() ? grey(0.35f) : grey(1.0f));
        p.setColor(group, QPalette::Midlight, isDark() ? grey(0.30f) : grey(0.92f));
        p.setColor(group, QPalette::Mid, isDark() ? grey(0.22f) : grey(0.80f));
        p.setColor(group, QPalette::Dark, isDark() ? grey(0.08f) : grey(0.62f));
        p.setColor(group, QPalette::Shadow, grey(0.0f, 0.5f));
    }
    for (const auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        p.setColor(QPalette::Disabled, role, tertiary());
    p.setColor(QPalette::Disabled, QPalette::Window, background());
    return p;
}

Scheme Scheme::fromPalette(const QPalette& palette)
{
    return Scheme(palette.color(QPalette::Window).lightnessF() < 0.5 ? ColorScheme::dark
                                                                     : ColorScheme::light);
}

Scheme Scheme::of(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant imposed = w->property(schemeProperty);
        if (imposed.isValid())
            return Scheme(imposed.toInt() == 1 ? ColorScheme::dark : ColorScheme::light);
    }
    return fromPalette(widget != nullptr ? widget->palette() : QApplication::palette());
}

void Scheme::impose(QWidget* root, ColorScheme kind)
{
    if (root == nullptr)
        return;
    root->setProperty(schemeProperty, kind == ColorScheme::dark ? 1 : 0);
    root->setPalette(Scheme(kind).palette());
    root->update();
}

void Scheme::release(QWidget* root)
{
    if (root == nullptr || !root->property(schemeProperty).isValid())
        return;
    root->setProperty(schemeProperty, QVariant());
    root->setPalette(QPalette());
    root->update();
}

} // namespace wattlet
