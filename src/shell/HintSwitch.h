#pragma once

#include <QObject>

namespace lumarc {

// The application's hints on or off: while off, no widget shows its tooltip.
class THintSwitch : public QObject {
    Q_OBJECT

public:
    explicit THintSwitch(QObject* parent = nullptr);
    ~THintSwitch() override;

    bool ShowHints() const { return FShowHints; }
    void SetShowHints(bool value) { FShowHints = value; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FShowHints = true;
};

}  // namespace lumarc
