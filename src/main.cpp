#include <cstdio>
#include <cstring>

namespace {

constexpr const char* helpText = R"(Usage: wattlet [OPTION]
Battery and power supply in the tray.

  --help             show this help and exit
  --version          show the version and exit
)";

} // namespace

int main(int argc, char** argv)
{
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
