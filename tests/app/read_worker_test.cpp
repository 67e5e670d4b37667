#include "app/read_worker.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <memory>
#include <thread>
#include <vector>

namespace wattlet {
namespace {

    TEST(ReadWorker, ReadsAwayFromTheCallerOneAtATime)
    {
        const auto caller = std::this_thread::get_id();
        auto reads = std::make_shared<std::atomic<int>>(0);
        std::vector<std::int64_t> delivered;
        bool deliveredElsewhere = false;
        ReadWorker worker(
            [=] {
                BatteryReading reading;
                reading.percent = ++*reads;
                return std::optional(reading);
            },
            [&](const std::optional<BatteryReading>& reading) {
                deliveredElsewhere = deliveredElsewhere || std::this_thread::get_id() != caller;
                delivered.push_back(reading->percent);
            });
        for (std::size_t i = 1; i <= 3; ++i) {
            ASSERT_TRUE(worker.start());
            EXPECT_FALSE(worker.start());
            ASSERT_TRUE(test::waitUntil([&] { return delivered.size() == i; }));
        }
        EXPECT_EQ(delivered, (std::vector<std::int64_t> { 1, 2, 3 }));
        EXPECT_FALSE(deliveredElsewhere);
    }

    TEST(ReadWorker, AStuckReadDoesNotHoldUpDestruction)
    {
        auto entered = std::make_shared<std::latch>(1);
        auto release = std::make_shared<std::latch>(1);
        auto inRead = std::make_shared<int>(0);
        const std::weak_ptr<int> readGone = inRead;
        bool delivered = false;
        {
            ReadWorker worker(
                [entered, release, inRead] {
                    entered->count_down();
                    release->wait();
                    return std::optional(BatteryReading {});
                },
                [&](const std::optional<BatteryReading>&) { delivered = true; },
                std::chrono::milliseconds(20));
            inRead.reset();
            worker.start();
            entered->wait();
        }
        release->count_down();
        // The thread lets go of the read when it ends.
        ASSERT_TRUE(test::waitUntil([&] { return readGone.expired(); }));
        QCoreApplication::processEvents();
        EXPECT_FALSE(delivered);
    }

} // namespace
} // namespace wattlet
