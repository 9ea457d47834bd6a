// The contract that the registry and system ports and the registry class on top of them keep,
// run natively against the in-memory models and under Wine against the real registry, so that
// the models cannot drift from the platform. Included by exactly one test file per program,
// which instantiates it with its targets.
#pragma once

#include "services/cls_sys_registry.h"
#include "tests/services/error_of.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marlwick {

using Port = RegistryPort;

// What a test run works on: the two ports and the few things only the platform can set up.
class RegistryTarget {
  public:
    virtual ~RegistryTarget() = default;
    virtual RegistryPort& registry() = 0;
    virtual SystemPort& system() = 0;
    virtual void setEnvironmentVariable(const std::string& name, const std::string& value) = 0;
    // A file with more than one icon whose name ends in "." + extension.
    virtual std::string iconFile(const std::string& extension) = 0;
    virtual void releaseIcon(SystemPort::IconHandle icon) = 0;
    // The number of open registry handles, where the target can count them.
    virtual std::optional<std::size_t> openHandles() = 0;
};

struct RegistryTargetKind {
    std::string name;
    std::function<std::unique_ptr<RegistryTarget>()> make;
};

inline void PrintTo(const RegistryTargetKind& kind, std::ostream* out) {
    *out << kind.name;
}

namespace contract {

constexpr std::uint32_t kUser = Port::kHkeyCurrentUser;
constexpr std::uint32_t kClasses = Port::kHkeyClassesRoot;
constexpr std::uint32_t kNoSuchRoot = 0x80000009;

// Everything the tests create, to be removed before and after each test.
inline const char* const kBase = "Software\\MarlwickContract";
inline const std::vector<std::pair<std::uint32_t, std::string>> kCreatedKeys = {
    {kUser, kBase},
    {kClasses, ".mwkct"},
    {kClasses, ".mwkct2"},
    {kClasses, ".mwkctclsid"},
    {kClasses, ".mwkctlocal"},
    {kClasses, ".MWKCTNODOT"},
    {kClasses, "MwkContract.File"},
    {kClasses, "MwkContract.Own"},
    {kClasses, "MwkContract.Clsid"},
    {kClasses, "MwkContract.Local"},
    {kClasses, "CLSID\\{4D574B43-0000-4000-8000-000000000001}"},
    {kClasses, "CLSID\\{4D574B43-0000-4000-8000-000000000002}"},
};

// A file every target has that is no icon source.
inline const char* const kFileWithoutIcons = "C:\\windows\\win.ini";

inline std::string below(const std::string& path) {
    return std::string(kBase) + "\\" + path;
}

struct Stored {
    std::uint32_t type = 0;
    std::string bytes;
    bool operator==(const Stored&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Stored& stored) {
    out << "type " << stored.type << " [";
    for (unsigned char c : stored.bytes)
        out << ' ' << static_cast<int>(c);
    return out << " ]";
}

// The file and index handed to an icon extraction.
using Extraction = std::pair<std::string, std::uint32_t>;

// Passes every call on to the target's system and notes each icon extraction, so that every
// target can tell which icon the registrations led to.
class ExtractionRecorder final : public SystemPort {
  public:
    explicit ExtractionRecorder(SystemPort& system) : system_(system) {}
    std::uint32_t formatMessage(std::uint32_t flags, std::uint32_t messageId,
                                std::uint32_t languageId, char* buffer,
                                std::uint32_t size) override {
        return system_.formatMessage(flags, messageId, languageId, buffer, size);
    }
    std::uint32_t expandEnvironmentStrings(const char* source, char* destination,
                                           std::uint32_t size) override {
        return system_.expandEnvironmentStrings(source, destination, size);
    }
    IconHandle extractIcon(const char* file, std::uint32_t index) override {
        extractions.emplace_back(file, index);
        return system_.extractIcon(file, index);
    }
    std::uint32_t getLastError() override { return system_.getLastError(); }

    std::vector<Extraction> extractions;

  private:
    SystemPort& system_;
};

} // namespace contract

class RegistryContract : public ::testing::TestWithParam<RegistryTargetKind> {
  protected:
    void SetUp() override { target = GetParam().make(); }

    void TearDown() override { leaveTarget(); }

    void leaveTarget() {
        registryClass.reset();
        recorder.reset();
        if (auto handles = target->openHandles()) {
            EXPECT_EQ(*handles, 0u) << "a registry handle was left open";
        }
        target.reset();
    }

    // A new target, with nothing the test stored before, for each case of a table.
    void renewTarget() {
        leaveTarget();
        target = GetParam().make();
    }

    RegistryPort& registry() { return target->registry(); }
    clsSysRegistry& cls() {
        if (!registryClass) {
            recorder = std::make_unique<contract::ExtractionRecorder>(target->system());
            registryClass = std::make_unique<clsSysRegistry>(registry(), *recorder);
        }
        return *registryClass;
    }

