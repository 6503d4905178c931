// Ten thousand random live changes as fast as the window thread can make them: none is lost, and
// the memory they took is given back.
#include "ControlOperator.h"
#include "tests/app/DemoFixture.h"
#include "tests/support/ProcessMemory.h"

#include <random>

namespace tonel::testing {
namespace {

class Burst : public DemoFixture {
protected:
    std::mt19937 random{20261208};

    // `count` actions on random controls of random pages; the shown page changes now and then.
    void randomChanges(int count)
    {
        std::vector<std::vector<Operable>> controls;
        for (int i = 0; i < 4; ++i)
            controls.push_back(operableControls(page(i)));
        int shown = 0;
        for (int n = 0; n < count; ++n) {
            if (n % 250 == 0) {
                shown = static_cast<int>(random() % 4);
                press(res::view::EffectPageButton + shown);
            }
            const auto& onPage = controls[static_cast<std::size_t>(shown)];
            operate(onPage[random() % onPage.size()], static_cast<unsigned>(random()));
        }
    }
};

TEST_F(Burst, TenThousandRandomChangesAllReachTheDevice)
{
    device().setLogLimit(2000);
    readFromDevice();
    switchToFullSet();
    randomChanges(1000);  // warm-up: caches, fonts, the port's queue
    ASSERT_TRUE(deviceCatchesUp());
    const long before = processMemoryKiB("VmRSS");

    randomChanges(10000);
    ASSERT_TRUE(deviceCatchesUp(10000ms)) << "a live change was lost";
    const long after = processMemoryKiB("VmRSS");
#ifndef __SANITIZE_ADDRESS__  // AddressSanitizer holds freed memory in quarantine on purpose
    EXPECT_LT(after - before, 2048) << "resident memory grew from " << before << " KiB to " << after << " KiB";
#else
    (void)after;
#endif
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace tonel::testing
