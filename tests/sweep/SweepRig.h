#pragma once
// The four pages on one image and a connected recording channel: load an image, refresh and
// render every page, compare every shown text with the rules, operate every control once.

#include "model/ParameterImage.h"
#include "pages/BoundPage.h"
#include "tests/support/RecordingChannel.h"
#include "tests/sweep/SweepRules.h"

#include <QWidget>
#include <functional>
#include <unordered_map>
#include <string>
#include <vector>

namespace tonel::testing {

// Faults found during a sweep, kept short: the first few in full, the rest counted.
class Findings {
public:
    void add(const std::string& where, const std::string& what);
    int count() const { return count_; }
    const std::vector<std::string>& first() const { return first_; }

private:
    static constexpr int kKept = 25;
    int count_ = 0;
    std::vector<std::string> first_;
};

// Which image is on the pages, for the findings: "offset 66 = 26 on the defaults".
using Where = std::function<std::string()>;

class SweepRig {
public:
    SweepRig();
    SweepRig(const SweepRig&) = delete;
    SweepRig& operator=(const SweepRig&) = delete;

    void load(const ImageBytes& bytes);
    // refreshFromImage and redrawGraph of every page, as after a file load; then every text,
    // slider position and type caption against the rules.
    void refreshAndCheck(Findings& findings, const Where& where);
    // EqGraphView::render of the graph frame: of every page, or only of the pages whose graph can
    // read `swept` (its section; the global bytes, the effect program among them, reach all).
    void renderGraphs(bool everyPage, std::size_t swept, Findings& findings, const Where& where);
    // Every enabled control of every page once, in the direction `variant` picks; the controls
    // of `swept` both ways. Checks the commands sent and the bytes changed by each action.
    void operateAll(unsigned variant, std::size_t swept, Findings& findings, const Where& where);
    // The Easy or Full set the image's control mode asks for, on every page.
    void applyControlModes();

    const ParameterImage& image() const { return image_; }
    // How many control actions were taken (disabled controls are left alone).
    long actions() const { return actions_; }

private:
    struct Page {
        BoundPage* page;
        const PageRules* rules;
        std::vector<std::string> captionsBefore;  // type buttons, before the refresh
        std::unordered_map<int, QWidget*> byId;    // the page's controls by control id
    };
    struct Action;
    void checkPage(const Page& p, Findings& findings, const Where& where) const;
    void operatePage(const Page& p, unsigned variant, std::size_t swept, Findings& findings, const Where& where);
    void act(const Page& p, const Action& action, Findings& findings, const Where& where);

    ParameterImage image_;
    RecordingChannel channel_;
    QWidget host_;
    std::vector<Page> pages_;
    long actions_ = 0;
};

}  // namespace tonel::testing
