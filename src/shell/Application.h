#pragma once
// The viewer's application object: every error that leaves an event handler uncaught ends in
// the program-wide handler (HandleApplicationException) instead of unwinding through the
// event loop.

#include <QApplication>

namespace lumarc {

// The application title: the caption of the framework's own error display. It is not Qt's
// application display name, which Qt would append to every window title.
inline constexpr const char* kApplicationTitle = "Brimvale ToolDisc Viewer";

class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    // What the program sets on any application object before its first window: its name and
    // the framework's own texts in German. No display name, so window titles stay as given.
    static void SetUp(QApplication& app);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace lumarc
