// The dialogs class on the dialog and registry models: the records the dialogs receive, what
// comes back after a choice or a cancel, the filters, and the error rules.
#include "services/cls_sys_dialogs.h"
#include "services/dialog_texts.h"
#include "tests/fakes/memory_dialogs.h"
#include "tests/fakes/memory_registry.h"
#include "tests/fakes/memory_system.h"
#include "tests/services/error_of.h"

#include <gtest/gtest.h>

#include <functional>

namespace marlwick {
namespace {

using Port = RegistryPort;

class Dialogs : public testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(registry.openHandleCount(), 0u);
        EXPECT_EQ(dialogs.liveItems(), 0u);
    }

    void registerType(const std::string& extension, const std::string& fileType,
                      const std::string& description) {
        registry.putValue(Port::kHkeyClassesRoot, "." + extension, "", Port::kRegSz,
                          fileType + '\0');
        registry.putValue(Port::kHkeyClassesRoot, fileType, "", Port::kRegSz, description + '\0');
    }

    std::string filterFor(const std::string& fileTypes) {
        return ComposeFileFilter(registryClass, fileTypes);
    }

    std::string chooseSettingsFile() {
        return cls.GetOpenFileName("E:\\Navi\\", "ApplicationSettings.xml", "xml",
                                   "ApplicationSettings", 0x1234);
    }

    MemoryRegistry registry;
    MemorySystem system;
    MemoryDialogs dialogs;
    clsSysRegistry registryClass{registry, system};
    clsSysDialogs cls{dialogs, registry, system};
};

TEST_F(Dialogs, FilterOfABareExtensionNamesItsRegisteredType) {
    EXPECT_EQ(filterFor("xml"), std::string(" (*.xml)\0*.xml\0", 15));
    registerType("xml", "xmlfile", "XML-Dokument");
    EXPECT_EQ(filterFor("xml"), std::string("XML-Dokument (*.xml)\0*.xml\0", 27));
}

TEST_F(Dialogs, FilterOfEntriesWithADotUsesThemAsTheyStand) {
    EXPECT_EQ(filterFor("ApplicationSettings.xml"),
              std::string("ApplicationSettings.xml\0ApplicationSettings.xml\0", 48));
    EXPECT_EQ(filterFor("a.x;*.y"), std::string("a.x\0a.x\0*.y\0*.y\0\0", 17));
    registerType("xml", "xmlfile", "XML-Dokument");
    EXPECT_EQ(filterFor("xml;ApplicationSettings.xml"),
              std::string("XML-Dokument (*.xml)\0*.xml\0"
                          "ApplicationSettings.xml\0ApplicationSettings.xml\0\0",
                          76));
    EXPECT_EQ(filterFor(""), "");
}

TEST_F(Dialogs, ClearAPIStringCutsAtTheFirstNul) {
    EXPECT_EQ(ClearAPIString(std::string("C:\\a.xml\0\0rest", 14)), "C:\\a.xml");
    EXPECT_EQ(ClearAPIString("C:\\a.xml"), "C:\\a.xml");
    EXPECT_EQ(ClearAPIString(std::string("\0x", 2)), "");
    EXPECT_EQ(ClearAPIString(""), "");
}

TEST_F(Dialogs, TheOpenDialogGetsTheRecordAsLaidDown) {
    registerType("xml", "xmlfile", "XML-Dokument");
    chooseSettingsFile();
    ASSERT_EQ(dialogs.fileDialogs().size(), 1u);
    const MemoryDialogs::FileDialogShown& shown = dialogs.fileDialogs()[0];
    EXPECT_FALSE(shown.save);
    EXPECT_EQ(shown.structSize, DialogPort::kOpenFileNameSize400);
    EXPECT_EQ(shown.owner, 0x1234u);
    EXPECT_EQ(shown.filter, std::string("XML-Dokument (*.xml)\0*.xml\0\0", 28))
        << "one entry and the string's own NUL end the filter";
    EXPECT_EQ(shown.filterIndex, 1u);
    EXPECT_EQ(shown.file, "ApplicationSettings.xml");
    EXPECT_EQ(shown.maxFile, 259u);
    EXPECT_TRUE(shown.separateFileTitle);
    EXPECT_EQ(shown.maxFileTitle, 259u);
    EXPECT_EQ(shown.initialDir, "E:\\Navi\\");
    EXPECT_EQ(shown.title, "ApplicationSettings");
    EXPECT_EQ(shown.flags, 0u);
}

TEST_F(Dialogs, AChoiceGivesThePathAndACancelTheFileNameArgument) {
    dialogs.answerFileDialog("E:\\Navi\\ApplicationSettings.xml");
    EXPECT_EQ(chooseSettingsFile(), "E:\\Navi\\ApplicationSettings.xml");
    dialogs.answerFileDialog(std::nullopt);
    EXPECT_EQ(chooseSettingsFile(), "ApplicationSettings.xml");
    EXPECT_EQ(cls.GetOpenFileName("", "", "xml"), "");
    dialogs.answerFileDialog("D:\\neu.xml");
    EXPECT_EQ(cls.GetSaveFileName("", "alt.xml", "xml"), "D:\\neu.xml");
    EXPECT_TRUE(dialogs.fileDialogs().back().save);
}

TEST_F(Dialogs, EmptyTitleAndFileTypesLeaveThemToTheSystem) {
    cls.GetOpenFileName("", "a.xml", "", "");
    EXPECT_FALSE(dialogs.fileDialogs()[0].title);
    EXPECT_FALSE(dialogs.fileDialogs()[0].filter);
}

