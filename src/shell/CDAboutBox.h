#pragma once
// The about box: product name, version and copyright, closed with a full-width OK button.
// Created when asked for and freed after it was shown.

#include <QDialog>

#include "platform/ProgramVersion.h"

class QLabel;
class QPushButton;

namespace lumarc {

class TCDAboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 339;
    static constexpr int kHeight = 219;
    static constexpr int kMajorVersion = lumarc::kMajorVersion;
    static constexpr int kMinorVersion = lumarc::kMinorVersion;

    explicit TCDAboutBox(QWidget* parent = nullptr);

    // "Version 2.%2.2d": the minor version with at least two digits.
    static QString VersionText(int minor);

    QLabel* Version = nullptr;
    QPushButton* OKButton = nullptr;
};

}  // namespace lumarc
