# Precompiled headers: the standard library, Qt and GoogleTest headers most files of a target
# include, parsed once per target instead of once per file (a clean build, as in CI, takes about
# half the time). Each file still includes what it uses: scripts/tidy compiles src/ without them,
# where a missing include fails. -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without them.
set(WATTLET_PCH_STD
  <algorithm> <array> <cmath> <cstdint> <functional> <memory> <optional> <string> <string_view>
  <utility> <vector>)
set(WATTLET_PCH_WIDGETS
  <QObject> <QString> <QStringList> <QTimer> <QWidget> <QPainter> <QPainterPath> <QColor> <QFont>
  <QFontMetricsF> <QImage> <QIcon> <QPixmap> <QGuiApplication> <QScreen> <QVBoxLayout>
  <QHBoxLayout> <QMouseEvent> <QKeyEvent>)

