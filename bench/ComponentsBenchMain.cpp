// lumarc-components-bench CATALOGUE: how soon the component list shows its first rows after it
// is opened, and how long a filter change takes until the list is drawn again, once all rows
// are read. The first rows are the median of five openings; the filter change is the worst of
// all changes of every opening (text, compiler, rating, key word, and back).

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/TreeViewData.h"
#include "components/ComponentListModel.h"
#include "components/ComponentListWindow.h"

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename T>
T* Part(QWidget& window, const char* name)
{
    T* part = window.findChild<T*>(QString::fromLatin1(name));
    if (!part) {
        std::fprintf(stderr, "lumarc-components-bench: kein %s\n", name);
        std::exit(1);
    }
    return part;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: lumarc-components-bench KATALOGVERZEICHNIS\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    using namespace lumarc;
    const std::string data = std::string(argv[1]) + "/Data/Lumarc32.dat";
    const std::string index = std::string(argv[1]) + "/Data/Lumarc32.idx";
    TBrowzerContainer container;
    container.DataFileName = data;
    container.IndexFileName = index;
    TTreeViewData tree;
    container.SetActive(true);
    container.LoadOutline(tree);

    constexpr int kRuns = 5;
    std::vector<double> firstRows;
    std::vector<double> changes;
    int rows = 0;
    for (int run = 0; run < kRuns; ++run) {
        TComponentListWindow window;
        window.resize(1000, 700);
        QTreeView& view = window.View();
        QElapsedTimer clock;
        clock.start();
        window.SetCatalogue(data, index, tree);
        window.show();
        while (window.Model().rowCount() == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        view.viewport()->repaint();
        firstRows.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        while (window.Reading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        rows = window.Model().rowCount();

        auto* keyWords = Part<QListWidget>(window, "FilterKeyWords");
        const std::vector<std::function<void()>> steps = {
            [&] { Part<QLineEdit>(window, "FilterText")->setText(QStringLiteral("komponente 12")); },
            [&] { Part<QLineEdit>(window, "FilterText")->clear(); },
            [&] { Part<QCheckBox>(window, "FilterDelphi2")->setChecked(true); },
            [&] { Part<QSpinBox>(window, "FilterRating")->setValue(30); },
            [&] { keyWords->item(0)->setCheckState(Qt::Checked); },
            [&] { keyWords->item(1)->setCheckState(Qt::Checked); },
            [&] { keyWords->item(0)->setCheckState(Qt::Unchecked); },
            [&] { keyWords->item(1)->setCheckState(Qt::Unchecked); },
            [&] { Part<QSpinBox>(window, "FilterRating")->setValue(0); },
            [&] { Part<QCheckBox>(window, "FilterDelphi2")->setChecked(false); },
        };
        for (const auto& step : steps) {
            clock.restart();
            step();
            view.viewport()->repaint();
            changes.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            QCoreApplication::processEvents();
        }
    }
    std::printf("%d components\n", rows);
    std::printf("first rows: %.1f ms (median of %d)\n", Median(firstRows), kRuns);
    std::printf("filter change, median: %.1f ms\n", Median(changes));
    std::printf("filter change: %.1f ms (the worst of %zu)\n", *std::max_element(changes.begin(), changes.end()),
                changes.size());
    return 0;
}
