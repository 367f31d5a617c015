#include "ComponentListWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <map>
#include <utility>

#include "ComponentListModel.h"
#include "ComponentRowsThread.h"
#include "FacetList.h"
#include "catalogue/ComponentNames.h"
#include "catalogue/TreeViewData.h"
#include "platform/CodePage.h"
#include "search/core/ComponentFacets.h"
#include "widgets/AnsiText.h"

namespace lumarc {

namespace {

const char* const kCompilerNames[] = {"FilterDelphi1", "FilterDelphi2", "FilterBPascal"};
const char* const kCompilerCaptions[] = {"Delphi &1.0X", "Delphi &2", "&BPascal"};

QString ValueCaption(const std::string& cp1252)
{
    const QString text = FromAnsi(cp1252).trimmed();
    return text.isEmpty() ? QStringLiteral("ohne Angabe") : text;
}

// Two codes may share a name (English of America and of Britain): the filter offers the name.
QString LanguageCaption(int code)
{
    const std::string name = LanguageName(code);
    if (!name.empty())
        return FromAnsi(name);
    return code == 0 ? QStringLiteral("ohne Angabe") : QStringLiteral("Ländercode %1").arg(code);
}

// The framework's clear button of a field has no name of its own to be read by.
void NameClearButton(QLineEdit& field)
{
    field.setClearButtonEnabled(true);
    for (QToolButton* button : field.findChildren<QToolButton*>()) {
        button->setObjectName(field.objectName() + QStringLiteral("Clear"));
        button->setAccessibleName(QStringLiteral("Leeren"));
    }
}

QString KeyOf(const std::string& cp1252)
{
    return FromAnsi(cp1252);
}

// The ids of the names; one the catalogue does not hold is -1, which no row has.
std::vector<int> IdsOf(const QStringList& names, const std::function<int(const std::string&)>& find)
{
    std::vector<int> ids;
    for (const QString& name : names) {
        std::string bytes;
        ids.push_back(Utf8ToCp1252(name.toStdString(), bytes) ? find(bytes) : -1);
    }
    return ids;
}

}  // namespace

struct TComponentListWindow::TParts {
    explicit TParts(TComponentListWindow& window) : W(window) {}

    void Build();
    QWidget* BuildFilters();
    TComponentQuery Query() const;
    void Refilter();
    void ShowCounts(const TFacetCounts& counts, int shown);
    void TakeBatch(uint64_t serial, TRowBatch batch);
    void MarkInstalled();
    void SelectionChanged();
    void ResetFilters();

    TComponentListWindow& W;
    QLineEdit* FilterText = nullptr;
    QCheckBox* Compilers[3] = {};
    TFacetList* Languages = nullptr;
    QSpinBox* Rating = nullptr;
    TFacetList* Distributions = nullptr;
    TFacetList* OSes = nullptr;
    QLineEdit* KeyWordText = nullptr;
    TFacetList* KeyWords = nullptr;
    QCheckBox* OnlyNew = nullptr;
    QRadioButton* All = nullptr;
    QRadioButton* Installed = nullptr;
    QRadioButton* NotInstalled = nullptr;
    QTreeView* View = nullptr;
    TComponentListModel* Model = nullptr;
    QLabel* CountLabel = nullptr;
    QPushButton* ShowButton = nullptr;
    QPushButton* InstallButton = nullptr;

