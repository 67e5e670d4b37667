#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace wattlet {

enum class ColorScheme { light, dark };

/// The label colours a text or symbol can take from the current scheme.
enum class LabelColor { primary, secondary, tertiary };

/// The colours of the panel in one colour scheme. Light: background white level 0.975, labels
/// black at 85 / 50 / 26 % opacity. Dark: background white level 0.125, labels white at
/// 85 / 55 / 25 %. "Primary at N %" multiplies the primary label's opacity by N / 100.
class Scheme
{
public:
    constexpr explicit Scheme(ColorScheme kind = ColorScheme::light)
        : m_kind(kind)
    { }

    [[nodiscard]] constexpr ColorScheme kind() const { return m_kind; }
    [[nodiscard]] constexpr bool isDark() const { return m_kind == ColorScheme::dark; }

    /// The opaque panel background.
    [[nodiscard]] QColor background() const;
    [[nodiscard]] QColor label(LabelColor level) const;
    [[nodiscard]] QColor primary() const { return label(LabelColor::primary); }
    [[nodiscard]] QColor secondary() const { return label(LabelColor::secondary); }
    [[nodiscard]] QColor tertiary() const { return label(LabelColor::tertiary); }
    /// The primary label colour at `percent` % of its opacity (cards use 5 and 7).
    [[nodiscard]] QColor primaryAt(qreal percent) const;
    /// A hairline separator colour (black or white at 10 %).
    [[nodiscard]] QColor separator() const;
    /// A palette for standard widgets inside the panel: window = background, texts = primary,
    /// placeholder and disabled texts = tertiary, highlight = malachite.
    [[nodiscard]] QPalette palette() const;

    /// The scheme in force for `widget`: the one imposed on it or its nearest ancestor, else the
    /// desktop's (dark when the widget's window colour is dark). A null widget gives the
    /// application palette's scheme.
    [[nodiscard]] static Scheme of(const QWidget* widget);
    /// Imposes `kind` on `root` and everything inside it, now and for children added later: sets
    /// the scheme's palette on `root` and marks it so `of` finds the scheme without guessing.
    static void impose(QWidget* root, ColorScheme kind);
    /// Undoes `impose` on `root`: it follows its parent's or the application's palette again.
    static void release(QWidget* root);
    /// Light or dark by the lightness of the palette's window colour.
    [[nodiscard]] static Scheme fromPalette(const QPalette& palette);

    bool operator==(const Scheme&) const = default;

private:
    ColorScheme m_kind;
};

} // namespace wattlet
