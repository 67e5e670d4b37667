#pragma once

#include <QString>

#include <vector>

namespace wattlet {

/// A text drawn in less room than it needs: cut with "…", cut after its last allowed line, or a
/// word broken inside because the line was narrower than the word. Widths in points: what the
/// text (or the broken word) needs on one line, and what it was given.
struct TextMiss
{
    QString text;
    qreal neededWidth = 0;
    qreal givenWidth = 0;
};

/// Hears of every text that is drawn without the room it needs while it lives: the snapshot
/// export names them for translators, and tests fail on them. Watches nest; the newest one
/// hears. Main thread only, like all painting.
class TextFitWatch
{
public:
    TextFitWatch();
    ~TextFitWatch();
    TextFitWatch(const TextFitWatch&) = delete;
    TextFitWatch& operator=(const TextFitWatch&) = delete;

    [[nodiscard]] const std::vector<TextMiss>& misses() const { return m_misses; }
    void clear() { m_misses.clear(); }

    /// Called by the drawing code; nothing happens without a watch.
    static void report(TextMiss miss);

private:
    TextFitWatch* m_outer;
    std::vector<TextMiss> m_misses;
};

} // namespace wattlet