    TComponentFacets Facets;
    std::set<int> LanguagesSeen;
    std::set<int> InstalledEntries;
    TDateTime UpdateDate = 0;
    std::unique_ptr<TComponentRowsThread> Thread;
    uint64_t Serial = 0;
    bool Reading = false;
    int Unreadable = 0;
    // While the filters are set from outside, their changes do not each filter anew.
    bool Setting = false;
};

QWidget* TComponentListWindow::TParts::BuildFilters()
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    const auto labelled = [layout](const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromUtf8(caption));
        label->setBuddy(field);
        layout->addWidget(label);
        layout->addWidget(field);
    };
    const auto changed = [this] {
        if (!Setting)
            Refilter();
    };

    FilterText = new QLineEdit;
    FilterText->setObjectName(QStringLiteral("FilterText"));
    FilterText->setPlaceholderText(QStringLiteral("Name oder Schlagwort"));
    NameClearButton(*FilterText);
    labelled("&Suchen:", FilterText);
    QObject::connect(FilterText, &QLineEdit::textChanged, &W, changed);
    // Enter in the field shows the selected row, as Enter in the list does.
    QObject::connect(FilterText, &QLineEdit::returnPressed, &W, [this] {
        if (const int entry = W.SelectedEntry(); entry >= 0)
            emit W.ShowEntry(entry);
    });
    FilterText->installEventFilter(&W);

    auto* compilerBox = new QGroupBox(QStringLiteral("Compiler"));
    auto* compilerLayout = new QVBoxLayout(compilerBox);
    for (int i = 0; i < 3; ++i) {
        Compilers[i] = new QCheckBox(QString::fromUtf8(kCompilerCaptions[i]));
        Compilers[i]->setObjectName(QString::fromLatin1(kCompilerNames[i]));
        compilerLayout->addWidget(Compilers[i]);
        QObject::connect(Compilers[i], &QCheckBox::toggled, &W, changed);
    }
    layout->addWidget(compilerBox);

    Languages = new TFacetList(QStringLiteral("FilterLanguage"));
    labelled("S&prache:", Languages);
    Rating = new QSpinBox;
    Rating->setObjectName(QStringLiteral("FilterRating"));
    Rating->setRange(0, 100);
    Rating->setSingleStep(10);
    Rating->setSuffix(QStringLiteral(" %"));
    labelled("&Wertung ab:", Rating);
    QObject::connect(Rating, &QSpinBox::valueChanged, &W, changed);
    Distributions = new TFacetList(QStringLiteral("FilterDistribution"));
    labelled("&Distribution:", Distributions);
    OSes = new TFacetList(QStringLiteral("FilterOS"));
    labelled("&OS:", OSes);
    KeyWordText = new QLineEdit;
    KeyWordText->setObjectName(QStringLiteral("FilterKeyWordText"));
    KeyWordText->setPlaceholderText(QStringLiteral("Schlagwörter eingrenzen"));
    NameClearButton(*KeyWordText);
    labelled("Schla&gwörter:", KeyWordText);
    KeyWords = new TFacetList(QStringLiteral("FilterKeyWords"));
    KeyWords->setAccessibleName(QStringLiteral("Schlagwörter"));
    layout->addWidget(KeyWords);
    QObject::connect(KeyWordText, &QLineEdit::textChanged, KeyWords, &TFacetList::Narrow);
    for (TFacetList* list : {Languages, Distributions, OSes, KeyWords}) {
        list->setMinimumHeight(list->fontMetrics().height() * 5);
        QObject::connect(list, &TFacetList::CheckedChanged, &W, changed);
    }

    OnlyNew = new QCheckBox(QStringLiteral("nur &neue"));
    OnlyNew->setObjectName(QStringLiteral("FilterNew"));
    layout->addWidget(OnlyNew);
    QObject::connect(OnlyNew, &QCheckBox::toggled, &W, changed);

    auto* installedBox = new QGroupBox(QStringLiteral("Installiert"));
    auto* installedLayout = new QVBoxLayout(installedBox);
    All = new QRadioButton(QStringLiteral("a&lle"));
    All->setObjectName(QStringLiteral("FilterAll"));
    Installed = new QRadioButton(QStringLiteral("ins&talliert"));
    Installed->setObjectName(QStringLiteral("FilterInstalled"));
    NotInstalled = new QRadioButton(QStringLiteral("nicht installie&rt"));
    NotInstalled->setObjectName(QStringLiteral("FilterNotInstalled"));
    All->setChecked(true);
    for (QRadioButton* button : {All, Installed, NotInstalled}) {
        installedLayout->addWidget(button);
        QObject::connect(button, &QRadioButton::toggled, &W, [changed](bool on) {
            if (on)
                changed();
        });
    }
    layout->addWidget(installedBox);

    auto* reset = new QPushButton(QStringLiteral("Filter &zurücksetzen"));
    reset->setObjectName(QStringLiteral("ResetFilters"));
    reset->setAutoDefault(false);
    QObject::connect(reset, &QPushButton::clicked, &W, [this] { ResetFilters(); });
    layout->addWidget(reset);
    layout->addStretch(1);
    return panel;
}

