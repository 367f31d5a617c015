#pragma once
// Every window of the program as a user opens it, on the demo catalogue: the main window on each
// kind of page and with its find bar open, the detail window, the search dialog and its results,
// the install dialog, the options, the about box and the progress window. A test looks at each.

#include <functional>
#include <string>

#include "ToolDiscMainTestSupport.h"
#include "install/CInstDlg.h"
#include "search/SearchDlg.h"
#include "search/SearchFoundDlg.h"
#include "settings/OptionsDialog.h"
#include "shell/Application.h"
#include "shell/CDAboutBox.h"
#include "shell/FindBar.h"
#include "shell/SearchCommand.h"
#include "shell/WideInfoForm.h"
#include "widgets/ProgressForm.h"

namespace lumarc::test {

class TEveryWindowTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        TApplication::SetUp(*qApp);
        Open(BuildDir());
    }
    void ShowEntry(const std::string& caption, int kind)
    {
        Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(Entry(caption));
        Window->OverviewOLClick();
        ASSERT_TRUE(ProcessUntil([&] { return Window->PageKind() == kind; })) << caption;
    }
    // Calls `look` with each window, shown without a screen.
    void ForEveryWindow(const std::function<void(QWidget&)>& look)
    {
        look(*Window);
        ShowEntry("TabulaGrid Professional", TToolDiscMain::pkComponent);
        look(*Window);
        ShowEntry("Kalender und Datumsauswahl", TToolDiscMain::pkShortText);
        look(*Window);
        Window->FindBar().Open();
        look(*Window);
        Window->FindBar().Close();

        TWideInfoForm detail;
        Show(detail);
        look(detail);
        TSearchdlg& search = Window->SearchCommand().SearchDialog();
        Show(search);
        look(search);
        TSearchfounddlg& results = Window->SearchCommand().ResultsDialog();
        Show(results);
        look(results);
        TCInstDlg install;
        Show(install);
        look(install);
        TOptionsDialog options;
        Show(options);
        look(options);
        TCDAboutBox about;
        Show(about);
        look(about);
        TProgressForm progress;
        progress.EnableCancel();
        Show(progress);
        look(progress);
    }
};

}  // namespace lumarc::test
