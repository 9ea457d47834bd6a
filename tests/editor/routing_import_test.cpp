#include "editor/operations/routing_import.h"
#include "tests/editor/editor_fixture.h"

#include <functional>

namespace marlwick {
namespace {

using fakes::MemoryFiles;
using fakes::MemoryHost;

const std::string kTarget = "E:\\ApplicationSettings.xml";
const std::string kImport = "C:\\Sicherung\\ApplicationSettings.xml";
const std::string kBackups = fakes::backupFolder();

class RoutingImport : public EditorFixture {
  protected:
    void SetUp() override {
        model.state.targetPath = kTarget;
        model.state.importPath = kImport;
    }
    void lay(const std::string& target, const std::string& imported) {
        files.addFile(kTarget, target);
        files.addFile(kImport, imported);
    }
};

TEST_F(RoutingImport, TakesTheSectionAndKeepsEverythingAroundIt) {
    lay("<A>Stra\xDF"
        "e</A>\r\n<Routing>old</Routing>\r\n<B/>",
        "<X/><Routing>\r\nnew|1</Routing><Y/>");
    host.answer({EditorHost::kIdYes});
    ImportButtonClick(editor);
    EXPECT_EQ(files.contents(kTarget), "<A>Stra\xDF"
                                       "e</A>\r\n<Routing>\r\nnew|1</Routing>\r\n<B/>");
    EXPECT_EQ(files.contents(kImport), "<X/><Routing>\r\nnew|1</Routing><Y/>");
    EXPECT_EQ(files.contents(kBackups + "\\ApplicationSettings 2026-12-07 23-59-59.xml"),
              "<A>Stra\xDF"
              "e</A>\r\n<Routing>old</Routing>\r\n<B/>");
}

TEST_F(RoutingImport, FromTheOldestOfFullBackupsRemovesTheNextOldestOnly) {
    const std::string oldest = kBackups + "\\ApplicationSettings 2025-01-01 00-00-00.xml";
    const std::string nextOldest = kBackups + "\\ApplicationSettings 2025-01-01 00-00-01.xml";
    const std::string notOurs[] = {kBackups + "\\Notizen.txt",
                                   kBackups + "\\ApplicationSettings 2020-01-01 00-00-00 (1).xml",
                                   kBackups + "\\Zweites Navi 2025-01-01 00-00-01.xml",
                                   kBackups + "\\Urlaubsfoto 2019-05-05 10-10-10.jpg",
                                   kBackups + "\\Other 2019-05-05 10-10-10.xml"};
    // The import file is the oldest backup, its path written in any way the system takes.
    const struct {
        std::function<std::string(const MemoryFiles&)> importPath;
        bool readOnlyTarget = false;
    } cases[] = {
        {[&](const MemoryFiles&) { return oldest; }},
        {[&](const MemoryFiles&) {
            return fakes::backupFolder("") + "\\ApplicationSettings 2025-01-01 00-00-00.xml";
        }},
        {[&](const MemoryFiles&) {
            return kBackups + "\\..\\SICHERUNGEN\\applicationsettings 2025-01-01 00-00-00.XML";
        }},
        {[&](const MemoryFiles& own) { return own.shortPathOf(oldest); }},
        {[&](const MemoryFiles&) { return oldest; }, true},
    };
    for (const auto& each : cases) {
        MemoryMachine other;
        MemoryFiles& own = other.files;
        own.setCurrentFolder(MemoryFiles::kLocalAppData);
        own.addFile(kTarget, "<Routing>old</Routing>");
        own.setReadOnly(kTarget, each.readOnlyTarget);
        own.addFile(oldest, "<Routing>first</Routing>");
        own.addFile(nextOldest, "");
        // One more than are kept, as an earlier import from the oldest left them.
        for (int counter = 2; counter <= 50; ++counter)
            own.addFile(kBackups + "\\ApplicationSettings 2026-01-01 00-00-00 (" +
                            std::to_string(counter) + ").xml",
                        "");
        for (const std::string& path : notOurs)
            own.addFile(path, "");
        model.state.importPath = each.importPath(own);
        SCOPED_TRACE(model.state.importPath);
        const std::size_t before = own.filesIn(kBackups).size();
        EditorContext context = other.contextFor(model);

        const bool replaced = !each.readOnlyTarget;
        EXPECT_EQ(ImportRouting(context), replaced);
        EXPECT_EQ(own.contents(kTarget),
                  replaced ? "<Routing>first</Routing>" : "<Routing>old</Routing>");
        EXPECT_EQ(own.contents(nextOldest).has_value(), !replaced);
        EXPECT_NE(own.contents(oldest), std::nullopt);
        for (const std::string& path : notOurs)
            EXPECT_NE(own.contents(path), std::nullopt) << path;
        // A new one came; the next oldest went only with the replacement.
        EXPECT_EQ(own.filesIn(kBackups).size(), before + (replaced ? 0 : 1));
    }
}

TEST_F(RoutingImport, WarnsFirstAndNoDoesNothing) {
    lay("<Routing>old</Routing>", "<Routing>new</Routing>");
    const auto before = files.modificationsOf(kTarget);
    ImportButtonClick(editor); // answered No
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text,
              "!!!Achtung!!!\r\nAlle Settings f\xFCr alle Fahrzeuge und Routen werden "
              "\xFC"
              "bernommen\r\nAlle anderen Einstellung der ApplicationSettings.xml bleiben "
              "erhalten");
    EXPECT_EQ(host.boxes()[0].caption, "Marlwick");
    EXPECT_EQ(host.boxes()[0].type, EditorHost::kMbYesNo);
    EXPECT_EQ(files.modificationsOf(kTarget), before);
}

TEST_F(RoutingImport, SameSectionLeavesTheFileAsItWas) {
    lay("a<Routing>same</Routing>b", "c<Routing>same</Routing>d");
    const auto before = files.modificationsOf(kTarget);
    EXPECT_TRUE(ImportRouting(editor));
    EXPECT_EQ(files.contents(kTarget), "a<Routing>same</Routing>b");
    EXPECT_EQ(files.modificationsOf(kTarget), before);
}

TEST_F(RoutingImport, EmptySectionEmptiesTheTargetsButKeepsItsTags) {
    lay("a<Routing>old</Routing>b", "<Routing></Routing>");
    EXPECT_TRUE(ImportRouting(editor));
    EXPECT_EQ(files.contents(kTarget), "a<Routing></Routing>b");
}

TEST_F(RoutingImport, RefusesWhatWouldDamageTheTarget) {
    struct Case {
        std::string target, imported, mention;
    };
    // The last row: another program writes the target while its backup is made.
    const std::string anotherWrite = "<Routing>another program's</Routing>";
    const Case cases[] = {
        {"no routing here", "<Routing>x</Routing>", "\"<Routing>\""},
        {"<Routing>open end", "<Routing>x</Routing>", "\"</Routing>\""},
        {"<Routing>old</Routing>", "<Routing>cut off", "\"</Routing>\""},
        {"<Routing>old</Routing>", "", "\"<Routing>\""},
        {"<Routing>old</Routing>", "<Routing>x</Routing>", "ver\xE4ndert"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target + " / " + c.imported);
        MemoryMachine other;
        MemoryFiles& own = other.files;
        MemoryHost& asked = other.host;
        own.addFile(kTarget, c.target);
        own.addFile(kImport, c.imported);
        const bool changed = c.mention == "ver\xE4ndert";
        if (changed)
            own.duringCall(MemoryFiles::Call::ShGetFolderPath,
                           [&] { own.addFile(kTarget, anotherWrite); });
        EditorContext context = other.contextFor(model);
        EXPECT_FALSE(ImportRouting(context));
        ASSERT_EQ(asked.boxes().size(), 1u);
        EXPECT_NE(asked.boxes()[0].text.find(c.mention), std::string::npos);
        EXPECT_EQ(own.contents(kTarget), changed ? anotherWrite : c.target);
    }
}

TEST_F(RoutingImport, MissingImportFileIsNamed) {
    files.addFile(kTarget, "<Routing>old</Routing>");
    EXPECT_FALSE(ImportRouting(editor));
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_NE(host.boxes()[0].text.find(kImport), std::string::npos);
    EXPECT_EQ(files.contents(kTarget), "<Routing>old</Routing>");
}

} // namespace
} // namespace marlwick
