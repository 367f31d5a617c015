#pragma once
// The component list: every component of the catalogue in one sortable list, narrowed by
// filters beside it (the fields someone looking for a component asks about), each value with the
// number of rows it would leave. Non-modal; Enter or a double click shows the component in the
// main window. The rows are read in a thread while the list is already shown.

#include <QVariantMap>
#include <QDialog>

#include <memory>
#include <set>
#include <string>

#include "settings/core/DateTime.h"

class QTreeView;

namespace lumarc {

class TComponentListModel;
class TTreeViewData;

class TComponentListWindow final : public QDialog {
    Q_OBJECT

public:
    explicit TComponentListWindow(QWidget* parent = nullptr);
    ~TComponentListWindow() override;

    // Reads the rows of another catalogue; the filters stay.
    void SetCatalogue(const std::string& dataFileName, const std::string& indexFileName, const TTreeViewData& tree);
    // The entries installed from the shown catalogue.
    void SetInstalledEntries(const std::set<int>& entries);
    // The date after which a component counts as new.
    void SetUpdateDate(TDateTime date);
    // Every filter as names, so that they outlive the catalogue and the session.
    QVariantMap Filters() const;
    void SetFilters(const QVariantMap& filters);
    bool Reading() const;

    TComponentListModel& Model() const;
    QTreeView& View() const;
    // The entry of the selected row; -1 without one.
    int SelectedEntry() const;

signals:
    void ShowEntry(int entry);
    void InstallEntry(int entry);
    // After the last row of a catalogue was read.
    void RowsRead();

protected:
    // Down in the text field goes on to the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TParts;
    std::unique_ptr<TParts> F;
};

}  // namespace lumarc
