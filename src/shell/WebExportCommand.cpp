#include "WebExportCommand.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <thread>

#include "Messages.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/TreeViewData.h"
#include "export/HtmlExport.h"
#include "settings/core/Settings.h"
#include "widgets/Gauge.h"
#include "widgets/MsgBox.h"
#include "widgets/ProgressForm.h"

namespace lumarc {

namespace {

const char* const kCaption = "Als Webseite exportieren";

QString& LastDirectory()
{
    static QString last;
    return last;
}

// The framework's directory dialog takes only a directory that exists; the site's own
// directory, typed in, is made by the export.
class TDirectoryDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    QString Chosen;

    void accept() override
    {
        const QString path = selectedFiles().value(0);
        const QFileInfo info(path);
        if (!path.isEmpty() && !info.exists() && info.absoluteDir().exists()) {
            Chosen = path;
            QDialog::accept();
            return;
        }
        Chosen = path;
        QFileDialog::accept();
    }
};

QString ChooseDirectory(QWidget* parent)
{
    TDirectoryDialog dialog(parent, QString::fromUtf8("Verzeichnis für die Webseite wählen"),
                            LastDirectory().isEmpty() ? QDir::homePath() : LastDirectory());
    dialog.setObjectName(QStringLiteral("WebExportDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Exportieren"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen.isEmpty())
        return {};
    return QDir::cleanPath(dialog.Chosen);
}

bool Ask(const QString& text, int defaultButton = 0)
{
    TMsgBox box;
    box.SetCaption(QString::fromUtf8(kCaption));
    box.SetMsg(text);
    box.SetButtons(TMSGButtons::msgYesNo);
    box.SetDefaultButton(defaultButton);
    return box.Execute() == TMsgBox::mrYes;
}

// A directory that holds other things than an earlier export is only written to when the user
// says so: the site's files would land among them.
bool MayWriteInto(const QString& dir)
{
    if (SiteDirectoryIsFree(dir.toStdString()))
        return true;
    return Ask(
        QString::fromUtf8("Das Verzeichnis %1 ist nicht leer.\nDie Webseite trotzdem dorthin schreiben?").arg(dir),
        TMsgBox::mrNo);
}

struct TExportJob {
    std::atomic<int> Done{0};
    std::atomic<int> Total{0};
    std::atomic<bool> Stop{false};
    std::atomic<bool> Finished{false};
    TExportResult Result;
    QString Error;
};

// The export reads through a container of its own, so the viewer goes on reading its own.
void RunJob(TExportJob& job, const std::string& dataFile, const std::string& indexFile, const TTreeViewData& tree,
            const std::string& outDir, const TExportOptions& options)
{
    try {
        TBrowzerContainer container;
        container.DataFileName = dataFile;
        container.IndexFileName = indexFile;
        container.SetActive(true);
        job.Result = ExportHtml(container, tree, outDir, options, [&job](int done, int total) {
            job.Done = done;
            job.Total = total;
            return !job.Stop;
        });
    } catch (const std::exception& e) {
        job.Error = QString::fromUtf8(e.what());
    }
    job.Finished = true;
}

}  // namespace

void RunWebExportCommand(QWidget* parent, const TBrowzerContainer& container, const TTreeViewData& tree)
{
    const QString dir = ChooseDirectory(parent);
    if (dir.isEmpty() || !MayWriteInto(dir))
        return;
    LastDirectory() = dir;

    TExportOptions options;
    options.UpdateDate = Settings().UpdateDate;
    TExportJob job;
    TProgressForm progress;
    progress.hide();
    // Nothing else may happen in the viewer while the site is written from its catalogue.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.InfoLabel()->setText(QStringLiteral("Webseite wird geschrieben..."));
    progress.EnableCancel();
    progress.show();

    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const int total = job.Total;
        progress.Gauge()->SetProgress(total > 0 ? static_cast<int>(int64_t{job.Done} * 100 / total) : 0);
        if (progress.CancelRequested())
            job.Stop = true;
        if (job.Finished)
            loop.quit();
    });
    poll.start(50);
    {
        const TTreeViewData outline = tree;
        std::jthread worker(RunJob, std::ref(job), container.DataFileName, container.IndexFileName, std::cref(outline),
                            dir.toStdString(), options);
        loop.exec();
    }
    poll.stop();
    progress.hide();

    if (!job.Error.isEmpty()) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromUtf8(kCaption),
                    QString::fromUtf8("Die Webseite konnte nicht geschrieben werden:\n") + job.Error);
        return;
    }
    if (job.Result.Cancelled) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromUtf8(kCaption),
                    QString::fromUtf8("Der Export wurde abgebrochen; in %1 liegen nur die Seiten bis dahin.").arg(dir));
        return;
    }
    QString text = QString::fromUtf8("Die Webseite liegt in %1.").arg(dir);
    if (const auto unread = job.Result.Problems.size(); unread > 0)
        text += QString::fromUtf8("\n%1 Einträge ließen sich nicht lesen; ihre Seiten sagen es.").arg(unread);
    text += QStringLiteral("\nJetzt im Browser öffnen?");
    if (Ask(text) && !QDesktopServices::openUrl(QUrl::fromLocalFile(dir + QStringLiteral("/index.html"))))
        ShowMessage(TMessageKind::mkMsgBox, QString::fromUtf8(kCaption),
                    QString::fromUtf8("Der Browser ließ sich nicht starten. Die Seite ist %1/index.html.").arg(dir));
}

}  // namespace lumarc
