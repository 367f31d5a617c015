// lumarc-cli show and order-form: the print lines of an entry and the order form, as UTF-8.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CliRun.h"

namespace fs = std::filesystem;

namespace {

using lumarc::test::ReadAll;
using lumarc::test::TRun;
using CliShow = lumarc::test::TCliTest;
using CliOrderForm = lumarc::test::TCliTest;

// Entries: 0 the order form (info; only a first outline line keeps its leading blanks),
// 1 Willkommen (info), 2 Kapitel (no record), 3 Packer (short), 4 Raster (component),
// 5 Datei (a short text of one line: the file name, nothing for the memo).
const char* const kScript =
    "OUTLINE {\n"
    "   BestellFormular[bestellung]\n"
    "Willkommen [willkommen]\n"
    "Kapitel\n"
    "  Packer [packer]\n"
    "  Raster [raster]\n"
    "  Datei [datei]\n"
    "}\n"
    "INFOTEXT [willkommen] {\n"
    "<F1>Willkommen – 10 €\n"
    "Text mit <f0> Tag\n"
    "}\n"
    "SHORTTEXT [packer] {\n"
    "D:\\COMPS\\PACKER.ZIP\n"
    "┌─┐ Größe\n"
    "└─┘\n"
    "}\n"
    "SHORTTEXT [datei] {\n"
    "D:\\COMPS\\NUR.ZIP\n"
    "}\n"
    "COMPONENT [raster] {\n"
    "[LongName]\n"
    "Raster & Gitter\n"
    "[Version]\n"
    "1.1\n"
    "[Order]\n"
    "Müller & Söhne\n"
    "[Price]\n"
    "49 DM\n"
    "[KeyWords]\n"
    "Gitter; Tabelle\n"
    "[LongInfo]\n"
    "Ein Gitter.\n"
    "}\n"
    "INFOTEXT [bestellung] {\n"
    "Bestellung\n"
    "--- schnipp ---\n"
    "Name: ____\n"
    "Straße: ____\n"
    "--- SCHNAPP ---\n"
    "}\n";

}  // namespace

TEST_F(CliShow, PrintsWhatPrintingPrintsForEachRecordKind)
{
    const fs::path cat = BuildScript(kScript);
    const TRun info = Run("show " + cat.string() + " 1");
    EXPECT_EQ(info.Status, 0) << info.Err;
    EXPECT_EQ(info.Out, "Willkommen – 10 €\nText mit  Tag\n");

    const TRun shortText = Run("show " + cat.string() + " 3");
    EXPECT_EQ(shortText.Status, 0) << shortText.Err;
    EXPECT_EQ(shortText.Out, "┌─┐ Größe\n└─┘\n");

    const TRun compo = Run("show " + cat.string() + " 4");
    EXPECT_EQ(compo.Status, 0) << compo.Err;
    EXPECT_EQ(compo.Out,
              "Komponente: Raster & Gitter   Version 1.1\n"
              "\n"
              "Order:\n"
              "Müller & Söhne\n"
              "Preis:\n"
              "49 DM\n"
              "\n"
              "Schlüsselwörter:\n"
              " GITTER TABELLE\n"
              "Ausführliche Beschreibung:\n"
              "Ein Gitter.\n");
    EXPECT_EQ(compo.Err, "");
}

TEST_F(CliShow, EntryWithoutRecordOrMemoLinesPrintsNothing)
{
    const fs::path cat = BuildScript(kScript);
    for (const char* entry : {" 2", " 5"}) {
        const TRun run = Run("show " + cat.string() + entry);
        EXPECT_EQ(run.Status, 0) << entry;
        EXPECT_EQ(run.Out, "") << entry;
        EXPECT_EQ(run.Err, "") << entry;
    }
}

