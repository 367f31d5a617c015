// lumarc-cli: reads, checks and builds catalogues without a display.

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>

#include "Commands.h"
#include "platform/ProgramVersion.h"

#include <CLI/CLI.hpp>

namespace {

constexpr int kUsageExit = 2;
const char* const kCatalogueHelp =
    "Katalogverzeichnis, .dat- oder .idx-Datei, oder CD-Abbild (.iso, .img, .cue, .ccd, .mds, .nrg, .toc)";

// The option a message of the parser names, and the value it names, if any: "NAME: ...", "Could
// not convert: NAME = VALUE", "The value VALUE is not an allowed value for NAME", "Expected
// exactly N arguments to NAME, got M".
std::pair<std::string, std::string> NamedOption(const std::string& text)
{
    const std::string converted = "Could not convert: ";
    const std::string notAllowed = " is not an allowed value for ";
    const std::string arguments = " arguments to ";
    if (text.rfind(converted, 0) == 0) {
        const size_t equals = text.find(" = ", converted.size());
        if (equals != std::string::npos)
            return {text.substr(converted.size(), equals - converted.size()), text.substr(equals + 3)};
    }
    if (const size_t at = text.find(notAllowed); text.rfind("The value ", 0) == 0 && at != std::string::npos)
        return {text.substr(at + notAllowed.size()), text.substr(10, at - 10)};
    if (const size_t at = text.find(arguments); text.rfind("Expected ", 0) == 0 && at != std::string::npos)
        return {text.substr(at + arguments.size(), text.find(',', at) - at - arguments.size()), ""};
    return {text.substr(0, text.find(": ")), ""};
}

// The parser's messages in German where their kind is known; any other keeps CLI11's text.
std::string GermanFailure(const CLI::App* app, const CLI::Error& e)
{
    std::string text = e.what();
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        const size_t at = text.find(" is required");
        text = text.find("subcommand") != std::string::npos ? "Ein Befehl fehlt."
               : at != std::string::npos                    ? "Es fehlt: " + text.substr(0, at)
                                                            : "Es fehlt etwas: " + text;
    } else if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
        const size_t colon = text.find(": ");
        const std::string extras = colon == std::string::npos ? text : text.substr(colon + 2);
        text = (extras.rfind('-', 0) == 0 ? "Unbekannte Option: " : "Unerwartete Argumente: ") + extras;
    } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
        const std::string name = NamedOption(text).first;
        text = text.size() >= 8 && text.compare(text.size() - 8, 8, " missing") == 0 ? "Es fehlt ein Wert für " + name
               : text.find(": At Most ") != std::string::npos                     ? "Zu viele Werte für " + name
                                                                                  : "Falsche Zahl von Werten für " + name;
    } else if (dynamic_cast<const CLI::ConversionError*>(&e) || dynamic_cast<const CLI::ValidationError*>(&e)) {
        const auto [name, value] = NamedOption(text);
        text = "Ungültiger Wert für " + name + (value.empty() ? "" : ": " + value);
    }
    // The help of the command given, down to a command of a command: the program's own lists
    // neither its options nor its arguments.
    std::string help = app->get_name();
    for (const CLI::App* given = app; !given->get_subcommands().empty();) {
        given = given->get_subcommands().front();
        help += " " + given->get_name();
    }
    return text + "\nHilfe: " + help + " --help\n";
}

void SpeakGerman(CLI::App& app)
{
    const auto formatter = app.get_formatter();
    for (const auto& [key, german] :
         std::initializer_list<std::pair<const char*, const char*>>{{"Usage", "Aufruf"},
                                                                    {"OPTIONS", "OPTIONEN"},
                                                                    {"SUBCOMMAND", "BEFEHL"},
                                                                    {"SUBCOMMANDS", "BEFEHLE"},
                                                                    {"Positionals", "Argumente"},
                                                                    {"Options", "Optionen"},
                                                                    {"Subcommands", "Befehle"},
                                                                    {"REQUIRED", "(Pflicht)"}})
        formatter->label(key, german);
    // Wide enough for "-o ZIELVERZEICHNIS (Pflicht)" beside its text.
    formatter->column_width(34);
    app.option_defaults()->group("Optionen");
    app.set_help_flag("-h,--help", "Diese Hilfe zeigen");
    app.failure_message(GermanFailure);
}

