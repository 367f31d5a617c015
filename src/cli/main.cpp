// lumarc-cli: reads, checks and builds catalogues without a display.

#include <iostream>

#include <CLI/CLI.hpp>

#include "Commands.h"

int main(int argc, char** argv)
{
    CLI::App app{"Liest, prüft und erstellt Lumarc-Kataloge", "lumarc-cli"};
    app.require_subcommand(1);

    std::string catalogue;
    auto* dump = app.add_subcommand("dump", "Den ganzen Katalog als JSON ausgeben");
    dump->add_option("CATALOGUE", catalogue, "Katalogverzeichnis oder .dat-Datei")->required();
    auto* tree = app.add_subcommand("tree", "Die Gliederung ausgeben");
    tree->add_option("CATALOGUE", catalogue, "Katalogverzeichnis oder .dat-Datei")->required();
    auto* check = app.add_subcommand("check", "Den Katalog lesen und prüfen");
    check->add_option("CATALOGUE", catalogue, "Katalogverzeichnis oder .dat-Datei")->required();

    std::string entry;
    auto* show = app.add_subcommand("show", "Die Druckzeilen eines Eintrags ausgeben");
    show->add_option("CATALOGUE", catalogue, "Katalogverzeichnis oder .dat-Datei")->required();
    show->add_option("ENTRY", entry, "Nummer des Gliederungseintrags, ab 0")->required();
    auto* orderForm = app.add_subcommand("order-form", "Das Bestellformular ausgeben");
    orderForm->add_option("CATALOGUE", catalogue, "Katalogverzeichnis oder .dat-Datei")->required();

    std::string query;
    bool caseSensitive = false;
    auto* search = app.add_subcommand("search", "Den Volltext des Katalogs durchsuchen");
    search->add_option("CATALOGUE", catalogue, "Katalogverzeichnis oder .dat-Datei")->required();
    search->add_option("QUERY", query, "Suchbegriffe, verbunden mit \" + \" (und) und \" - \" (oder)")->required();
    search->add_flag("--case", caseSensitive, "Groß/Kleinschreibung beachten");

    std::string outDir;
    std::vector<std::string> scripts;
    auto* build = app.add_subcommand("build", "Quellskripte in einen Katalog übersetzen");
    build->add_option("-o", outDir, "Zielverzeichnis")->required();
    build->add_option("SCRIPT", scripts, "Quellskripte")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }

    if (*dump)
        return lumarc::RunDump(catalogue);
    if (*tree)
        return lumarc::RunTree(catalogue);
    if (*check)
        return lumarc::RunCheck(catalogue);
    if (*show)
        return lumarc::RunShow(catalogue, entry);
    if (*orderForm)
        return lumarc::RunOrderForm(catalogue);
    if (*search)
        return lumarc::RunSearch(catalogue, query, caseSensitive);
    if (*build)
        return lumarc::RunBuild(outDir, scripts);
    return 2;
}
