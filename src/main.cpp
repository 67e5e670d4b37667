#include "app/cli_report.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* helpText = R"(Usage: wattlet [OPTION]
Battery and power supply in the tray.

  --summary          print the battery summary and exit (status 1 without a battery)
  --json             print the battery reading as one JSON line and exit
  --help             show this help and exit
  --version          show the version and exit
)";

} // namespace

int main(int argc, char** argv)
{
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
