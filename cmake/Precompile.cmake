# Precompiled headers: the standard library, Qt and GoogleTest headers most files of a target
# include, parsed once per target instead of once per file (a clean build, as in CI, takes about
# half the time). Each file still includes what it uses: scripts/tidy compiles src/ without them,
# where a missing include fails. -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without them.
# GCC 12 leaves the headers' "#pragma GCC diagnostic" out of a precompiled header (fixed in
# GCC 13): the standard library's string code, inlined at -O1 and above, can then set off
# -Warray-bounds or -Wstringop-overflow in a file that compiles cleanly without it. Such a file
# gets SKIP_PRECOMPILE_HEADERS, never a weaker warning set. The core, light files mostly without
# Qt, compiles quicker without one.
set(WATTLET_PCH_STD
  <algorithm> <array> <cmath> <cstdint> <functional> <memory> <optional> <string> <string_view>
  <utility> <vector>)
set(WATTLET_PCH_WIDGETS
  <QObject> <QString> <QStringList> <QTimer> <QWidget> <QPainter> <QPainterPath> <QColor> <QFont>
  <QFontMetricsF> <QImage> <QIcon> <QPixmap> <QGuiApplication> <QScreen> <QVBoxLayout>
  <QHBoxLayout> <QMouseEvent> <QKeyEvent>)