    // Stores exactly these bytes. A byte follows them that is no NUL, so that the real call
    // does not count a NUL after a string's data as part of it.
    // The key, created where it is missing, opened for everything.
    Port::Key keyForAll(std::uint32_t root, const std::string& path,
                        std::uint32_t* disposition = nullptr) {
        Port::Key key = 0;
        EXPECT_EQ(registry().createKey(root, path.c_str(), "", Port::kOptionNonVolatile,
                                       Port::kKeyAllAccess, &key, disposition),
                  Port::kErrorSuccess)
            << path;
        return key;
    }

    void store(std::uint32_t root, const std::string& path, const std::string& name,
               std::uint32_t type, const std::string& bytes) {
        const Port::Key key = keyForAll(root, path);
        const std::string buffer = bytes + 'X';
        EXPECT_EQ(registry().setValue(key, name.c_str(), type,
                                      reinterpret_cast<const std::uint8_t*>(buffer.data()),
                                      static_cast<std::uint32_t>(bytes.size())),
                  Port::kErrorSuccess);
        registry().closeKey(key);
    }

    void createKey(std::uint32_t root, const std::string& path) {
        registry().closeKey(keyForAll(root, path));
    }

    void store(const std::string& name, std::uint32_t type, const std::string& bytes) {
        store(contract::kUser, contract::kBase, name, type, bytes);
    }

    std::optional<contract::Stored> stored(const std::string& path, const std::string& name) {
        Port::Key key = 0;
        if (registry().openKey(contract::kUser, path.c_str(), 0, Port::kKeyRead, &key) !=
            Port::kErrorSuccess)
            return std::nullopt;
        contract::Stored value;
        std::uint32_t size = 0;
        std::optional<contract::Stored> result;
        if (registry().queryValue(key, name.c_str(), &value.type, nullptr, &size) ==
            Port::kErrorSuccess) {
            value.bytes.resize(size);
            registry().queryValue(key, name.c_str(), nullptr,
                                  reinterpret_cast<std::uint8_t*>(value.bytes.data()), &size);
            value.bytes.resize(size);
            result = value;
        }
        registry().closeKey(key);
        return result;
    }

    bool keyExists(std::uint32_t root, const std::string& path) {
        Port::Key key = 0;
        if (registry().openKey(root, path.c_str(), 0, Port::kKeyRead, &key) != Port::kErrorSuccess)
            return false;
        registry().closeKey(key);
        return true;
    }

    RegistryVariant read(const std::string& name) {
        return cls().GetRegistryValue(contract::kUser, contract::kBase, name);
    }

    // The system's text for a status as the class passes it on: without its last character.
    std::string systemText(std::int32_t status) {
        char text[256] = {};
        const std::uint32_t length = target->system().formatMessage(
            SystemPort::kFormatMessageFromSystem | SystemPort::kFormatMessageIgnoreInserts,
            static_cast<std::uint32_t>(status), 0, text, sizeof text);
        return length == 0 ? "" : std::string(text, length - 1);
    }

