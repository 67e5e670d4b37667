#include "history_writer.h"

#include "app/files.h"

#include <cstdio>

// Saves the two writer histories in turn until it is killed; says "saving" once it has begun.
int main()
{
    const wattlet::BatteryHistory histories[]
        = { wattlet::test::writerHistory(0), wattlet::test::writerHistory(1) };
    for (unsigned long round = 0;; ++round) {
        wattlet::Files::saveHistory(histories[round % 2]);
        if (round == 0) {
            std::fputs("saving\n", stdout);
            std::fflush(stdout);
        }
    }
}
