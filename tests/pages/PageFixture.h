#pragma once
// What every page test starts from: an image with its defaults, a channel that records the
// commands, the page under test built on both and refreshed, and a driver for its controls.

#include "model/ParameterImage.h"
#include "pages/Page.h"
#include "res/PageTemplate.h"
#include "tests/pages/PageDriver.h"
#include "tests/support/RecordingChannel.h"

#include <QRect>

#include <cstddef>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

namespace tonel::testing {

// A control's rectangle as its page's template declares it, in pixels.
inline QRect declaredRect(const res::PageTemplate& dialog, int id)
{
    constexpr int k = res::kPixelsPerTemplateUnit;
    for (const res::TemplateControl& c : dialog.controls)
        if (c.id == id)
            return {c.x * k, c.y * k, c.w * k, c.h * k};
    throw std::out_of_range("no control " + std::to_string(id) + " in the template");
}

// A page with its curves opened to the tests.
template <class PageType>
class WithCurves : public PageType {
public:
    using PageType::PageType;
    using PageType::curves;
};

template <class PageType>
class PageFixture : public ::testing::Test {
protected:
    ParameterImage image;
    RecordingChannel channel;
    PageType page{PageContext{image, channel}, nullptr};
    PageDriver ui{page};

    void SetUp() override { page.refreshFromImage(); }

    // Bytes as a file or the device may deliver them, then the refresh that follows.
    void load(std::initializer_list<std::pair<std::size_t, int>> bytes)
    {
        for (auto [offset, value] : bytes)
            image.set(offset, static_cast<std::uint8_t>(value));
        page.refreshFromImage();
    }
};

}  // namespace tonel::testing
