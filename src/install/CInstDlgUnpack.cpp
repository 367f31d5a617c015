#include "CInstDlg.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "HostText.h"
#include "controls/DirectoryListBox.h"
#include "controls/xFileListBox.h"
#include "install/core/InstallRecorder.h"
#include "platform/ApplicationErrors.h"
#include "platform/ArchiveCopy.h"
#include "platform/SystemErrors.h"
#include "settings/core/InstallSource.h"
#include "settings/core/PathRoutines.h"
#include "widgets/BevelPanel.h"
#include "widgets/Gauge.h"
#include "widgets/MsgBox.h"
#include "widgets/ProgressForm.h"

namespace lumarc {

void TCInstDlg::UnpackBtnClick()
{
    FOverwriteAll = false;
    const int current = CompFiles->currentRow();
    if (FBusy || current < 0 || CompFiles->EntryAt(current).IsDirectory)
        return;
    const QString archive = CompFiles->FullPathOf(current);
    QString dest = DestEdit->text();
    try {
        EnsureDestinationDir(dest, Local(PathPart(Host(DestEdit->text()))));
    } catch (const ENoDir&) {
        return;
    }
    BeginRecord(dest);
    dest = Local(IncludeBackslash(Host(dest)));
    if (QDialog* window = FMessi->Window())
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    FRefused.clear();
    FFailed.clear();
    FWritten = 0;
    FReplaced = 0;
    {
        BeginRun(QStringLiteral("Entpacke..."));
        // An archive inside a disc image is unpacked from a copy that goes when it is done.
        const TArchiveCopy local(Host(archive));
        if (!local.Error().empty()) {
            EndRun();
            Tell(QStringLiteral("Das Archiv %1 konnte nicht gelesen werden: %2.").arg(archive, Local(local.Error())),
                 QStringLiteral("Entpacken"));
            return;
        }
        struct TFree {
            TCInstDlg& Self;
            ~TFree()
            {
                Self.Unziper.lpszZipFile.ClearText();
                Self.Unziper.lpszDestination.ClearText();
                Self.EndRun();
            }
        } free{*this};
        QLabel* label = FProgressForm->InfoLabel();
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->adjustSize();
        const QByteArray zip = QByteArray::fromStdString(local.Path());
        const QByteArray destination = dest.toUtf8();
        Unziper.lpszZipFile.SetText(zip.constData());
        Unziper.lpszDestination.SetText(destination.constData());
        Unziper.RunFunction(UNZIP_EXTRACT);
    }
    TellUnpackResult(archive, dest);
    TellStoreNotices();
    DestFiles->Reload();
    // After "Nein" the folder in DestEdit was never made; the list shows where the files went.
    const QString shown = QFileInfo(DestEdit->text()).isDir() ? DestEdit->text() : dest;
    GuardedCall([&] { DestDirListBox->SetDirectory(shown); });
    // Last, so that the change notifications of the re-read lists do not overwrite the count.
    const QString unpacked = QStringLiteral("%1 Datei(en) entpackt").arg(FWritten);
    SetStatus(FReplaced > 0 ? unpacked + QStringLiteral(", %1 davon überschrieben.").arg(FReplaced)
                            : unpacked + QLatin1Char('.'));
}

// The library has told of a cancel itself; anything else that went wrong is said here, so
// that a half-unpacked component does not pass for an installed one.
void TCInstDlg::TellUnpackResult(const QString& archive, const QString& dest)
{
    // A long list of names would make a box taller than the screen.
    auto listed = [](const QStringList& names) {
        constexpr int kShown = 10;
        QString text = QStringList(names.mid(0, kShown)).join(QStringLiteral("\n"));
        if (names.size() > kShown)
            text += QStringLiteral("\nund %1 weitere").arg(names.size() - kShown);
        return text;
    };
    QStringList parts;
    if (Unziper.LastResult == DZ_ERR_ARCHIVE)
        parts << QStringLiteral("Das Archiv %1 fehlt oder ist beschädigt.").arg(archive);
    else if (Unziper.LastResult == DZ_ERR_WRITE && FFailed.isEmpty())
        parts << QStringLiteral("In das Verzeichnis %1 kann nicht entpackt werden.").arg(dest);
    else if (Unziper.LastResult == DZ_ERR_PARAMS)
        parts << QStringLiteral("Das Archiv %1 konnte nicht entpackt werden.").arg(archive);
    if (!FFailed.isEmpty())
        parts << QStringLiteral("Nicht geschrieben wurde aus %1 nach %2:\n%3").arg(archive, dest, listed(FFailed));
    if (!FRefused.isEmpty())
        parts << QStringLiteral(
                     "Übergangen, weil außerhalb des Zielverzeichnisses, Verknüpfung oder unglaubhaft groß:\n%1")
                     .arg(listed(FRefused));
    if (!FFailed.isEmpty() || !FRefused.isEmpty()) {
        // A full disk ends the unpacking: the members after it were not tried.
        const bool ended = !FFailed.isEmpty() && FFailed.back().endsWith(Local(SystemErrorText(ENOSPC)));
        if (FWritten == 0)
            parts << (ended ? QStringLiteral("Das Entpacken wurde beendet; es wurde keine Datei geschrieben.")
                            : QStringLiteral("Es wurde keine Datei geschrieben."));
        else if (ended)
            parts << QStringLiteral("Das Entpacken wurde beendet; die Dateien davor wurden geschrieben.");
        else
            parts << QStringLiteral("Die anderen Dateien wurden geschrieben.");
    }
    if (!parts.isEmpty())
        Tell(parts.join(QStringLiteral("\n\n")), QStringLiteral("Entpacken"));
}

void TCInstDlg::UnziperMinorCallback(const char* szItem, int32_t Percent, bool& DoCancel)
{
    DoCancel = false;
    if (!FProgressForm)
        return;
    QLabel* label = FProgressForm->InfoLabel();
    const QString text = QString::fromUtf8(szItem ? szItem : "");
    label->setText(text);
    label->adjustSize();
    const int width = QFontMetrics(label->font()).horizontalAdvance(text) + 30;
    FProgressForm->setFixedWidth(std::max(width, FProgressForm->MinimumWidth()));
    TBevelPanel* panel = FProgressForm->Panel();
    panel->resize(FProgressForm->width(), panel->height());  // the panel fills the window
    TGauge* gauge = FProgressForm->Gauge();
    gauge->move((panel->width() - gauge->width()) / 2, gauge->y());
    label->move((panel->width() - label->width()) / 2, label->y());
    gauge->SetProgress(Percent);
    FProgressForm->repaint();
    // The unpacking runs in this thread: the click on "Abbrechen" arrives only here.
    QCoreApplication::processEvents();
    DoCancel = FProgressForm && FProgressForm->CancelRequested();
}

QString TCInstDlg::UnzipText(int number)
{
    switch (number) {
    case DZ_TEXT_CAPTION:
        return QStringLiteral("Entpacker");
    case DZ_TEXT_WARNING_CAPTION:
        return QStringLiteral("Entpacker - Warnung");
    case DZ_TEXT_OVERWRITE:
        return QStringLiteral("Datei %s existiert schon, soll sie überschrieben werden?");
    case DZ_TEXT_EXTRACTING:
        return QStringLiteral("Entpacke Datei: %s");
    case DZ_TEXT_OVERWRITE_RO:
        return QStringLiteral(
            "Datei %s existiert schon und hat das Nur-Lesen-Attribut, Soll sie überschrieben werden?");
    default:
        return QString();
    }
}

void TCInstDlg::UnziperMessageCallback(uint16_t MsgID, uint16_t, int32_t p1, int32_t, char* lpsz1, char* lpsz2,
                                       int& RtnResult)
{
    switch (MsgID) {
    case DZ_MSG_TEXT: {
        const QByteArray text = UnzipText(p1).toUtf8();
        if (text.isEmpty() || !lpsz1)
            return;
        const size_t n = std::min(static_cast<size_t>(text.size()), static_cast<size_t>(DZ_TEXT_BUFFER - 1));
        std::memcpy(lpsz1, text.constData(), n);
        lpsz1[n] = '\0';
        RtnResult = 1;
        return;
    }
    case DZ_MSG_QUESTION: {
        if (FOverwriteAll) {
            RtnResult = TMsgBox::mrYes;
            return;
        }
        RtnResult = Ask(QString::fromUtf8(lpsz1 ? lpsz1 : ""), QString::fromUtf8(lpsz2 ? lpsz2 : ""),
                        static_cast<int>(TMSGButtons::msgYesAllNoCancel));
        if (RtnResult == TMsgBox::mrAll) {
            FOverwriteAll = true;
            RtnResult = TMsgBox::mrYes;
        }
        return;
    }
    case DZ_MSG_CANCELLED:
        Ask(QStringLiteral("Entpacken abgebrochen."), QStringLiteral("Entpacker - Information"),
            static_cast<int>(TMSGButtons::msgOK));
        RtnResult = 1;
        return;
    case DZ_MSG_REFUSED:
        // The library's own notice of a member it would not write; said once it is over.
        std::cerr << "lumarc: " << (lpsz1 ? lpsz1 : "") << ": " << (lpsz2 ? lpsz2 : "") << '\n';
        FRefused << QString::fromUtf8(lpsz1 ? lpsz1 : "");
        RtnResult = 1;
        return;
    case DZ_MSG_FOLDER:
        if (FRecorder && lpsz1)
            FRecorder->FolderMade(lpsz1);
        RtnResult = 1;
        return;
    case DZ_MSG_REPLACING:
        if (FRecorder && lpsz1)
            FRecorder->Replacing(lpsz1);
        RtnResult = 1;
        return;
    case DZ_MSG_WRITTEN:
        if (FRecorder && lpsz1)
            FRecorder->Written(lpsz1);
        ++FWritten;
        if (lpsz2 && std::strcmp(lpsz2, "replaced") == 0)
            ++FReplaced;
        RtnResult = 1;
        return;
    case DZ_MSG_FAILED: {
        const QString member = QString::fromUtf8(lpsz1 ? lpsz1 : "");
        const std::string reason = lpsz2 ? lpsz2 : "";
        QString why = QStringLiteral("beschädigt");
        if (reason.rfind("errno ", 0) == 0)
            why = Local(SystemErrorText(std::atoi(reason.c_str() + 6)));
        FFailed << QStringLiteral("%1: %2").arg(member, why);
        RtnResult = 1;
        return;
    }
    default:
        RtnResult = 1;
        return;
    }
}

}  // namespace lumarc
