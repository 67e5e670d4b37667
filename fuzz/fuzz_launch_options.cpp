#include "app/launch_options.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

// The input is the command line, arguments separated by NUL bytes, in any encoding. Each
// prefix option takes the rest of the first argument that starts with it, whatever follows.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    QStringList arguments;
    while (!input.empty()) {
        const auto end = input.find('\0');
        const auto argument = input.substr(0, end);
        arguments.push_back(
            QString::fromUtf8(argument.data(), static_cast<qsizetype>(argument.size())));
        input = end == std::string_view::npos ? std::string_view {} : input.substr(end + 1);
    }
    const auto options = wattlet::launchOptions(arguments);
    const QString snapshot = QStringLiteral("--snapshot=");
    const QString demo = QStringLiteral("--demo=");
    std::optional<QString> firstSnapshot;
    std::optional<std::string> firstDemo;
    for (const QString& argument : arguments) {
        if (!firstSnapshot && argument.startsWith(snapshot))
            firstSnapshot = argument.mid(snapshot.size());
        if (!firstDemo && !argument.startsWith(snapshot) && argument.startsWith(demo))
            firstDemo = argument.mid(demo.size()).toStdString();
    }
    check(options.snapshotDir == firstSnapshot);
    check(options.demoKind == firstDemo);
    check(options.help == arguments.contains(QStringLiteral("--help")));
    check(options.json == arguments.contains(QStringLiteral("--json")));
    check(options.version == arguments.contains(QStringLiteral("--version")));
    check(options.watch == arguments.contains(QStringLiteral("--watch")));
    check(options.summary == arguments.contains(QStringLiteral("--summary")));
    check(options.health == arguments.contains(QStringLiteral("--health")));
    return 0;
}
