// Every control of every page while connected: the device ends with the panel's image, and every
// parameter command has travelled the real line at least once.
#include "ControlOperator.h"
#include "tests/app/DemoFixture.h"

#include <set>
#include <string>

namespace tonel::testing {
namespace {

// "(01$GGGIII...)" -> "GGGIII"
std::set<std::string> parameterCommandsSeen(const std::vector<std::string>& frames)
{
    std::set<std::string> seen;
    for (const auto& f : frames)
        if (f.size() >= 10 && f.compare(0, 4, "(01$") == 0)
            seen.insert(f.substr(4, 6));
    return seen;
}

std::set<std::string> allParameterCommands()
{
    std::set<std::string> all;
    const auto add = [&](const char* group, std::initializer_list<int> items) {
        for (int item : items) {
            char key[8];
            std::snprintf(key, sizeof key, "%s%03d", group, item);
            all.insert(key);
        }
    };
    add("001", {0});
    add("002", {0});
    add("003", {0});
    add("004", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    add("005", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    add("006", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    add("007", {0, 9, 10, 11, 12, 13, 22, 23, 24, 25});
    add("008", {0, 1, 100, 101, 102, 103, 104, 105, 106, 200, 201, 202, 203, 204});
    add("008", {300, 301, 302, 303, 304, 305, 306, 400, 401, 500, 501});
    return all;
}

using AllPagesEndToEnd = DemoFixture;

TEST_F(AllPagesEndToEnd, EveryControlReachesTheDeviceAndTheImagesAgree)
{
    ASSERT_EQ(allParameterCommands().size(), 73u);
    readFromDevice();
    switchToFullSet();
    for (int pass = 0; pass < 2; ++pass)  // the second pass meets the states the first left
        for (int i = 0; i < 4; ++i) {
            press(res::view::EffectPageButton + i);
            operateEveryControl(page(i), static_cast<unsigned>(pass));
        }
    ASSERT_TRUE(deviceCatchesUp()) << "the device's image differs from the panel's";

    const auto frames = device().receivedFrames();
    const std::set<std::string> seen = parameterCommandsSeen(frames);
    for (const std::string& key : allParameterCommands())
        EXPECT_TRUE(seen.count(key)) << "never sent: (01$" << key << "...)";
    for (const char* literal : {"(01O1)", "(01CD)", "(01CE)"})
        EXPECT_NE(std::find(frames.begin(), frames.end(), literal), frames.end()) << literal;
    EXPECT_TRUE(messages.boxes.empty());
    disconnect();
}

}  // namespace
}  // namespace tonel::testing