void TComponentListWindow::TParts::Build()
{
    W.setObjectName(QStringLiteral("ComponentListWindow"));
    W.setWindowTitle(QStringLiteral("Komponentenliste"));
    auto* layout = new QHBoxLayout(&W);

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("FilterPanel"));
    scroll->setWidget(BuildFilters());
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(scroll->widget()->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 4);
    layout->addWidget(scroll);

    auto* right = new QVBoxLayout;
    Model = new TComponentListModel(&W);
    View = new QTreeView;
    View->setObjectName(QStringLiteral("ComponentList"));
    View->setAccessibleName(QStringLiteral("Komponenten"));
    View->setModel(Model);
    View->setRootIsDecorated(false);
    View->setUniformRowHeights(true);
    View->setAllColumnsShowFocus(true);
    View->setSelectionMode(QAbstractItemView::SingleSelection);
    View->setSortingEnabled(true);
    // Outline order until the user picks a column.
    View->header()->setSortIndicator(-1, Qt::AscendingOrder);
    View->header()->setSortIndicatorClearable(true);
    View->setColumnWidth(TComponentListModel::cName, View->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
    right->addWidget(View, 1);
    QObject::connect(View, &QTreeView::activated, &W, [this](const QModelIndex& index) {
        const int row = Model->RowAt(index.row());
        if (row >= 0)
            emit W.ShowEntry(Model->Rows()[static_cast<size_t>(row)].Entry);
    });
    QObject::connect(View->selectionModel(), &QItemSelectionModel::currentRowChanged, &W,
                     [this] { SelectionChanged(); });

    // The count on a line of its own: at a large scale it must not push the buttons off.
    CountLabel = new QLabel;
    CountLabel->setObjectName(QStringLiteral("ListCount"));
    CountLabel->setWordWrap(true);
    right->addWidget(CountLabel);
    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    ShowButton = new QPushButton(QStringLiteral("&Anzeigen"));
    ShowButton->setObjectName(QStringLiteral("ShowButton"));
    InstallButton = new QPushButton(QStringLiteral("&Installation"));
    InstallButton->setObjectName(QStringLiteral("InstallButton"));
    auto* close = new QPushButton(QStringLiteral("S&chließen"));
    close->setObjectName(QStringLiteral("CloseButton"));
    // Enter belongs to the list and the text field, never to a button the focus is not on.
    for (QPushButton* button : {ShowButton, InstallButton, close}) {
        button->setAutoDefault(false);
        bar->addWidget(button);
    }
    right->addLayout(bar);
    layout->addLayout(right, 1);
    QObject::connect(ShowButton, &QPushButton::clicked, &W, [this] {
        if (const int entry = W.SelectedEntry(); entry >= 0)
            emit W.ShowEntry(entry);
    });
    QObject::connect(InstallButton, &QPushButton::clicked, &W, [this] {
        if (const int entry = W.SelectedEntry(); entry >= 0)
            emit W.InstallEntry(entry);
    });
    QObject::connect(close, &QPushButton::clicked, &W, &QWidget::close);
    SelectionChanged();
}

TComponentQuery TComponentListWindow::TParts::Query() const
{
    TComponentQuery query;
    if (!Utf8ToCp1252(FilterText->text().trimmed().toStdString(), query.Text))
        query.TextUnmatchable = true;
    for (int i = 0; i < 3; ++i) {
        if (Compilers[i]->isChecked())
            query.Compilers |= static_cast<uint8_t>(1u << i);
    }
    const QStringList languages = Languages->Checked();
    for (int code : LanguagesSeen) {
        if (languages.contains(LanguageCaption(code)))
            query.Languages.push_back(code);
    }
    // A language no row of this catalogue has leaves no row.
    if (!languages.isEmpty() && query.Languages.empty())
        query.Languages.push_back(-1);
    query.MinPercent = Rating->value();
    query.Distributions =
        IdsOf(Distributions->Checked(), [this](const std::string& n) { return Facets.DistributionId(n); });
    query.OSes = IdsOf(OSes->Checked(), [this](const std::string& n) { return Facets.OSId(n); });
    query.KeyWords = IdsOf(KeyWords->Checked(), [this](const std::string& n) { return Facets.KeyWordId(n); });
    query.OnlyNew = OnlyNew->isChecked();
    query.Installed = Installed->isChecked()      ? TInstalledChoice::icInstalled
                      : NotInstalled->isChecked() ? TInstalledChoice::icNotInstalled
                                                  : TInstalledChoice::icAll;
    return query;
}

