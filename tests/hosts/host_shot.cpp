// Screenshots and pixel comparisons for the real-host check (run_hosts.sh).
//   host_shot grab OUT.png                 the whole X screen ($DISPLAY)
//   host_shot diff A.png B.png [X Y W H]   the box "x y w h" where the two differ, or "none";
//                                          a given box (a clock) is not compared
//   host_shot crop IN.png X Y W H OUT.png  a part of a picture
//   host_shot window                       a plain window until killed (another app to click)
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRasterWindow>
#include <QRect>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Anti-aliasing and cursor blinks aside, a change worth noticing moves a channel this far.
constexpr int threshold = 40;

bool differs(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) > threshold || std::abs(qGreen(a) - qGreen(b)) > threshold
        || std::abs(qBlue(a) - qBlue(b)) > threshold;
}

int grab(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[2])))
        return 1;
    return 0;
}

int window(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QRasterWindow plain;
    plain.setTitle(QStringLiteral("another window"));
    plain.resize(640, 480);
    plain.show();
    return QGuiApplication::exec();
}

int diff(const char* first, const char* second, QRect ignored)
{
    const QImage a = QImage(QString::fromLocal8Bit(first)).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(QString::fromLocal8Bit(second)).convertToFormat(QImage::Format_RGB32);
    if (a.isNull() || b.isNull() || a.size() != b.size())
        return 1;
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (differs(rowA[x], rowB[x]) && !ignored.contains(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    if (box.isNull())
        std::puts("none");
    else
        std::printf("%d %d %d %d\n", box.x(), box.y(), box.width(), box.height());
    return 0;
}

int crop(char** argv)
{
    const QImage image(QString::fromLocal8Bit(argv[2]));
    const QRect part(
        std::stoi(argv[3]), std::stoi(argv[4]), std::stoi(argv[5]), std::stoi(argv[6]));
    if (image.isNull())
        return 1;
    return image.copy(part.intersected(image.rect())).save(QString::fromLocal8Bit(argv[7])) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "grab" && argc == 3)
        return grab(argc, argv);
    if (command == "diff" && argc == 4)
        return diff(argv[2], argv[3], {});
    if (command == "diff" && argc == 8) {
        return diff(argv[2], argv[3],
            QRect(std::stoi(argv[4]), std::stoi(argv[5]), std::stoi(argv[6]), std::stoi(argv[7])));
    }
    if (command == "crop" && argc == 8)
        return crop(argv);
    if (command == "window" && argc == 2)
        return window(argc, argv);
    std::fputs(
        "usage: host_shot grab OUT | diff A B [X Y W H] | crop IN X Y W H OUT | window\n", stderr);
    return 2;
}
