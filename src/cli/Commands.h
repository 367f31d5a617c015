#pragma once
// The subcommands of lumarc-cli. Each returns the exit status: 0 success, 1 a catalogue or
// record error. Output is UTF-8 on stdout, the program's own messages on stderr.

#include <optional>
#include <string>
#include <vector>

namespace lumarc {

int RunDump(const std::string& catalogue);
// With `numbers`, each line starts with its node's entry number and a tab.
int RunTree(const std::string& catalogue, bool numbers = false);
int RunCheck(const std::string& catalogue);
int RunBuild(const std::string& outDir, const std::vector<std::string>& scripts);
// `entry` is an outline entry number, 0 on; anything but plain decimal digits that fit an int
// is wrong usage (2), and so is a number past the outline's end.
int RunShow(const std::string& catalogue, const std::string& entry);
int RunOrderForm(const std::string& catalogue);
// One line per hit in entry order: the entry number, a tab, the hit text. A query that
// Windows-1252 cannot hold is wrong usage (2).
int RunSearch(const std::string& catalogue, const std::string& utf8Query, bool caseSensitive);
// The same search over several catalogues (the library's when none are given), one after the
// other: "CATALOGUE<tab>ENTRY<tab>HIT TEXT" per hit, or with `json` an array of {catalogue,
// entry, hitText, line}. A catalogue that cannot be read is said on stderr, the others are
// searched, and the status is 1.
int RunSearchAll(const std::string& utf8Query, const std::vector<std::string>& catalogues, bool caseSensitive,
                 bool json);
// The catalogue as a static website in `outDir`; with `withFiles` the component files and
// archives of the disc go along. A record that cannot be read is said on stderr, its page
// says so, the rest is written, and the status is 1. A directory that holds files of the
// user's own is written into only with `force`.
int RunExportHtml(const std::string& catalogue, const std::string& outDir, bool withFiles, bool force);
// Every catalogue of the library as a site in a folder of its own below outDir, with a start
// page and a search over all of them.
int RunExportLibrary(const std::string& outDir, bool withFiles, bool force);

struct TComponentsOptions {
    bool Json = false;
    std::vector<std::string> Compilers;  // delphi1, delphi2, bp
    std::vector<int> Languages;
    std::optional<int> MinRating;
    std::optional<std::string> KeyWord, Distribution, OS;  // UTF-8
    std::optional<std::string> Since;                      // YYYY-MM-DD
};
// The component records in entry order, each a line of entry number, long name and version
// (tab-separated), or with Json an array of objects; only those every given filter lets
// through. An unknown compiler name or a malformed date is wrong usage (2). A record that
// cannot be read is said on stderr and left out, and the status is 1.
int RunComponents(const std::string& catalogue, const TComponentsOptions& options);

// Copies the file the entry names (a component's file, a short text's file line), found on the
// disc as the install dialog finds it, into `destination`, made with its missing levels, or with
// `unpack` unpacks it there through the unzip library, and records the installation. An existing
// file is replaced only with `overwrite` (else nothing is written); the one it replaces is kept
// so that uninstalling puts it back. One line per file written, then "Installation N".
int RunInstall(const std::string& catalogue, const std::string& entry, const std::string& destination, bool unpack,
               bool overwrite);
// The install records, newest first; with `json` with their files and each file's state.
int RunInstalled(bool json);
// Removes an installation as far as nobody changed what it wrote; one line per file.
int RunUninstall(const std::string& id);

// The library. `add` takes catalogues, images and folders (searched to any depth) and prints
// "ID<tab>PATH" per place it did not know; status 1 only when no catalogue was found at all.
int RunLibraryAdd(const std::vector<std::string>& paths);
// In the order added; with `json` an array of {id, label, title, entries, places[{path, present}]}.
int RunLibraryList(bool json);
// Forgets a catalogue, never its files; 1 for an unknown id.
int RunLibraryRemove(const std::string& id);

}  // namespace lumarc