void TComponentListWindow::TParts::Refilter()
{
    const int selected = Model->RowAt(View->currentIndex().row());
    const TQueryResult result = Facets.Evaluate(Query(), Model->Installed(), UpdateDate);
    Model->SetShown(result.Shown);
    // The row the user had stays selected while it is shown; else the first one is at hand
    // for Enter and the buttons.
    int line = Model->LineOf(selected);
    if (line < 0 && Model->rowCount() > 0)
        line = 0;
    if (line >= 0) {
        const QModelIndex index = Model->index(line, 0);
        View->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        View->scrollTo(index);
    }
    ShowCounts(result.Counts, static_cast<int>(result.Shown.size()));
    SelectionChanged();
}

void TComponentListWindow::TParts::ShowCounts(const TFacetCounts& counts, int shown)
{
    for (int i = 0; i < 3; ++i)
        Compilers[i]->setText(
            QStringLiteral("%1 (%2)").arg(QString::fromUtf8(kCompilerCaptions[i])).arg(counts.Compilers[i]));
    std::map<QString, int> languages;
    for (int code : LanguagesSeen) {
        const auto it = counts.Languages.find(code);
        languages[LanguageCaption(code)] += it == counts.Languages.end() ? 0 : it->second;
    }
    std::vector<TFacetValue> languageValues;
    for (const auto& [caption, count] : languages)
        languageValues.push_back({caption, caption, count});
    Languages->SetValues(languageValues);
    const auto values = [](const std::vector<std::string>& names, const std::vector<int>& numbers) {
        std::vector<TFacetValue> list;
        list.reserve(names.size());
        for (size_t id = 0; id < names.size(); ++id)
            list.push_back({KeyOf(names[id]), ValueCaption(names[id]), numbers[id]});
        return list;
    };
    Distributions->SetValues(values(Facets.Distributions(), counts.Distributions));
    OSes->SetValues(values(Facets.OSes(), counts.OSes));
    KeyWords->SetValues(values(Facets.KeyWords(), counts.KeyWords));
    OnlyNew->setText(QStringLiteral("nur &neue (%1)").arg(counts.New));
    All->setText(QStringLiteral("a&lle (%1)").arg(counts.Installed + counts.NotInstalled));
    Installed->setText(QStringLiteral("ins&talliert (%1)").arg(counts.Installed));
    NotInstalled->setText(QStringLiteral("nicht installie&rt (%1)").arg(counts.NotInstalled));

    QString text = QStringLiteral("%1 von %2 Komponenten").arg(shown).arg(Facets.Rows());
    if (Reading)
        text += QStringLiteral(" – wird gelesen …");
    if (Unreadable > 0)
        text += QStringLiteral(" – %1 nicht lesbar").arg(Unreadable);
    CountLabel->setText(text);
}

void TComponentListWindow::TParts::MarkInstalled()
{
    std::vector<bool> installed;
    installed.reserve(Model->Rows().size());
    for (const TComponentRow& row : Model->Rows())
        installed.push_back(InstalledEntries.count(row.Entry) > 0);
    Model->SetInstalled(std::move(installed));
}

void TComponentListWindow::TParts::TakeBatch(uint64_t serial, TRowBatch batch)
{
    if (serial != Serial)
        return;
    for (const TComponentRow& row : batch.Rows) {
        Facets.Add(row);
        LanguagesSeen.insert(row.Language);
    }
    Unreadable += batch.Unreadable;
    Model->Append(std::move(batch.Rows));
    Reading = !batch.Last;
    MarkInstalled();
    Refilter();
    if (batch.Last) {
        Thread.reset();
        emit W.RowsRead();
    }
}

void TComponentListWindow::TParts::SelectionChanged()
{
    const bool any = W.SelectedEntry() >= 0;
    ShowButton->setEnabled(any);
    InstallButton->setEnabled(any);
}

void TComponentListWindow::TParts::ResetFilters()
{
    Setting = true;
    FilterText->clear();
    for (QCheckBox* box : Compilers)
        box->setChecked(false);
    for (TFacetList* list : {Languages, Distributions, OSes, KeyWords})
        list->SetChecked({});
    KeyWordText->clear();
    Rating->setValue(0);
    OnlyNew->setChecked(false);
    All->setChecked(true);
    Setting = false;
    Refilter();
}

