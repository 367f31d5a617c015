#pragma once
// The viewer's application object: every error that leaves an event handler uncaught ends in
// the program-wide handler (HandleApplicationException) instead of unwinding through the
// event loop.

#include <QApplication>

namespace lumarc {

class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace lumarc
