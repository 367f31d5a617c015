// lumarc-search-ui-stall CATALOGUE [QUERY...]: runs the results dialog's search thread on a
// catalogue, and then on a library of ten (the catalogue ten times, each read on its own, side
// by side), and reports the longest time the UI thread's event loop went without a turn (a
// 1 ms timer that records the gap between its ticks), with the time each search took.

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/BrowzerContainer.h"
#include "controls/BrowzerOutline.h"
#include "search/HitList.h"
#include "search/SearchFoundDlg.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: lumarc-search-ui-stall KATALOGVERZEICHNIS [SUCHBEGRIFF...]\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    using namespace lumarc;
    TBrowzerContainer container;
    container.DataFileName = std::string(argv[1]) + "/Data/Lumarc32.dat";
    container.IndexFileName = std::string(argv[1]) + "/Data/Lumarc32.idx";
    TBrowzerOutline outline;
    outline.LoadFromContainer(container);
    TSearchfounddlg dialog;
    dialog.SetCatalogue(&outline, &container);

    std::vector<TSearchSource> library;
    for (int i = 0; i < 10; ++i)
        library.push_back({QStringLiteral("Katalog %1").arg(i + 1), argv[1]});

    int worst = 0;
    for (int run = 0; run < 2 * (std::max(argc, 3) - 2); ++run) {
        const int i = 2 + run / 2;
        const bool wholeLibrary = run % 2 == 1;
        const QString query = i < argc ? QString::fromLocal8Bit(argv[i]) : QStringLiteral("e");
        QElapsedTimer total;
        QElapsedTimer tick;
        qint64 maxGap = 0;
        QTimer timer;
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            maxGap = std::max(maxGap, tick.restart());
        });
        total.start();
        if (wholeLibrary)
            dialog.StartLibrarySearch(query, false, library);
        else
            dialog.StartSearch(query, false);
        tick.start();
        timer.start();
        while (dialog.SearchThread())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        timer.stop();
        std::printf("query \"%s\"%s: %d hits, %lld ms, longest UI gap %lld ms\n", query.toLocal8Bit().constData(),
                    wholeLibrary ? " in a library of ten" : "",
                    dialog.SrchOutputListBox->count(), static_cast<long long>(total.elapsed()),
                    static_cast<long long>(maxGap));
        worst = std::max(worst, static_cast<int>(maxGap));
    }
    std::printf("max-ui-gap-ms: %d\n", worst);
    return 0;
}
