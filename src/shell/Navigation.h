#pragma once

namespace lumarc {

class TToolDiscMain;

// The navigation buttons, the history of shown entries and the outline's keys and clicks.
class TNavigation {
public:
    explicit TNavigation(TToolDiscMain& main) : FMain(main) {}

    void SBFirstClick() {}
    void SBPrevClick() {}
    void SBDownClick() {}
    void SBUpClick() {}
    void SBNextClick() {}
    void SBPrevHistClick() {}
    // After each display of the selected entry: enters it in the history.
    void EntryDisplayed() {}

private:
    [[maybe_unused]] TToolDiscMain& FMain;
};

}  // namespace lumarc