TComponentListWindow::TComponentListWindow(QWidget* parent)
    : QDialog(parent, Qt::Window), F(std::make_unique<TParts>(*this))
{
    F->Build();
    F->Refilter();
    // Typing narrows the list at once.
    setFocusProxy(F->FilterText);
}

TComponentListWindow::~TComponentListWindow()
{
    // Joined before the rows it delivers to go.
    F->Thread.reset();
}

void TComponentListWindow::SetCatalogue(const std::string& dataFileName, const std::string& indexFileName,
                                        const TTreeViewData& tree)
{
    F->Thread.reset();
    ++F->Serial;
    F->Facets.Clear();
    F->LanguagesSeen.clear();
    F->Unreadable = 0;
    F->Model->Clear();
    F->Reading = true;
    F->Refilter();
    const uint64_t serial = F->Serial;
    F->Thread = std::make_unique<TComponentRowsThread>(
        dataFileName, indexFileName, ComponentEntries(tree), this,
        [this, serial](TRowBatch batch) { F->TakeBatch(serial, std::move(batch)); });
    F->Thread->start();
}

void TComponentListWindow::SetInstalledEntries(const std::set<int>& entries)
{
    F->InstalledEntries = entries;
    F->MarkInstalled();
    F->Refilter();
}

void TComponentListWindow::SetUpdateDate(TDateTime date)
{
    F->UpdateDate = date;
    F->Refilter();
}

QVariantMap TComponentListWindow::Filters() const
{
    QVariantMap filters;
    filters.insert(QStringLiteral("text"), F->FilterText->text());
    int compilers = 0;
    for (int i = 0; i < 3; ++i)
        compilers |= F->Compilers[i]->isChecked() ? 1 << i : 0;
    filters.insert(QStringLiteral("compilers"), compilers);
    filters.insert(QStringLiteral("languages"), F->Languages->Checked());
    filters.insert(QStringLiteral("minRating"), F->Rating->value());
    filters.insert(QStringLiteral("distributions"), F->Distributions->Checked());
    filters.insert(QStringLiteral("oses"), F->OSes->Checked());
    filters.insert(QStringLiteral("keyWords"), F->KeyWords->Checked());
    filters.insert(QStringLiteral("onlyNew"), F->OnlyNew->isChecked());
    filters.insert(QStringLiteral("installed"), F->Installed->isChecked() ? 1 : F->NotInstalled->isChecked() ? 2 : 0);
    return filters;
}

void TComponentListWindow::SetFilters(const QVariantMap& filters)
{
    F->Setting = true;
    F->FilterText->setText(filters.value(QStringLiteral("text")).toString());
    const int compilers = filters.value(QStringLiteral("compilers")).toInt();
    for (int i = 0; i < 3; ++i)
        F->Compilers[i]->setChecked((compilers >> i) & 1);
    F->Languages->SetChecked(filters.value(QStringLiteral("languages")).toStringList());
    F->Rating->setValue(filters.value(QStringLiteral("minRating")).toInt());
    F->Distributions->SetChecked(filters.value(QStringLiteral("distributions")).toStringList());
    F->OSes->SetChecked(filters.value(QStringLiteral("oses")).toStringList());
    F->KeyWords->SetChecked(filters.value(QStringLiteral("keyWords")).toStringList());
    F->OnlyNew->setChecked(filters.value(QStringLiteral("onlyNew")).toBool());
    const int installed = filters.value(QStringLiteral("installed")).toInt();
    (installed == 1 ? F->Installed : installed == 2 ? F->NotInstalled : F->All)->setChecked(true);
    F->Setting = false;
    F->Refilter();
}

bool TComponentListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == F->FilterText && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        F->View->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TComponentListWindow::Reading() const
{
    return F->Reading;
}

TComponentListModel& TComponentListWindow::Model() const
{
    return *F->Model;
}

QTreeView& TComponentListWindow::View() const
{
    return *F->View;
}

int TComponentListWindow::SelectedEntry() const
{
    const QModelIndex current = F->View->currentIndex();
    if (!current.isValid() || !F->View->selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return -1;
    const int row = F->Model->RowAt(current.row());
    return row < 0 ? -1 : F->Model->Rows()[static_cast<size_t>(row)].Entry;
}

}  // namespace lumarc
