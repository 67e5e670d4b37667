#include "plasma_panels.h"

#include <QHash>
#include <QStringList>

#include <optional>

namespace wattlet {

namespace {

    using Edge = WindowSystem::ScreenBar::Edge;

    constexpr int defaultThickness = 44;
    constexpr int floatingMargins = 16;

    /// The key = value lines of an INI-like text by their group's header line ("[A][B]").
    QHash<QString, QHash<QString, QString>> groups(const QString& text)
    {
        QHash<QString, QHash<QString, QString>> result;
        QString group;
        for (const QString& raw : text.split(u'\n')) {
            const QString line = raw.trimmed();
            if (line.startsWith(u'['))
                group = line;
            else if (const auto equals = line.indexOf(u'='); equals > 0)
                result[group].insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        }
        return result;
    }

    /// Plasma's location numbers: 3 top, 4 bottom, 5 left, 6 right.
    std::optional<Edge> edgeOf(const QString& location)
    {
        static const QHash<QString, Edge> edges { { QStringLiteral("3"), Edge::top },
            { QStringLiteral("4"), Edge::bottom }, { QStringLiteral("5"), Edge::left },
            { QStringLiteral("6"), Edge::right } };
        const auto found = edges.constFind(location);
        return found == edges.constEnd() ? std::nullopt : std::optional<Edge>(*found);
    }

} // namespace

std::vector<WindowSystem::ScreenBar> plasmaPanels(const QString& applets, const QString& shell)
{
    const auto views = groups(shell);
    const auto containments = groups(applets);
    std::vector<WindowSystem::ScreenBar> bars;
    for (const auto& [header, keys] : containments.asKeyValueRange()) {
        const QStringList parts = header.split(QStringLiteral("]["));
        if (parts.size() != 2 || parts[0] != QLatin1String("[Containments")
            || keys.value(QStringLiteral("plugin")) != QLatin1String("org.kde.panel"))
            continue;
        const QString id = parts[1].chopped(1);
        const std::optional<Edge> edge = edgeOf(keys.value(QStringLiteral("location")));
        if (!edge)
            continue;
        const QString view = QStringLiteral("[PlasmaViews][Panel %1]").arg(id);
        bool ok = false;
        int thickness = views.value(view + QStringLiteral("[Defaults]"))
                            .value(QStringLiteral("thickness"))
                            .toInt(&ok);
        if (!ok)
            thickness = defaultThickness;
        if (thickness < 1 || thickness > 1000)
            continue;
        if (views.value(view).value(QStringLiteral("floating")) == QLatin1String("1"))
            thickness += floatingMargins;
        bars.push_back({ *edge, thickness });
    }
    return bars;
}

} // namespace wattlet
