#pragma once

namespace lumarc {

class TToolDiscMain;

// Printing and copying what the shown page holds, and printing the order form.
class TPrintCommands {
public:
    explicit TPrintCommands(TToolDiscMain& main) : FMain(main) {}

    void SBPrintTextClick() {}
    void SBCopyClick() {}
    void SBBestellFormularClick() {}

private:
    [[maybe_unused]] TToolDiscMain& FMain;
};

}  // namespace lumarc