TEST_F(CliShow, EntryNumberMustBeAPlainNumberInsideTheOutline)
{
    const fs::path cat = BuildScript(kScript);
    for (const char* bad : {"x", "-1", "+1", "1.5", "0x1", "99999999999", "''"}) {
        const TRun run = Run("show " + cat.string() + " " + bad);
        EXPECT_EQ(run.Status, 2) << bad;
        EXPECT_EQ(run.Out, "") << bad;
    }
    EXPECT_EQ(Run("show " + cat.string() + " x").Err, "Ungültige Eintragsnummer: x\n");
    EXPECT_EQ(Run("show " + cat.string()).Status, 2);

    // Past the outline's end is as wrong a call as a negative number.
    const TRun past = Run("show " + cat.string() + " 6");
    EXPECT_EQ(past.Status, 2);
    EXPECT_EQ(past.Err, "Ungültige Eintragsnummer: 6 (der Katalog hat die Einträge 0 bis 5)\n");
    EXPECT_EQ(past.Out, "");
    EXPECT_EQ(Run("show " + cat.string() + " 4").Status, 0);
    EXPECT_EQ(Run("show " + cat.string() + " 0").Out,
              "Bestellung\n--- schnipp ---\nName: ____\nStraße: ____\n--- SCHNAPP ---\n");
}

TEST_F(CliShow, CatalogueAndRecordErrorsExitWithOne)
{
    const TRun missing = Run("show " + (Dir / "nowhere").string() + " 0");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err.rfind("Datenbank nicht gefunden!\nGesucht: ", 0), 0u) << missing.Err;

    const fs::path cat = BuildScript(kScript);
    std::string data = ReadAll(cat / "Data" / "Lumarc32.dat");
    // The first record is Willkommen's info text: give it a line count far beyond the file.
    data[4] = static_cast<char>(0x7F ^ 0x5A);
    Write(cat / "Data" / "Lumarc32.dat", data);
    const TRun broken = Run("show " + cat.string() + " 1");
    EXPECT_EQ(broken.Status, 1);
    EXPECT_EQ(broken.Err, "Stream read error\n");
    EXPECT_EQ(broken.Out, "");
    // Other records stay readable.
    EXPECT_EQ(Run("show " + cat.string() + " 3").Out, "┌─┐ Größe\n└─┘\n");
}

TEST_F(CliOrderForm, PrintsTheLinesBetweenTheMarks)
{
    const TRun run = Run("order-form " + BuildScript(kScript).string());
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "Name: ____\nStraße: ____\n");
}

TEST_F(CliOrderForm, NothingWithoutTheEntryOrItsMarks)
{
    const TRun demo = Run("order-form " + BuildDemo().string());
    EXPECT_EQ(demo.Status, 0);
    EXPECT_EQ(demo.Out, "");

    const std::string wrongOrder =
        "OUTLINE {\n   BestellFormular[b]\n}\nINFOTEXT [b] {\nKopf\n- SCHNAPP -\na\nb\n- SCHNIPP -\n}\n";
    const TRun reversed = Run("order-form " + BuildScript(wrongOrder, "reversed").string());
    EXPECT_EQ(reversed.Status, 0);
    EXPECT_EQ(reversed.Out, "");

    const std::string noRecord = "OUTLINE {\n   BestellFormular\n}\n";
    const TRun bare = Run("order-form " + BuildScript(noRecord, "bare").string());
    EXPECT_EQ(bare.Status, 0);
    EXPECT_EQ(bare.Out, "");
    EXPECT_EQ(bare.Err, "");

    // Marks in a component's long description: a component is not read as an info text.
    const std::string compo = "OUTLINE {\n   bestellformular[c]\n}\n"
                              "COMPONENT [c] {\n[LongInfo]\nx\n1 SCHNIPP 1\na\nb\n2 SCHNAPP 2\n}\n";
    const TRun other = Run("order-form " + BuildScript(compo, "compo").string());
    EXPECT_EQ(other.Status, 0);
    EXPECT_EQ(other.Out, "");
    EXPECT_EQ(other.Err, "");
}

TEST_F(CliOrderForm, UsageAndCatalogueErrors)
{
    EXPECT_EQ(Run("order-form").Status, 2);
    const TRun missing = Run("order-form " + (Dir / "nowhere").string());
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err.rfind("Datenbank nicht gefunden!\nGesucht: ", 0), 0u) << missing.Err;
}
