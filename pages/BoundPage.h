#pragma once
// The mechanics every page shares: level sliders, spins, band columns, refresh, Easy/Full set and
// the sending rule, driven by the binding tables a page declares.

#include "controls/SpinArrows.h"
#include "eq/EqGraph.h"
#include "eq/math/PageCurves.h"
#include "pages/Bindings.h"
#include "pages/Page.h"
#include "pages/PageControls.h"

#include <initializer_list>
#include <vector>

namespace tonel {

class BoundPage : public Page {
    Q_OBJECT
public:
    BoundPage(PageContext context, const res::PageTemplate& layout, QWidget* parent);

    void refreshFromImage() override;
    void redrawGraph() override;
    void applyControlMode() override;

    const PageControls& controls() const { return controls_; }

protected:
    // Declaring the tables connects every control to its handler.
    void bindLevels(std::vector<LevelBinding> levels);
    void bindSpins(std::vector<SpinBinding> spins);
    void bindBands(std::vector<BandBinding> bands);

    // The page's curves, read from the image at each redraw.
    virtual std::vector<EqCurve> curves() const = 0;
    // A curve of the bands starting at `bandOffsets`, with the handle placement and x shift the
    // Microphone, Music and System pages share (handle 3 pixels left, 5 at index 121; -1.5 pixels).
    // The page's curves as eq/math/PageCurves describes them, with the shared handle placement.
    std::vector<EqCurve> curvesOf(GraphPage page) const;
    // A page rule after one of its bands changed through a control, before the redraw and send.
    virtual void afterBandChange(const BandBinding&) {}

    // The sending rule: while a session is open, the command of the field holding `offset`.
    void sendParameterCommand(std::size_t offset);

    // Pieces of the mechanics the page rules reuse.
    void refreshLevel(const LevelBinding& level);
    void refreshSpin(const SpinBinding& spin);
    void refreshBand(const BandBinding& band);
    void applyFullSetEnabling(const BandBinding& band);
    void applyEasySet(const BandBinding& band);
    const LevelBinding& level(int sliderId) const;
    const BandBinding& band(int typeButtonId) const;
    // For a spin's page rule: whether the click moved the byte (false at a bound).
    bool stepChanged() const { return lastStepChanged_; }
    // The narrow band fields (frequency and Q) take the font in which every frequency text fits
    // the first band's frequency field.
    void fitBandFieldFonts();
    // From now on every mouse move over the page redraws the graph, wherever the pointer is:
    // over the page itself, its graph or any of its controls, captions and group boxes.
    void redrawGraphOnEveryMouseMove();
    bool eventFilter(QObject* watched, QEvent* event) override;

    ParameterImage& image() { return context_.image; }
    const ParameterImage& image() const { return context_.image; }
    PageControls controls_;

private:
    void onLevelMoved(const LevelBinding& level);
    void onSpin(const SpinBinding& spin, SpinDirection direction);
    void onGainMoved(const BandBinding& band);
    void onFrequencySpin(const BandBinding& band, SpinDirection direction);
    void onQSpin(const BandBinding& band, SpinDirection direction);
    void onTypeClicked(const BandBinding& band);
    void onFrequencyTyped(const BandBinding& band);
    void bandChanged(const BandBinding& band);
    void refreshLevelAt(std::size_t offset);
    void setSliderPosition(int sliderId, int position);
    int sliderPosition(int sliderId) const;

    std::vector<LevelBinding> levels_;
    std::vector<SpinBinding> spins_;
    std::vector<BandBinding> bands_;
    bool lastStepChanged_ = false;
    bool redrawsOnMouseMoves_ = false;
};

}  // namespace tonel