    std::unique_ptr<RegistryTarget> target;
    std::unique_ptr<contract::ExtractionRecorder> recorder;
    std::unique_ptr<clsSysRegistry> registryClass;
};

// ---- The port itself --------------------------------------------------------------------

TEST_P(RegistryContract, PortComparesNamesWithoutCaseAndKeepsTheFirstSpelling) {
    store("Wert", Port::kRegSz, std::string("eins\0", 5));
    store("WERT", Port::kRegSz, std::string("zwei\0", 5));
    EXPECT_TRUE(keyExists(contract::kUser, "software\\MARLWICKCONTRACT"));
    EXPECT_EQ(stored(contract::kBase, "wert")->bytes, std::string("zwei\0", 5));
    Port::Key key = 0;
    ASSERT_EQ(registry().openKey(contract::kUser, contract::kBase, 0, Port::kKeyRead, &key), 0);
    char name[16] = {};
    std::uint32_t nameSize = sizeof name;
    EXPECT_EQ(registry().enumValue(key, 0, name, &nameSize, nullptr, nullptr, nullptr), 0);
    EXPECT_STREQ(name, "Wert");
    registry().closeKey(key);
}

TEST_P(RegistryContract, PortEnumeratesKeysAndValuesSortedByLowerCasedName) {
    // Not the order of creation: "_" sorts before letters, "~" after them, then the
    // Windows-1252 letters by their Unicode code points.
    const std::vector<std::string> created = {"b",    "A",    "zz", "_x", "~",       "a1",
                                              "\x80", "\xE4", "Z",  "1",  "\xC4\x32"};
    const std::vector<std::string> expected = {"1",  "_x", "A",    "a1",       "b",   "Z",
                                               "zz", "~",  "\xE4", "\xC4\x32", "\x80"};
    for (const std::string& name : created) {
        createKey(contract::kUser, contract::below(name));
        store(name, Port::kRegDword, std::string(4, '\0'));
    }
    Port::Key key = 0;
    ASSERT_EQ(registry().openKey(contract::kUser, contract::kBase, 0, Port::kKeyRead, &key), 0);
    std::vector<std::string> keys, values;
    char name[16];
    std::uint32_t size = sizeof name;
    for (std::uint32_t i = 0; registry().enumKey(key, i, name, &size) == 0; ++i, size = 16)
        keys.emplace_back(name, size);
    for (std::uint32_t i = 0;
         registry().enumValue(key, i, name, &size, nullptr, nullptr, nullptr) == 0; ++i, size = 16)
        values.emplace_back(name, size);
    EXPECT_EQ(registry().enumKey(key, static_cast<std::uint32_t>(created.size()), name, &size),
              Port::kErrorNoMoreItems);
    registry().closeKey(key);
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(values, expected);
}

TEST_P(RegistryContract, PortFollowsTheBufferSizeRules) {
    store("s", Port::kRegSz, std::string("abcd\0", 5));
    store("b", Port::kRegBinary, "1234567");
    createKey(contract::kUser, contract::below("subkey"));
    Port::Key key = 0;
    ASSERT_EQ(registry().openKey(contract::kUser, contract::kBase, 0, Port::kKeyRead, &key), 0);

    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(registry().queryValue(key, "s", &type, nullptr, &size), 0);
    EXPECT_EQ(type, Port::kRegSz);
    EXPECT_EQ(size, 5u);
    std::uint8_t data[8] = {};
    size = 2;
    EXPECT_EQ(registry().queryValue(key, "s", nullptr, data, &size), Port::kErrorMoreData);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(registry().queryValue(key, "s", nullptr, data, nullptr),
              Port::kErrorInvalidParameter);
    EXPECT_EQ(registry().queryValue(key, "", nullptr, nullptr, &size), Port::kErrorFileNotFound);

    // Longest lengths: names in characters, data as stored (strings as two bytes a letter).
    std::uint32_t subKeys = 0, longestKey = 0, values = 0, longestName = 0, longestData = 0;
    EXPECT_EQ(
        registry().queryInfoKey(key, &subKeys, &longestKey, &values, &longestName, &longestData),
        0);
    EXPECT_EQ(subKeys, 1u);
    EXPECT_EQ(longestKey, 6u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(longestName, 1u);
    EXPECT_EQ(longestData, 10u);

    char name[8] = {};
    std::uint32_t nameSize = 6;
    EXPECT_EQ(registry().enumKey(key, 0, name, &nameSize), Port::kErrorMoreData);
    nameSize = 7;
    EXPECT_EQ(registry().enumKey(key, 0, name, &nameSize), 0);
    EXPECT_EQ(nameSize, 6u);
    EXPECT_STREQ(name, "subkey");

    std::uint32_t dataSize = 3;
    nameSize = sizeof name;
    EXPECT_EQ(registry().enumValue(key, 0, name, &nameSize, &type, data, &dataSize),
              Port::kErrorMoreData);
    EXPECT_EQ(dataSize, 7u);
    registry().closeKey(key);
}

TEST_P(RegistryContract, PortPutsANulAfterAStringWithoutOneWhenTheBufferHasRoom) {
    store("s", Port::kRegSz, "abc");
    Port::Key key = 0;
    ASSERT_EQ(registry().openKey(contract::kUser, contract::kBase, 0, Port::kKeyRead, &key), 0);
    std::uint8_t data[6] = {9, 9, 9, 9, 9, 9};
    std::uint32_t size = sizeof data;
    EXPECT_EQ(registry().queryValue(key, "s", nullptr, data, &size), 0);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(data[3], 0);
    EXPECT_EQ(data[4], 9);
    registry().closeKey(key);
}

TEST_P(RegistryContract, PortChecksPathsHandlesAndAccessRights) {
    store("v", Port::kRegSz, std::string("x\0", 2));
    Port::Key key = 0;
    EXPECT_EQ(registry().openKey(contract::kUser, "\\Software", 0, Port::kKeyRead, &key),
              Port::kErrorBadPathname);
    EXPECT_EQ(registry().openKey(contract::kNoSuchRoot, "Software", 0, Port::kKeyRead, &key),
              Port::kErrorInvalidHandle);
    EXPECT_EQ(registry().openKey(contract::kUser, "Software\\\\MarlwickContract\\", 0,
                                 Port::kKeyQueryValue, &key),
              0);
    const std::uint8_t data[2] = {'y', 0};
    EXPECT_EQ(registry().setValue(key, "v", Port::kRegSz, data, 2), Port::kErrorAccessDenied);
    EXPECT_EQ(registry().deleteValue(key, "v"), Port::kErrorAccessDenied);
    char name[8];
    std::uint32_t nameSize = sizeof name;
    EXPECT_EQ(registry().enumKey(key, 0, name, &nameSize), Port::kErrorAccessDenied);
    EXPECT_EQ(registry().closeKey(key), 0);
    EXPECT_EQ(registry().closeKey(key), Port::kErrorInvalidHandle);
    EXPECT_EQ(registry().closeKey(contract::kUser), 0);

    ASSERT_EQ(registry().openKey(contract::kUser, contract::kBase, 0, Port::kKeySetValue, &key), 0);
    std::uint32_t size = 0;
    EXPECT_EQ(registry().queryValue(key, "v", nullptr, nullptr, &size), Port::kErrorAccessDenied);
    EXPECT_EQ(registry().deleteValue(key, "missing"), Port::kErrorFileNotFound);
    EXPECT_EQ(registry().deleteValue(key, "v"), 0);
    registry().closeKey(key);
}

TEST_P(RegistryContract, PortCreatesEveryMissingKeyOfThePath) {
    const std::pair<const char*, std::uint32_t> rows[] = {{"a\\b\\c\\", Port::kCreatedNewKey},
                                                          {"A\\B", Port::kOpenedExistingKey}};
    for (const auto& [path, expected] : rows) {
        std::uint32_t disposition = 0;
        registry().closeKey(keyForAll(contract::kUser, contract::below(path), &disposition));
        EXPECT_EQ(disposition, expected) << path;
    }
    EXPECT_TRUE(keyExists(contract::kUser, contract::below("a\\b\\c")));
}

TEST_P(RegistryContract, SystemTextsEndInCarriageReturnAndLineFeed) {
    char text[256];
    const std::uint32_t length = target->system().formatMessage(
        SystemPort::kFormatMessageFromSystem | SystemPort::kFormatMessageIgnoreInserts,
        Port::kErrorFileNotFound, 0, text, sizeof text);
    ASSERT_GT(length, 2u);
    EXPECT_EQ(std::string(text + length - 2, 2), "\r\n");
    EXPECT_EQ(target->system().formatMessage(SystemPort::kFormatMessageFromSystem,
                                             Port::kErrorFileNotFound, 0, text, 4),
              0u);
    EXPECT_EQ(target->system().getLastError(), SystemPort::kErrorInsufficientBuffer);
    EXPECT_EQ(target->system().formatMessage(SystemPort::kFormatMessageFromSystem, 0x2000FFFF, 0,
                                             text, sizeof text),
              0u);
}

TEST_P(RegistryContract, SystemExpandsKnownReferencesAndKeepsTheRest) {
    target->setEnvironmentVariable("MWKCONTRACT", "Wert");
    SystemPort& system = target->system();
    char probe[1];
    EXPECT_EQ(system.expandEnvironmentStrings("a%mwkcontract%b", probe, 0), 7u);
    char text[32];
    EXPECT_EQ(system.expandEnvironmentStrings("%NOPE%x%MWKCONTRACT%%", text, sizeof text), 13u);
    EXPECT_STREQ(text, "%NOPE%xWert%");
}

// ---- Reading and writing ----------------------------------------------------------------

TEST_P(RegistryContract, MissingKeysAndValuesAreEmptyAndNoError) {
    store("present", Port::kRegSz, std::string("x\0", 2));
    EXPECT_TRUE(isEmpty(cls().GetRegistryValue(contract::kUser, contract::below("nope"), "v")));
    EXPECT_TRUE(isEmpty(read("missing")));
    EXPECT_FALSE(cls().HasKey(contract::kUser, contract::below("nope")));
    EXPECT_FALSE(cls().HasKey(contract::kUser, contract::kBase, std::string("missing")));
    EXPECT_TRUE(cls().HasKey(contract::kUser, contract::kBase));
    EXPECT_TRUE(cls().HasKey(contract::kUser, contract::kBase, std::string("PRESENT")));
    EXPECT_FALSE(cls().HasKey(contract::kUser, contract::kBase, std::string("")));
    EXPECT_NO_THROW(cls().DeleteRegistryValue(contract::kUser, contract::below("nope"), "v"));
    EXPECT_NO_THROW(cls().DeleteRegistryValue(contract::kUser, contract::kBase, "missing"));
    EXPECT_TRUE(isEmpty(cls().EnumKeys(contract::kUser, contract::below("nope"))));
    EXPECT_TRUE(isEmpty(cls().EnumValues(contract::kUser, contract::below("nope"))));
    EXPECT_FALSE(keyExists(contract::kUser, contract::below("nope")));
}

TEST_P(RegistryContract, WritingCreatesTheWholePathAndDeletingRemovesTheValue) {
    const std::string path = contract::below("Eins\\Zwei\\Drei\\");
    cls().SetRegistryValue(contract::kUser, path, "pfad", 2, std::string("E:\\Schöne.xml"));
    EXPECT_EQ(stored(path, "pfad"),
              (contract::Stored{Port::kRegExpandSz, std::string("E:\\Schöne.xml\0", 14)}));
    EXPECT_EQ(cls().GetRegistryValue(contract::kUser, path, "PFAD"),
              RegistryVariant(std::string("E:\\Schöne.xml")));
    cls().DeleteRegistryValue(contract::kUser, path, "pfad");
    EXPECT_FALSE(stored(path, "pfad"));
    EXPECT_TRUE(keyExists(contract::kUser, path));
}

TEST_P(RegistryContract, EachTypeIsStoredWithItsExactBytesAndReadBack) {
    struct Case {
        std::int32_t type;
        RegistryVariant written;
        std::string bytes;
        RegistryVariant read;
    };
    const Case cases[] = {
        {1, std::string("abc"), std::string("abc\0", 4), std::string("abc")},
        {1, std::int32_t{-7}, std::string("-7\0", 3), std::string("-7")},
        {2, true, std::string("True\0", 5), std::string("True")},
        {3, std::string("a\0b", 3), std::string("a\0b", 3), std::string("a\0b", 3)},
        {4, std::int32_t{-5}, "\xFB\xFF\xFF\xFF", std::int32_t{-5}},
        {4, std::string(" 42 "), std::string("\x2A\0\0\0", 4), std::int32_t{42}},
        {7, RegistryList{"a", "b"}, std::string("a\0b\0\0", 5), RegistryList{"a", "b"}},
        {7, RegistryList{}, std::string("\0\0", 2), RegistryList{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " bytes " << c.bytes.size());
        cls().SetRegistryValue(contract::kUser, contract::kBase, "v", c.type, c.written);
        EXPECT_EQ(stored(contract::kBase, "v"),
                  (contract::Stored{static_cast<std::uint32_t>(c.type), c.bytes}));
        EXPECT_EQ(read("v"), c.read);
    }
}

TEST_P(RegistryContract, TypesOutsideTheTableWriteNothing) {
    for (std::int32_t type : {0, 5, 6, 8, -1}) {
        EXPECT_NO_THROW(cls().SetRegistryValue(contract::kUser, contract::kBase, "t", type,
                                               std::string("1234")));
        EXPECT_FALSE(stored(contract::kBase, "t")) << "type " << type;
    }
}

TEST_P(RegistryContract, StoredBytesAreReadWithinThemAsTheirTypeSays) {
    target->setEnvironmentVariable("MWKCONTRACT", "D:\\Karte");
    struct Row {
        std::uint32_t type;
        std::string bytes;
        RegistryVariant read;
    };
    const Row rows[] = {
        // Expandable strings expand only what has a percent sign.
        {Port::kRegExpandSz, std::string("%MWKCONTRACT%\\a.xml\0", 20),
         std::string("D:\\Karte\\a.xml")},
        {Port::kRegExpandSz, std::string("MWKCONTRACT\0", 12), std::string("MWKCONTRACT")},
        {Port::kRegExpandSz, std::string("%MWKNOPE%\0", 10), std::string("%MWKNOPE%")},
        {Port::kRegSz, std::string("%MWKCONTRACT%\0", 14), std::string("%MWKCONTRACT%")},
        // Types outside the table read as empty.
        {Port::kRegNone, "ab", {}},
        {Port::kRegDwordBigEndian, std::string("\0\0\0\1", 4), {}},
        {Port::kRegLink, "li", {}},
        // Bad stored data is read within its bytes.
        {Port::kRegSz, "abc", std::string("abc")},
        {Port::kRegSz, "", std::string()},
        {Port::kRegExpandSz, "xyz", std::string("xyz")},
        {Port::kRegMultiSz, std::string("a\0b", 3), RegistryList{"a", "b"}},
        {Port::kRegMultiSz, std::string("a\0b\0", 4), RegistryList{"a", "b"}},
        {Port::kRegMultiSz, "", RegistryList{}},
        {Port::kRegMultiSz, std::string(1, '\0'), RegistryList{}},
        {Port::kRegMultiSz, "x", RegistryList{"x"}},
        {Port::kRegDword, "\x34\x12", std::int32_t{0x1234}},
        {Port::kRegDword, "", std::int32_t{0}},
    };
    for (const Row& row : rows) {
        store("v", row.type, row.bytes);
        EXPECT_EQ(read("v"), row.read) << "type " << row.type << ": " << row.bytes;
    }
}

TEST_P(RegistryContract, AnOversizedNumberIsAFailedReadWithTheSystemText) {
    store("dwordEight", Port::kRegDword, "12345678");
    const ServiceError error = errorOf([&] { read("dwordEight"); });
    EXPECT_EQ(error.number, Port::kErrorMoreData);
    EXPECT_EQ(error.source, "cSysRegistry:GetRegistryValue");
    EXPECT_EQ(error.description, systemText(Port::kErrorMoreData));
    EXPECT_EQ(error.description.back(), '\r');
}

TEST_P(RegistryContract, AFailedOpeningOtherThanMissingIsRaisedWhereTheAlgorithmSaysSo) {
    auto expectInvalidHandle = [&](const std::function<void()>& operation, const char* source) {
        const ServiceError error = errorOf(operation);
        EXPECT_EQ(error.number, Port::kErrorInvalidHandle) << source;
        EXPECT_EQ(error.source, source);
        EXPECT_EQ(error.description, systemText(Port::kErrorInvalidHandle));
    };
    expectInvalidHandle([&] { cls().GetRegistryValue(contract::kNoSuchRoot, "Software", "x"); },
                        "cSysRegistry:GetRegistryValue");
    expectInvalidHandle(
        [&] { cls().SetRegistryValue(contract::kNoSuchRoot, "Software", "x", 1, {}); },
        "cSysRegistry:SetRegistryValue");
    // These treat every failure to open as "nothing there".
    EXPECT_FALSE(cls().HasKey(contract::kNoSuchRoot, "Software"));
    EXPECT_NO_THROW(cls().DeleteRegistryValue(contract::kNoSuchRoot, "Software", "x"));
    EXPECT_TRUE(isEmpty(cls().EnumKeys(contract::kNoSuchRoot, "Software")));
    EXPECT_TRUE(isEmpty(cls().EnumValues(contract::kNoSuchRoot, "Software")));
}

TEST_P(RegistryContract, AValueThatDoesNotConvertRaisesAndKeepsTheOldValue) {
    store("n", Port::kRegDword, std::string("\1\0\0\0", 4));
    const ServiceError error = errorOf([&] {
        cls().SetRegistryValue(contract::kUser, contract::kBase, "n", 4, std::string("zwölf"));
    });
    EXPECT_EQ(error.number, kErrorTypeMismatch);
    EXPECT_EQ(error.source, "cSysRegistry:SetRegistryValue");
    EXPECT_EQ(read("n"), RegistryVariant(std::int32_t{1}));
}

// ---- Enumerating ------------------------------------------------------------------------

TEST_P(RegistryContract, EnumKeysGivesEmptyForAKeyWithoutSubkeysAndNamesInOrderOtherwise) {
    store("v", Port::kRegSz, std::string("x\0", 2));
    EXPECT_TRUE(isEmpty(cls().EnumKeys(contract::kUser, contract::kBase)));
    for (const char* name : {"Kurze", "autobahn", "Optimale_lang"})
        createKey(contract::kUser, contract::below(name));
    EXPECT_EQ(cls().EnumKeys(contract::kUser, contract::kBase),
              RegistryVariant(RegistryList{"autobahn", "Kurze", "Optimale_lang"}));
}

TEST_P(RegistryContract, EnumValuesGivesNamesWithTheirTypeCodes) {
    createKey(contract::kUser, contract::below("leer"));
    EXPECT_TRUE(isEmpty(cls().EnumValues(contract::kUser, contract::below("leer"))));

    cls().SetRegistryValue(contract::kUser, contract::kBase, "y", 4, std::int32_t{3});
    cls().SetRegistryValue(contract::kUser, contract::kBase, "x", 1, std::string("a long text"));
    cls().SetRegistryValue(contract::kUser, contract::kBase, "", 7, RegistryList{"m"});
    EXPECT_EQ(cls().EnumValues(contract::kUser, contract::kBase),
              RegistryVariant(RegistryTable{{"", "7"}, {"x", "1"}, {"y", "4"}}));
}

// ---- The settings layer -----------------------------------------------------------------

TEST_P(RegistryContract, SettingsLiveUnderTheApplicationsSection) {
    clsSysRegistry& settings = cls();
    settings.AppName("MarlwickContract");
    settings.Section("Fenster");
    EXPECT_EQ(settings.Section(), "Fenster");
    settings.SaveSetting("breite", std::string("800"));
    EXPECT_FALSE(keyExists(contract::kUser, contract::below("Fenster")))
        << "written before DataType was set";

    settings.DataType(2);
    settings.SaveSetting("breite", std::int32_t{800});
    EXPECT_EQ(stored(contract::below("Fenster"), "breite"),
              (contract::Stored{Port::kRegExpandSz, std::string("800\0", 4)}));
    EXPECT_EQ(settings.GetSetting("breite", std::string("640")),
              RegistryVariant(std::string("800")));
    EXPECT_EQ(settings.GetSetting("hoehe", std::string("480")),
              RegistryVariant(std::string("480")));
    EXPECT_TRUE(isEmpty(settings.GetSetting("hoehe")));
    EXPECT_TRUE(isEmpty(settings.DeleteSetting("breite")));
    EXPECT_TRUE(isEmpty(settings.GetSetting("breite")));
}

// ---- File types -------------------------------------------------------------------------

class FileTypeContract : public RegistryContract {
  protected:
    void registerType(const std::string& extension, const std::string& fileType) {
        store(contract::kClasses, "." + extension, "", Port::kRegSz, fileType + '\0');
    }
    void setDefault(const std::string& key, const std::string& text) {
        store(contract::kClasses, key, "", Port::kRegSz, text + '\0');
    }
    // Extracts and releases; true when an icon came back.
    bool givesIcon(const std::string& file, std::int32_t index = 0) {
        const SystemPort::IconHandle icon = cls().FileToIconHandle(file, index);
        if (icon != 0)
            target->releaseIcon(icon);
        return icon != 0;
    }
};

TEST_P(FileTypeContract, ContentTypeAndFileTypeComeFromTheExtensionsKey) {
    registerType("mwkct", "MwkContract.File");
    store(contract::kClasses, ".mwkct", "Content Type", Port::kRegSz,
          std::string("text/x-mwk\0", 11));
    setDefault("MwkContract.File", "Marlwick-Einstellungen");
    registerType("mwkct2", "MwkContract.Own");
    EXPECT_EQ(cls().ExtensionToContentType("mwkct"), "text/x-mwk");
    EXPECT_EQ(cls().ExtensionToContentType("MWKCT2"), "application/octet-stream");
    EXPECT_EQ(cls().ExtensionToContentType(".mwkct"), "application/octet-stream");
    EXPECT_EQ(cls().ExtensionToFileType("mwkct"),
              RegistryVariant(std::string("Marlwick-Einstellungen")));
    EXPECT_TRUE(isEmpty(cls().ExtensionToFileType("mwkct2")));
    EXPECT_TRUE(isEmpty(cls().ExtensionToFileType("mwkctnone")));
    EXPECT_TRUE(isEmpty(cls().ExtensionToFileType(".mwkct")));
}

// Which file and index the chain of registrations hands to the extraction. No row names a file
// that holds icons, so no icon comes back.
TEST_P(FileTypeContract, TheChainOfRegistrationsNamesTheIconToExtract) {
    EXPECT_EQ(cls().FileToIconHandle("C:\\Daten\\karte.mwkctnone"), 0u) << "no registration";
    using Default = std::pair<std::string, std::string>; // a key and its text
    const std::string icon = "MwkContract.File\\DefaultIcon";
    const std::string classId = "{4D574B43-0000-4000-8000-000000000001}";
    const std::string server = "CLSID\\" + classId + "\\";
    const std::string quoted = "\"C:\\Program Files\\srv.dll\" /embedding";
    const std::string noIcons = contract::kFileWithoutIcons;
    const Default withClass{"MwkContract.File\\CLSID", classId};
    const Default noIcon{icon, ""};
    const Default inProc{server + "InProcServer32", "C:\\srv.dll"};
    struct Row {
        const char* why;
        std::int32_t index;
        std::vector<contract::Extraction> extracted;
        std::vector<Default> defaults;
    };
    const Row rows[] = {
        {"a type without icon or class", 0, {}, {}},
        {"source and index", 5, {{"C:\\icons.dll", 3}}, {{icon, "C:\\icons.dll,3"}}},
        {"the file itself", 5, {{"C:\\a.mwkct", 0}}, {{icon, "%1"}}},
        {"the file itself at an index", 5, {{"C:\\a.mwkct", 2}}, {{icon, "2"}}},
        {"a comma wins over a class",
         0,
         {{"C:\\icons.dll", 1}},
         {withClass, {icon, "C:\\icons.dll,1"}}},
        {"the server", 6, {{"C:\\srv.dll", 6}}, {noIcon, withClass, inProc}},
        {"the class's icon",
         6,
         {{"C:\\icons.dll", 4}},
         {noIcon, withClass, inProc, {server + "DefaultIcon", "C:\\icons.dll,4"}}},
        {"the class's icon file",
         6,
         {{"C:\\icons.dll", 6}},
         {noIcon, withClass, inProc, {server + "DefaultIcon", "C:\\icons.dll"}}},
        {"a class without servers", 2, {{"", 2}}, {withClass}},
        {"the server as it stands",
         2,
         {{quoted, 2}},
         {withClass, {server + "InProcServer32", quoted}}},
        {"the local server first",
         2,
         {{"C:\\local.exe", 2}},
         {withClass,
          {server + "InProcServer32", quoted},
          {server + "LocalServer32", "C:\\local.exe"}}},
        {"a file without icons", 0, {{noIcons, 0}}, {{icon, noIcons + ",0"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        renewTarget();
        registerType("mwkct", "MwkContract.File");
        for (const auto& [key, text] : row.defaults)
            setDefault(key, text);
        const SystemPort::IconHandle extracted = cls().FileToIconHandle("C:\\a.mwkct", row.index);
        if (extracted != 0)
            target->releaseIcon(extracted);
        EXPECT_EQ(extracted, 0u);
        EXPECT_EQ(recorder->extractions, row.extracted);
    }
}

// A registration of the wrong kind fails the lookup in the name of the operation called.
TEST_P(FileTypeContract, AMisfitRegistrationFailsInTheNameOfTheLookup) {
    registerType("mwkct", "MwkContract.File");
    setDefault("MwkContract.File\\DefaultIcon", "C:\\icons.dll,zwei");
    for (const char* name : {"", "Content Type"})
        store(contract::kClasses, ".mwkct2", name, Port::kRegMultiSz, std::string("a\0\0", 3));
    const std::pair<std::function<void()>, const char*> rows[] = {
        {[&] { cls().FileToIconHandle("C:\\a.mwkct"); }, "cSysRegistry:ExtensionToIconHandle"},
        {[&] { cls().ExtensionToFileType("mwkct2"); }, "cSysRegistry:ExtensionToFileType"},
        {[&] { cls().ExtensionToContentType("mwkct2"); }, "cSysRegistry:ExtensionToContentType"},
    };
    for (const auto& [lookup, source] : rows) {
        const ServiceError error = errorOf(lookup);
        EXPECT_EQ(error.number, kErrorTypeMismatch) << source;
        EXPECT_EQ(error.source, source);
    }
}

TEST_P(FileTypeContract, DefaultIconWithACommaNamesSourceAndIndex) {
    const std::string icons = target->iconFile("mwkct");
    registerType("mwkct", "MwkContract.File");
    setDefault("MwkContract.File\\DefaultIcon", icons + ",1");
    EXPECT_TRUE(givesIcon("C:\\gibt\\es\\nicht.mwkct"));
    setDefault("MwkContract.File\\DefaultIcon", icons + ",100000");
    EXPECT_FALSE(givesIcon("C:\\gibt\\es\\nicht.mwkct"));
}

TEST_P(FileTypeContract, DefaultIconWithoutACommaTakesTheFileItself) {
    const std::string icons = target->iconFile("mwkct");
    registerType("mwkct", "MwkContract.Own");
    setDefault("MwkContract.Own\\DefaultIcon", "%1");
    EXPECT_TRUE(givesIcon(icons, 100000)) << "the index argument is not used here";
    setDefault("MwkContract.Own\\DefaultIcon", "100000");
    EXPECT_FALSE(givesIcon(icons));
}

TEST_P(FileTypeContract, ClassIdentifiersLeadToTheServersIcons) {
    const std::string icons = target->iconFile("mwkct");
    const std::string first = "{4D574B43-0000-4000-8000-000000000001}";
    const std::string second = "{4D574B43-0000-4000-8000-000000000002}";
    registerType("mwkctclsid", "MwkContract.Clsid");
    setDefault("MwkContract.Clsid\\DefaultIcon", "");
    setDefault("MwkContract.Clsid\\CLSID", first);
    setDefault("CLSID\\" + first + "\\InProcServer32", icons);
    EXPECT_TRUE(givesIcon("a.mwkctclsid", 1));
    EXPECT_FALSE(givesIcon("a.mwkctclsid", 100000));
    setDefault("CLSID\\" + first + "\\DefaultIcon", icons + ",100000");
    EXPECT_FALSE(givesIcon("a.mwkctclsid", 1));

    registerType("mwkctlocal", "MwkContract.Local");
    setDefault("MwkContract.Local\\CLSID", second);
    setDefault("CLSID\\" + second + "\\InProcServer32", "C:\\gibt\\es\\nicht.dll");
    EXPECT_FALSE(givesIcon("b.mwkctlocal", 1));
    setDefault("CLSID\\" + second + "\\LocalServer32", icons);
    EXPECT_TRUE(givesIcon("b.mwkctlocal", 1));
}

TEST_P(FileTypeContract, AFileWithoutADotIsLookedUpByItsWholeName) {
    const std::string icons = target->iconFile("mwkct");
    registerType("MWKCTNODOT", "MwkContract.File");
    setDefault("MwkContract.File\\DefaultIcon", icons + ",0");
    EXPECT_TRUE(givesIcon("MWKCTNODOT"));
}

} // namespace marlwick