TEST_F(Dialogs, AFailedDialogCountsAsACancelWhateverItLeftInTheBuffer) {
    dialogs.answerFileDialog("E:\\" + std::string(300, 'x') + ".xml");
    EXPECT_EQ(chooseSettingsFile(), "ApplicationSettings.xml");
}

TEST_F(Dialogs, AFileNameLongerThanTheBufferIsAnInvalidArgument) {
    const std::string longest(260, 'n');
    dialogs.answerFileDialog(std::nullopt);
    EXPECT_EQ(cls.GetOpenFileName("", longest, "xml"), longest);
    const ServiceError error = errorOf([&] { cls.GetSaveFileName("", longest + "n", "xml"); });
    EXPECT_EQ(error.number, 5);
    EXPECT_EQ(error.source, "cSysDialogs:GetOpenFileName");
    EXPECT_EQ(dialogs.fileDialogs().size(), 1u) << "no dialog after the error";
}

TEST_F(Dialogs, FilterErrorsKeepTheInnermostSource) {
    registry.putValue(Port::kHkeyClassesRoot, ".mwk", "", Port::kRegSz,
                      std::string("Mwk.File\0", 9));
    registry.putValue(Port::kHkeyClassesRoot, "Mwk.File", "", Port::kRegMultiSz,
                      std::string("a\0b\0\0", 5));
    ServiceError error = errorOf([&] { cls.GetOpenFileName("", "", "mwk"); });
    EXPECT_EQ(error.number, kErrorTypeMismatch);
    EXPECT_EQ(error.source, "cSysDialogs:ComposeFileFilter");

    registry.failCall(MemoryRegistry::Call::openKey, Port::kErrorAccessDenied);
    error = errorOf([&] { cls.GetOpenFileName("", "", "xml"); });
    EXPECT_EQ(error.number, Port::kErrorAccessDenied);
    EXPECT_EQ(error.source, "cSysRegistry:GetRegistryValue");
    EXPECT_TRUE(dialogs.fileDialogs().empty());
}

TEST_F(Dialogs, GetPathGivesTheFolderOrEmptyText) {
    EXPECT_EQ(cls.GetPath(0x42), "");
    dialogs.answerFolderDialog("E:\\Navi");
    EXPECT_EQ(cls.GetPath(), "E:\\Navi");
    dialogs.answerFolderDialog("");
    EXPECT_EQ(cls.GetPath(), "") << "an item without a file-system path";
    const MemoryDialogs::FolderDialogShown& shown = dialogs.folderDialogs()[0];
    EXPECT_EQ(shown.owner, 0x42u);
    EXPECT_EQ(shown.title, "Bitte wählen Sie ein Verzeichnis aus");
    EXPECT_EQ(shown.flags, 3u);
}

TEST_F(Dialogs, CustomColoursAreAddressedOneToSixteen) {
    for (std::int32_t index = 1; index <= 16; ++index)
        EXPECT_EQ(cls.CustomizedColor(index), 0);
    cls.CustomizedColor(1, 0x0000FF);
    cls.CustomizedColor(16, 0xFFFFFF);
    EXPECT_EQ(cls.CustomizedColor(1), 0x0000FF);
    EXPECT_EQ(cls.CustomizedColor(16), 0xFFFFFF);
    for (std::int32_t index : {0, 17, -1}) {
        const ServiceError error = errorOf([&] { cls.CustomizedColor(index, 5); });
        EXPECT_EQ(error.number, 9);
        EXPECT_EQ(error.description, "Der Index muss zwischen 1 und 16 liegen.");
        EXPECT_EQ(error.source, "");
        EXPECT_EQ(errorOf([&] { cls.CustomizedColor(index); }).number, 9);
    }
}

TEST_F(Dialogs, GetColorPresetsOnlyARealColourAndGivesMinusOneOnCancel) {
    EXPECT_EQ(cls.GetColor(), -1);
    dialogs.answerColorDialog(0x00336699);
    EXPECT_EQ(cls.GetColor(0x00FF0000, 0x77), 0x00336699);
    ASSERT_EQ(dialogs.colorDialogs().size(), 2u);
    const auto& unset = dialogs.colorDialogs()[0];
    EXPECT_EQ(unset.structSize, DialogPort::kChooseColorSize);
    EXPECT_EQ(unset.flags, 0x82u);
    EXPECT_EQ(unset.rgbResult, 0u);
    const auto& preset = dialogs.colorDialogs()[1];
    EXPECT_EQ(preset.flags, 0x83u);
    EXPECT_EQ(preset.rgbResult, 0x00FF0000u);
    EXPECT_EQ(preset.owner, 0x77u);
}

TEST_F(Dialogs, TheColourDialogReadsAndKeepsTheCustomColours) {
    cls.CustomizedColor(2, 0x00ABCDEF);
    dialogs.answerColorDialog(std::nullopt, {{4, 0x00123456}});
    EXPECT_EQ(cls.GetColor(), -1);
    EXPECT_EQ(dialogs.colorDialogs()[0].customColors[1], 0x00ABCDEFu);
    EXPECT_EQ(cls.CustomizedColor(5), 0x00123456);
    EXPECT_EQ(cls.CustomizedColor(2), 0x00ABCDEF);
}

} // namespace
} // namespace marlwick
