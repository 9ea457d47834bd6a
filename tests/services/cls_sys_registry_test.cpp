// The registry class on the models where only they can reach: failures in every call and system
// texts that are missing.
#include "services/cls_sys_registry.h"
#include "tests/fakes/memory_registry.h"
#include "tests/fakes/memory_system.h"
#include "tests/services/error_of.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace marlwick {
namespace {

using Call = MemoryRegistry::Call;
using Port = RegistryPort;

constexpr std::uint32_t kUser = Port::kHkeyCurrentUser;
constexpr std::uint32_t kClasses = Port::kHkeyClassesRoot;
const std::string kKey = "Software\\Marlwick\\";

class RegistryClass : public testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(registry.openHandleCount(), 0u) << "a registry handle was left open";
    }

    MemoryRegistry registry;
    MemorySystem system;
    clsSysRegistry cls{registry, system};
};

TEST_F(RegistryClass, EveryFailedCallIsRaisedWithItsOperationAsSource) {
    registry.putValue(kUser, kKey + "sub", "", Port::kRegSz, std::string(1, '\0'));
    registry.putValue(kUser, kKey, "pfad", Port::kRegSz, std::string("x\0", 2));
    registry.putValue(kClasses, ".mwk", "", Port::kRegSz, std::string("Mwk.File\0", 9));
    struct Case {
        Call call;
        unsigned after;
        std::function<void()> operation;
        const char* source;
        std::int32_t status = Port::kErrorAccessDenied;
        const char* description = "Access denied.\r";
    };
    const Case cases[] = {
        {Call::openKey, 0, [&] { cls.GetRegistryValue(kUser, kKey, "pfad"); },
         "cSysRegistry:GetRegistryValue"},
        {Call::queryValue, 0, [&] { cls.GetRegistryValue(kUser, kKey, "pfad"); },
         "cSysRegistry:GetRegistryValue"},
        {Call::queryValue, 1, [&] { cls.GetRegistryValue(kUser, kKey, "pfad"); },
         "cSysRegistry:GetRegistryValue"},
        {Call::openKey, 0, [&] { cls.SetRegistryValue(kUser, kKey, "pfad", 2, {}); },
         "cSysRegistry:SetRegistryValue"},
        {Call::createKey, 0, [&] { cls.SetRegistryValue(kUser, kKey + "neu", "v", 2, {}); },
         "cSysRegistry:SetRegistryValue"},
        {Call::setValue, 0, [&] { cls.SetRegistryValue(kUser, kKey, "pfad", 2, {}); },
         "cSysRegistry:SetRegistryValue"},
        {Call::deleteValue, 0, [&] { cls.DeleteRegistryValue(kUser, kKey, "pfad"); },
         "cSysRegistry:DeleteRegistryValue"},
        {Call::queryInfoKey, 0, [&] { cls.EnumKeys(kUser, kKey); }, "cSysRegistry:EnumKeys"},
        {Call::enumKey, 0, [&] { cls.EnumKeys(kUser, kKey); }, "cSysRegistry:EnumKeys"},
        {Call::queryInfoKey, 0, [&] { cls.EnumValues(kUser, kKey); }, "cSysRegistry:EnumValues"},
        {Call::enumValue, 0, [&] { cls.EnumValues(kUser, kKey); }, "cSysRegistry:EnumValues"},
        // The innermost operation's name survives.
        {Call::queryValue, 0, [&] { cls.GetSetting("pfad"); }, "cSysRegistry:GetRegistryValue"},
        {Call::setValue, 0,
         [&] {
             cls.DataType(1);
             cls.SaveSetting("pfad", std::string("y"));
         },
         "cSysRegistry:SetRegistryValue"},
        // The file type vanishes between the query of its size and its reading.
        {Call::queryValue, 1, [&] { cls.FileToIconHandle("C:\\a.mwk"); },
         "cSysRegistry:GetRegistryValue", Port::kErrorFileNotFound,
         "mwk ist ein unbekannter Dateityp."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        registry.failCall(c.call, c.status, c.after);
        const ServiceError error = errorOf(c.operation);
        EXPECT_EQ(error.number, c.status);
        EXPECT_EQ(error.source, c.source);
        EXPECT_EQ(error.description, c.description);
        EXPECT_EQ(registry.openHandleCount(), 0u);
        registry.clearFailures();
    }
}

TEST_F(RegistryClass, AKeyThatRefusesWritingFailsTheWriteButNotTheDeletion) {
    registry.putValue(kUser, kKey, "pfad", Port::kRegSz, std::string("x\0", 2));
    registry.denyWriteAccess(kUser, kKey);
    EXPECT_EQ(errorOf([&] { cls.SetRegistryValue(kUser, kKey, "pfad", 2, {}); }).number,
              Port::kErrorAccessDenied);
    EXPECT_EQ(errorOf([&] { cls.SetRegistryValue(kUser, kKey + "neu\\", "v", 2, {}); }).number,
              Port::kErrorAccessDenied);
    EXPECT_NO_THROW(cls.DeleteRegistryValue(kUser, kKey, "pfad"));
    EXPECT_TRUE(registry.storedValue(kUser, kKey, "pfad"));
    EXPECT_EQ(cls.GetRegistryValue(kUser, kKey, "pfad"), RegistryVariant(std::string("x")));
}

TEST_F(RegistryClass, AStatusWithoutSystemTextGivesError9999) {
    registry.failCall(Call::openKey, 0x2000FFFF);
    const ServiceError error = errorOf([&] { cls.GetRegistryValue(kUser, kKey, "pfad"); });
    EXPECT_EQ(error.number, 9999);
    EXPECT_EQ(error.source, "cSysRegistry:GetRegistryValue");
    EXPECT_EQ(error.description,
              "Der Fehlertext zu ReturnCode 536936447 konnte nicht ermittelt werden.");
}

TEST_F(RegistryClass, TheSystemTextLosesOnlyItsLastCharacter) {
    system.setMessage(5, "Zugriff verweigert\r\n");
    registry.failCall(Call::setValue, 5);
    EXPECT_EQ(errorOf([&] { cls.SetRegistryValue(kUser, kKey, "v", 1, {}); }).description,
              "Zugriff verweigert\r");
}

TEST_F(RegistryClass, AFailedExpansionNamesExpandStringAsSource) {
    registry.putValue(kUser, kKey, "ref", Port::kRegExpandSz, std::string("%TEMP%\0", 7));
    registry.putValue(kUser, kKey, "plain", Port::kRegExpandSz, std::string("C:\\x\0", 5));
    system.failExpansion(8);
    EXPECT_EQ(cls.GetRegistryValue(kUser, kKey, "plain"), RegistryVariant(std::string("C:\\x")))
        << "a text without % must not ask the system";

    ServiceError error = errorOf([&] { cls.GetRegistryValue(kUser, kKey, "ref"); });
    EXPECT_EQ(error.number, 9999) << "the model has no text for 8";
    EXPECT_EQ(error.source, "cSysRegistry:ExpandString");

    system.setMessage(8, "Not enough memory.\r\n");
    error = errorOf([&] { cls.GetRegistryValue(kUser, kKey, "ref"); });
    EXPECT_EQ(error.number, 8);
    EXPECT_EQ(error.source, "cSysRegistry:ExpandString");
    EXPECT_EQ(error.description, "Not enough memory.\r");
}

TEST_F(RegistryClass, AMissingDefaultGivesWhatWasReadAndAnEmptyTextIsADefault) {
    cls.AppName("Marlwick");
    cls.Section("");
    registry.putValue(kUser, "Software\\Marlwick\\", "user", Port::kRegSz, std::string("1\0", 2));
    EXPECT_EQ(cls.GetSetting("user", std::int32_t{0}), RegistryVariant(std::string("1")));
    EXPECT_EQ(cls.GetSetting("klick", std::string()), RegistryVariant(std::string()));
    EXPECT_TRUE(isEmpty(cls.GetSetting("klick")));
}

TEST_F(RegistryClass, SaveSettingWritesWithTheDataTypeSet) {
    cls.AppName("Marlwick");
    cls.Section("Fenster");
    cls.DataType(4);
    cls.SaveSetting("links", true);
    EXPECT_EQ(registry.storedValue(kUser, "Software\\Marlwick\\Fenster", "links")->data,
              std::string("\xFF\xFF\xFF\xFF", 4));
    cls.DataType(6);
    cls.SaveSetting("rechts", std::string("1"));
    EXPECT_FALSE(registry.storedValue(kUser, "Software\\Marlwick\\Fenster", "rechts"));
}

// The model refuses every path that starts with a backslash, so an unregistered type ends the
// chain before any extraction. Wine opens "\CLSID" below the classes root and extracts from an
// empty name, which gives no icon all the same.
TEST_F(RegistryClass, AnUnregisteredTypeExtractsNothingOnTheModel) {
    EXPECT_EQ(cls.FileToIconHandle("C:\\a.unbekannt"), 0u);
    EXPECT_TRUE(system.extractions().empty());
}

// ---- Conversions ------------------------------------------------------------------------

TEST(RegistryVariantConversion, TextAndNumbersFollowTheUsualRules) {
    EXPECT_EQ(toText(RegistryVariant{}), "");
    EXPECT_EQ(toText(std::int32_t{-12}), "-12");
    EXPECT_EQ(toText(false), "False");
    EXPECT_EQ(toLong(std::string(" +17 ")), 17);
    EXPECT_EQ(toLong(std::string("-2147483648")), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toLong(true), -1);
    EXPECT_EQ(toLong(RegistryVariant{}), 0);
    auto numberOf = [](auto operation) {
        try {
            operation();
        } catch (const ServiceError& error) {
            return error.number;
        }
        return 0;
    };
    EXPECT_EQ(numberOf([] { toLong(std::string("2147483648")); }), kErrorOverflow);
    EXPECT_EQ(numberOf([] { toLong(std::string("99999999999999999999")); }), kErrorOverflow);
    EXPECT_EQ(numberOf([] { toLong(std::string("1.5")); }), kErrorTypeMismatch);
    EXPECT_EQ(numberOf([] { toLong(std::string("")); }), kErrorTypeMismatch);
    EXPECT_EQ(numberOf([] { toLong(std::string("+-5")); }), kErrorTypeMismatch);
    EXPECT_FALSE(isWholeNumber("+-5"));
    EXPECT_EQ(numberOf([] { toText(RegistryList{"a"}); }), kErrorTypeMismatch);
    EXPECT_EQ(numberOf([] { toList(std::string("a")); }), kErrorTypeMismatch);
}

} // namespace
} // namespace marlwick