// Every command's help, those below a command ("library add") too, lists its commands and
// options under German headings.
void NameGroupsInGerman(CLI::App& parent)
{
    for (CLI::App* command : parent.get_subcommands({})) {
        command->group("Befehle");
        if (CLI::Option* help = command->get_help_ptr())
            help->group("Optionen");
        // The placeholders say what to give; a type name ("TEXT") after them says nothing more.
        for (CLI::Option* option : command->get_options())
            if (option->get_positional())
                option->type_name("");
        NameGroupsInGerman(*command);
    }
}

// A write to standard output that failed (a full disk, a closed pipe) must not end as success.
int Finish(int status)
{
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed)
        return status;
    const int error = errno;
    std::cerr << "lumarc-cli: Die Ausgabe konnte nicht geschrieben werden"
              << (error ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // A closed pipe (| head) ends the program at once and quietly, as it ends cat and grep; a
    // caller that ignores the signal hands that on, so it is set here.
    std::signal(SIGPIPE, SIG_DFL);
    CLI::App app{"Liest, prüft und erstellt Lumarc-Kataloge", "lumarc-cli"};
    SpeakGerman(app);
    app.set_version_flag("--version", "lumarc-cli " + lumarc::ProgramVersion(), "Die Version zeigen");
    app.require_subcommand(1);

    std::string catalogue;
    auto* dump = app.add_subcommand("dump", "Den ganzen Katalog als JSON ausgeben");
    dump->add_option("KATALOG", catalogue, kCatalogueHelp)->required();
    bool numbers = false;
    auto* tree = app.add_subcommand("tree", "Die Gliederung ausgeben");
    tree->add_option("KATALOG", catalogue, kCatalogueHelp)->required();
    tree->add_flag("--numbers", numbers, "Jede Zeile mit der Eintragsnummer und einem Tabulator beginnen");
    auto* check = app.add_subcommand("check", "Den Katalog lesen und prüfen");
    check->add_option("KATALOG", catalogue, kCatalogueHelp)->required();

    std::string entry;
    auto* show = app.add_subcommand("show", "Die Druckzeilen eines Eintrags ausgeben");
    show->add_option("KATALOG", catalogue, kCatalogueHelp)->required();
    show->add_option("EINTRAG", entry, "Nummer des Gliederungseintrags, ab 0")->required();
    auto* orderForm = app.add_subcommand("order-form", "Das Bestellformular ausgeben");
    orderForm->add_option("KATALOG", catalogue, kCatalogueHelp)->required();

    std::string query;
    bool caseSensitive = false;
    auto* search = app.add_subcommand("search", "Den Volltext des Katalogs durchsuchen");
    search->add_option("KATALOG", catalogue, kCatalogueHelp)->required();
    search->add_option("ABFRAGE", query, "Suchbegriffe, verbunden mit \" + \" (und) und \" - \" (oder)")->required();
    search->add_flag("--case", caseSensitive, "Groß/Kleinschreibung beachten");

    std::vector<std::string> searchCatalogues;
    bool searchJson = false;
    auto* searchAll = app.add_subcommand("search-all", "Mehrere Kataloge oder die ganze Bibliothek durchsuchen");
    searchAll->add_option("ABFRAGE", query, "Suchbegriffe, verbunden mit \" + \" (und) und \" - \" (oder)")->required();
    searchAll->add_option("KATALOG", searchCatalogues, "Kataloge; ohne sie die der Bibliothek");
    searchAll->add_flag("--case", caseSensitive, "Groß/Kleinschreibung beachten");
    searchAll->add_flag("--json", searchJson, "Als JSON ausgeben, mit der gefundenen Zeile");

    std::string outDir;
    bool withFiles = false;
    bool exportLibrary = false;
    auto* exportHtml = app.add_subcommand("export-html", "Den Katalog (oder die Bibliothek) als statische Website schreiben");
    exportHtml->add_option("KATALOG", catalogue, kCatalogueHelp);
    exportHtml->add_option("ZIELVERZEICHNIS", outDir, "Zielverzeichnis der Website");
    exportHtml->add_flag("--library", exportLibrary,
                         "Jeden Katalog der Bibliothek in einen eigenen Ordner, mit einer Suche über alle "
                         "(dann nur ZIELVERZEICHNIS)");
    exportHtml->add_flag("--with-files", withFiles, "Die Komponentendateien und -archive der CD mitkopieren");
    bool force = false;
    exportHtml->add_flag("--force", force, "Auch in ein Verzeichnis schreiben, das andere Dateien enthält");

    lumarc::TComponentsOptions components;
    auto* componentsCommand = app.add_subcommand("components", "Die Komponenten des Katalogs auflisten");
    componentsCommand->add_option("KATALOG", catalogue, kCatalogueHelp)->required();
    componentsCommand->add_flag("--json", components.Json, "Als JSON ausgeben");
    componentsCommand->add_option("--compiler", components.Compilers, "delphi1, delphi2 oder bp (mehrfach: einer davon)")
        ->type_name("COMPILER")
        ->allow_extra_args(false);
    componentsCommand->add_option("--language", components.Languages, "Sprachcode (mehrfach: einer davon)")
        ->type_name("CODE")
        ->allow_extra_args(false);
    componentsCommand->add_option("--min-rating", components.MinRating, "Wertung mindestens N (0 bis 10)")
        ->type_name("N");
    componentsCommand->add_option("--keyword", components.KeyWord, "Ein Schlüsselwort, gleich WORT")
        ->type_name("WORT");
    componentsCommand->add_option("--distribution", components.Distribution, "Distribution enthält TEXT")
        ->type_name("TEXT");
    componentsCommand->add_option("--os", components.OS, "Betriebssystem enthält TEXT")->type_name("TEXT");
    componentsCommand->add_option("--since", components.Since, "Neu nach diesem Datum")->type_name("JJJJ-MM-TT");

    std::string destination;
    bool overwrite = false;
    auto* install = app.add_subcommand("install", "Die Datei eines Eintrags installieren und verzeichnen");
    install->add_option("KATALOG", catalogue, kCatalogueHelp)->required();
    install->add_option("EINTRAG", entry, "Nummer des Gliederungseintrags, ab 0")->required();
    install->add_option("ZIEL", destination, "Zielverzeichnis")->required();
    bool unpack = false;
    install->add_flag("--unpack", unpack, "Das ZIP-Archiv ins Ziel entpacken statt es zu kopieren");
    install->add_flag("--overwrite", overwrite, "Vorhandene Dateien ersetzen");
    bool installedJson = false;
    auto* installed = app.add_subcommand("installed", "Die verzeichneten Installationen zeigen");
    installed->add_flag("--json", installedJson, "Als JSON ausgeben, mit jeder Datei und ihrem Zustand");
    std::string installId;
    auto* uninstall = app.add_subcommand("uninstall", "Eine Installation wieder entfernen");
    uninstall->add_option("ID", installId, "Nummer der Installation")->required();

    auto* library = app.add_subcommand("library", "Die Bibliothek der Kataloge verwalten");
    library->require_subcommand(1);
    std::vector<std::string> libraryPaths;
    auto* libraryAdd = library->add_subcommand("add", "Kataloge, CD-Abbilder oder Ordner hinzufügen");
    libraryAdd->add_option("PFAD", libraryPaths, "Katalog, CD-Abbild oder Ordner, der durchsucht wird")->required();
    bool libraryJson = false;
    auto* libraryList = library->add_subcommand("list", "Die Kataloge der Bibliothek zeigen");
    libraryList->add_flag("--json", libraryJson, "Als JSON ausgeben");
    std::string libraryId;
    auto* libraryRemove = library->add_subcommand("remove", "Einen Katalog aus der Bibliothek nehmen");
    libraryRemove->add_option("ID", libraryId, "Nummer des Katalogs")->required();

    std::vector<std::string> scripts;
    auto* build = app.add_subcommand("build", "Quellskripte in einen Katalog übersetzen");
    build->add_option("-o", outDir, "Zielverzeichnis des Katalogs")->required()->type_name("ZIELVERZEICHNIS");
    build->add_option("SKRIPT", scripts, "Quellskripte")->required();

    NameGroupsInGerman(app);

    // A first word that names no command is said as such, not as a stray argument.
    const auto known = [&app](const std::string& word) {
        for (const CLI::App* command : app.get_subcommands({}))
            if (command->check_name(word))
                return true;
        return false;
    };
    if (argc > 1 && argv[1][0] != '-' && !known(argv[1])) {
        std::cerr << "Unbekannter Befehl: " << argv[1] << "\nHilfe: lumarc-cli --help\n";
        return kUsageExit;
    }
    // An option before any command is named as unknown, not taken for a missing command.
    if (argc > 1 && argv[1][0] == '-' && !app.get_option_no_throw(argv[1]) && std::string(argv[1]) != "-h" &&
        std::string(argv[1]) != "--help") {
        std::cerr << "Unbekannte Option: " << argv[1] << "\nHilfe: lumarc-cli --help\n";
        return kUsageExit;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return Finish(app.exit(e));
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kUsageExit;
    }

    if (*dump)
        return Finish(lumarc::RunDump(catalogue));
    if (*tree)
        return Finish(lumarc::RunTree(catalogue, numbers));
    if (*check)
        return Finish(lumarc::RunCheck(catalogue));
    if (*show)
        return Finish(lumarc::RunShow(catalogue, entry));
    if (*orderForm)
        return Finish(lumarc::RunOrderForm(catalogue));
    if (*search)
        return Finish(lumarc::RunSearch(catalogue, query, caseSensitive));
    if (*searchAll)
        return Finish(lumarc::RunSearchAll(query, searchCatalogues, caseSensitive, searchJson));
    if (*exportHtml) {
        // With --library the one place given is the target.
        if (exportLibrary && !catalogue.empty() && outDir.empty())
            return Finish(lumarc::RunExportLibrary(catalogue, withFiles, force));
        if (exportLibrary || catalogue.empty() || outDir.empty()) {
            std::cerr << (exportLibrary ? "Aufruf: lumarc-cli export-html --library ZIELVERZEICHNIS\n"
                                        : "Aufruf: lumarc-cli export-html KATALOG ZIELVERZEICHNIS\n");
            return 2;
        }
        return Finish(lumarc::RunExportHtml(catalogue, outDir, withFiles, force));
    }
    if (*componentsCommand)
        return Finish(lumarc::RunComponents(catalogue, components));
    if (*install)
        return Finish(lumarc::RunInstall(catalogue, entry, destination, unpack, overwrite));
    if (*installed)
        return Finish(lumarc::RunInstalled(installedJson));
    if (*uninstall)
        return Finish(lumarc::RunUninstall(installId));
    if (*libraryAdd)
        return Finish(lumarc::RunLibraryAdd(libraryPaths));
    if (*libraryList)
        return Finish(lumarc::RunLibraryList(libraryJson));
    if (*libraryRemove)
        return Finish(lumarc::RunLibraryRemove(libraryId));
    if (*build)
        return Finish(lumarc::RunBuild(outDir, scripts));
    return kUsageExit;
}
