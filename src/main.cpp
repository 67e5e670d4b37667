#include "app/cli_report.h"
#include "ui/snapshot_export.h"

#include <QString>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* helpText = R"(Usage: wattlet [OPTION]
Battery and power supply in the tray.

  --summary          print the battery summary and exit (status 1 without a battery)
  --json             print the battery reading as one JSON line and exit
  --help             show this help and exit
  --version          show the version and exit
  --snapshot=DIR     render the panel pictures into DIR and exit
)";

} // namespace

int main(int argc, char** argv)
{
    // The snapshot option wins over every other one, wherever it stands.
    for (int i = 0; i < argc; ++i) {
        constexpr char snapshotOption[] = "--snapshot=";
        if (std::strncmp(argv[i], snapshotOption, sizeof snapshotOption - 1) == 0)
            return wattlet::runSnapshotExport(
                argc, argv, QString::fromLocal8Bit(argv[i] + sizeof snapshotOption - 1));
    }
    if (const auto status = wattlet::runCliReport(argc, argv))
        return *status;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("wattlet %s\n", WATTLET_VERSION);
            return 0;
        }
    }
    std::fputs(helpText, stdout);
    return 0;
}
