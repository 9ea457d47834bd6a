#include "tests/fakes/memory_registry.h"

#include <algorithm>
#include <cstring>
#include <variant>
#include <vector>

namespace marlwick {

namespace {

using Status = RegistryPort::Status;

// Unicode code points of the Windows-1252 bytes 0x80 to 0x9F; the rest map to themselves.
constexpr std::array<char16_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControlBlock[byte - 0x80];
    return byte;
}

// The registry keeps names as UTF-16 and, as Wine's does, compares and sorts them
// lower-cased: "_x" comes before "A", "zz" before "~", "\xE4" (U+00E4) before "\x80" (U+20AC).
char16_t foldedCodePoint(unsigned char byte) {
    const char16_t c = toCodePoint(byte);
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 0x20);
    switch (c) {
    case 0x0178:
        return 0x00FF;
    case 0x0160:
        return 0x0161;
    case 0x0152:
        return 0x0153;
    case 0x017D:
        return 0x017E;
    default:
        return c;
    }
}

// Negative, zero or positive as a sorts before, with or after b.
int compareNames(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t ca = foldedCodePoint(static_cast<unsigned char>(a[i]));
        const char16_t cb = foldedCodePoint(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool isStringType(std::uint32_t type) {
    return type == RegistryPort::kRegSz || type == RegistryPort::kRegExpandSz ||
           type == RegistryPort::kRegMultiSz;
}

// What the registry itself keeps: strings as UTF-16, one unit for each Windows-1252 byte.
std::uint32_t storedSize(std::uint32_t type, const std::string& data) {
    const auto size = static_cast<std::uint32_t>(data.size());
    return isStringType(type) ? size * 2 : size;
}

// Generic rights and MAXIMUM_ALLOWED widened to the key rights they stand for.
std::uint32_t mappedAccess(std::uint32_t sam) {
    constexpr std::uint32_t genericRead = 0x80000000, genericWrite = 0x40000000,
                            genericExecute = 0x20000000, genericAll = 0x10000000,
                            maximumAllowed = 0x02000000;
    std::uint32_t access = sam & 0x00FFFFFF & ~maximumAllowed;
    if (sam & (genericRead | genericExecute))
        access |= RegistryPort::kKeyRead;
    if (sam & genericWrite)
        access |= RegistryPort::kKeyWrite;
    if (sam & (genericAll | maximumAllowed))
        access |= RegistryPort::kKeyAllAccess;
    return access;
}

bool wantsToChange(std::uint32_t access) {
    constexpr std::uint32_t deleteRight = 0x00010000, writeDac = 0x00040000,
                            writeOwner = 0x00080000;
    return (access & (RegistryPort::kKeySetValue | RegistryPort::kKeyCreateSubKey |
                      RegistryPort::kKeyCreateLink | deleteRight | writeDac | writeOwner)) != 0;
}

// The path's names; empty pieces between backslashes are skipped, as the registry does.
std::vector<std::string_view> pathNames(std::string_view path) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::string_view nameOrDefault(const char* name) {
    return name ? std::string_view(name) : std::string_view();
}

// Copies a name into a caller's buffer by the enumeration rules; kErrorMoreData when the
// buffer has no room for the name and its NUL.
Status copyName(std::string_view name, char* buffer, std::uint32_t* size) {
    if (!buffer || !size)
        return RegistryPort::kErrorInvalidParameter;
    if (name.size() >= *size)
        return RegistryPort::kErrorMoreData;
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    *size = static_cast<std::uint32_t>(name.size());
    return RegistryPort::kErrorSuccess;
}

// Copies value data by the query rules. Like the real call, a string without its NUL gets
// one put after it when the buffer has room, without counting it.
Status copyData(const MemoryRegistry::StoredValue& value, std::uint8_t* data,
                std::uint32_t* dataSize) {
    const auto size = static_cast<std::uint32_t>(value.data.size());
    if (!dataSize)
        return RegistryPort::kErrorSuccess;
    if (data) {
        if (size > *dataSize) {
            *dataSize = size;
            return RegistryPort::kErrorMoreData;
        }
        std::memcpy(data, value.data.data(), size);
        if (isStringType(value.type) && size > 0 && size < *dataSize && data[size - 1] != 0)
            data[size] = 0;
    }
    *dataSize = size;
    return RegistryPort::kErrorSuccess;
}

} // namespace

struct MemoryRegistry::Node {
    struct Value {
        std::string name;
        StoredValue stored;
    };

    std::string name;
    Node* parent = nullptr;
    bool writeDenied = false;
    // Both kept in the order in which the registry enumerates them.
    std::vector<std::unique_ptr<Node>> subkeys;
    std::vector<Value> values;

    Node* subkey(std::string_view wanted) const {
        auto it = std::find_if(subkeys.begin(), subkeys.end(), [&](const auto& node) {
            return compareNames(node->name, wanted) == 0;
        });
        return it == subkeys.end() ? nullptr : it->get();
    }

    Node* addSubkey(std::string_view wanted) {
        auto node = std::make_unique<Node>();
        node->name = std::string(wanted);
        node->parent = this;
        node->writeDenied = writeDenied;
        auto at = std::find_if(subkeys.begin(), subkeys.end(), [&](const auto& other) {
            return compareNames(other->name, wanted) > 0;
        });
        return subkeys.insert(at, std::move(node))->get();
    }

    Value* value(std::string_view wanted) {
        auto it = std::find_if(values.begin(), values.end(), [&](const Value& value) {
            return compareNames(value.name, wanted) == 0;
        });
        return it == values.end() ? nullptr : &*it;
    }

    void setValue(std::string_view wanted, StoredValue stored) {
        if (Value* existing = value(wanted)) {
            existing->stored = std::move(stored);
            return;
        }
        auto at = std::find_if(values.begin(), values.end(), [&](const Value& other) {
            return compareNames(other.name, wanted) > 0;
        });
        values.insert(at, Value{std::string(wanted), std::move(stored)});
    }

    bool isWriteDenied() const { return writeDenied; }
};

MemoryRegistry::MemoryRegistry() {
    for (Key root :
         {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers, kHkeyCurrentConfig})
        roots_[root] = std::make_unique<Node>();
}

MemoryRegistry::~MemoryRegistry() = default;

std::optional<Status> MemoryRegistry::injectedFailure(Call call) {
    Failure& failure = failures_[static_cast<std::size_t>(call)];
    if (!failure.active)
        return std::nullopt;
    if (failure.calls++ < failure.after)
        return std::nullopt;
    return failure.status;
}

MemoryRegistry::Node* MemoryRegistry::rootNode(Key key) const {
    auto it = roots_.find(key);
    return it == roots_.end() ? nullptr : it->second.get();
}

std::optional<MemoryRegistry::Handle> MemoryRegistry::findHandle(Key key) const {
    if (Node* root = rootNode(key))
        return Handle{root, kKeyAllAccess};
    auto it = handles_.find(key);
    if (it == handles_.end())
        return std::nullopt;
    return it->second;
}

MemoryRegistry::Key MemoryRegistry::newHandle(Node* node, std::uint32_t access) {
    const Key key = nextHandle_;
    nextHandle_ += 4;
    handles_[key] = Handle{node, access};
    return key;
}

MemoryRegistry::Node* MemoryRegistry::walk(Node* from, std::string_view path) const {
    Node* node = from;
    for (std::string_view name : pathNames(path)) {
        node = node->subkey(name);
        if (!node)
            return nullptr;
    }
    return node;
}

Status MemoryRegistry::openKey(Key key, const char* subKey, std::uint32_t /*options*/,
                               std::uint32_t samDesired, Key* result) {
    if (auto failure = injectedFailure(Call::openKey))
        return *failure;
    if (!result)
        return kErrorInvalidParameter;
    const std::optional<Handle> parent = findHandle(key);
    if (!parent)
        return kErrorInvalidHandle;
    const std::string_view path = nameOrDefault(subKey);
    if (!path.empty() && path.front() == '\\')
        return kErrorBadPathname;
    Node* node = walk(parent->node, path);
    if (!node)
        return kErrorFileNotFound;
    const std::uint32_t access = mappedAccess(samDesired);
    if (node->isWriteDenied() && wantsToChange(access))
        return kErrorAccessDenied;
    *result = newHandle(node, access);
    return kErrorSuccess;
}

Status MemoryRegistry::createKey(Key key, const char* subKey, const char* /*className*/,
                                 std::uint32_t /*options*/, std::uint32_t samDesired, Key* result,
                                 std::uint32_t* disposition) {
    if (auto failure = injectedFailure(Call::createKey))
        return *failure;
    if (!result || !subKey)
        return kErrorInvalidParameter;
    const std::optional<Handle> parent = findHandle(key);
    if (!parent)
        return kErrorInvalidHandle;
    const std::string_view path = subKey;
    if (!path.empty() && path.front() == '\\')
        return kErrorBadPathname;
    const std::uint32_t access = mappedAccess(samDesired);
    Node* node = parent->node;
    bool created = false;
    for (std::string_view name : pathNames(path)) {
        Node* next = node->subkey(name);
        if (!next) {
            if (node->isWriteDenied())
                return kErrorAccessDenied;
            next = node->addSubkey(name);
            created = true;
        }
        node = next;
    }
    if (!created && node->isWriteDenied() && wantsToChange(access))
        return kErrorAccessDenied;
    *result = newHandle(node, access);
    if (disposition)
        *disposition = created ? kCreatedNewKey : kOpenedExistingKey;
    return kErrorSuccess;
}

std::variant<RegistryPort::Status, MemoryRegistry::Handle>
MemoryRegistry::admit(Call call, Key key, std::uint32_t right) {
    if (auto failure = injectedFailure(call))
        return *failure;
    const std::optional<Handle> handle = findHandle(key);
    if (!handle)
        return kErrorInvalidHandle;
    if (!(handle->access & right))
        return kErrorAccessDenied;
    return *handle;
}

Status MemoryRegistry::queryValue(Key key, const char* valueName, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* dataSize) {
    const auto admitted = admit(Call::queryValue, key, kKeyQueryValue);
    if (const auto* refused = std::get_if<Status>(&admitted))
        return *refused;
    const Handle& handle = std::get<Handle>(admitted);
    if (data && !dataSize)
        return kErrorInvalidParameter;
    const Node::Value* value = handle.node->value(nameOrDefault(valueName));
    if (!value)
        return kErrorFileNotFound;
    if (type)
        *type = value->stored.type;
    return copyData(value->stored, data, dataSize);
}

Status MemoryRegistry::setValue(Key key, const char* valueName, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t dataSize) {
    const auto admitted = admit(Call::setValue, key, kKeySetValue);
    if (const auto* refused = std::get_if<Status>(&admitted))
        return *refused;
    const Handle& handle = std::get<Handle>(admitted);
    if (!data && dataSize > 0)
        return kErrorInvalidParameter;
    StoredValue stored{type, std::string(reinterpret_cast<const char*>(data), dataSize)};
    handle.node->setValue(nameOrDefault(valueName), std::move(stored));
    return kErrorSuccess;
}

Status MemoryRegistry::deleteValue(Key key, const char* valueName) {
    const auto admitted = admit(Call::deleteValue, key, kKeySetValue);
    if (const auto* refused = std::get_if<Status>(&admitted))
        return *refused;
    const Handle& handle = std::get<Handle>(admitted);
    auto& values = handle.node->values;
    const std::string_view wanted = nameOrDefault(valueName);
    auto it = std::find_if(values.begin(), values.end(), [&](const Node::Value& value) {
        return compareNames(value.name, wanted) == 0;
    });
    if (it == values.end())
        return kErrorFileNotFound;
    values.erase(it);
    return kErrorSuccess;
}

Status MemoryRegistry::queryInfoKey(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                                    std::uint32_t* values, std::uint32_t* maxValueNameLen,
                                    std::uint32_t* maxValueLen) {
    if (auto failure = injectedFailure(Call::queryInfoKey))
        return *failure;
    // The real call asks for no access right.
    const std::optional<Handle> handle = findHandle(key);
    if (!handle)
        return kErrorInvalidHandle;
    const Node& node = *handle->node;
    std::uint32_t longestKey = 0, longestName = 0, longestData = 0;
    for (const auto& subkey : node.subkeys)
        longestKey = std::max(longestKey, static_cast<std::uint32_t>(subkey->name.size()));
    for (const auto& value : node.values) {
        longestName = std::max(longestName, static_cast<std::uint32_t>(value.name.size()));
        longestData = std::max(longestData, storedSize(value.stored.type, value.stored.data));
    }
    if (subKeys)
        *subKeys = static_cast<std::uint32_t>(node.subkeys.size());
    if (maxSubKeyLen)
        *maxSubKeyLen = longestKey;
    if (values)
        *values = static_cast<std::uint32_t>(node.values.size());
    if (maxValueNameLen)
        *maxValueNameLen = longestName;
    if (maxValueLen)
        *maxValueLen = longestData;
    return kErrorSuccess;
}

Status MemoryRegistry::enumKey(Key key, std::uint32_t index, char* name, std::uint32_t* nameSize) {
    const auto admitted = admit(Call::enumKey, key, kKeyEnumerateSubKeys);
    if (const auto* refused = std::get_if<Status>(&admitted))
        return *refused;
    const Handle& handle = std::get<Handle>(admitted);
    const auto& subkeys = handle.node->subkeys;
    if (index >= subkeys.size())
        return kErrorNoMoreItems;
    return copyName(subkeys[index]->name, name, nameSize);
}

Status MemoryRegistry::enumValue(Key key, std::uint32_t index, char* valueName,
                                 std::uint32_t* valueNameSize, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* dataSize) {
    const auto admitted = admit(Call::enumValue, key, kKeyQueryValue);
    if (const auto* refused = std::get_if<Status>(&admitted))
        return *refused;
    const Handle& handle = std::get<Handle>(admitted);
    if (data && !dataSize)
        return kErrorInvalidParameter;
    const auto& values = handle.node->values;
    if (index >= values.size())
        return kErrorNoMoreItems;
    const Node::Value& value = values[index];
    if (type)
        *type = value.stored.type;
    // Too small a data buffer is told before the name is touched.
    const auto size = static_cast<std::uint32_t>(value.stored.data.size());
    if (data && size > *dataSize) {
        *dataSize = size;
        return kErrorMoreData;
    }
    if (Status status = copyName(value.name, valueName, valueNameSize); status != kErrorSuccess)
        return status;
    return copyData(value.stored, data, dataSize);
}

Status MemoryRegistry::closeKey(Key key) {
    if (auto failure = injectedFailure(Call::closeKey))
        return *failure;
    if (rootNode(key))
        return kErrorSuccess;
    return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

std::size_t MemoryRegistry::openHandleCount() const {
    return handles_.size();
}

void MemoryRegistry::putValue(Key root, std::string_view path, std::string_view name,
                              std::uint32_t type, std::string_view data) {
    Node* node = rootNode(root);
    if (!node)
        return;
    for (std::string_view piece : pathNames(path)) {
        Node* next = node->subkey(piece);
        node = next ? next : node->addSubkey(piece);
    }
    node->setValue(name, StoredValue{type, std::string(data)});
}

std::optional<MemoryRegistry::StoredValue>
MemoryRegistry::storedValue(Key root, std::string_view path, std::string_view name) const {
    Node* top = rootNode(root);
    Node* node = top ? walk(top, path) : nullptr;
    if (!node)
        return std::nullopt;
    const Node::Value* value = node->value(name);
    if (!value)
        return std::nullopt;
    return value->stored;
}

bool MemoryRegistry::keyExists(Key root, std::string_view path) const {
    Node* node = rootNode(root);
    return node && walk(node, path) != nullptr;
}

void MemoryRegistry::failCall(Call call, Status status, unsigned after) {
    failures_[static_cast<std::size_t>(call)] = Failure{true, status, after, 0};
}

void MemoryRegistry::clearFailures() {
    failures_.fill(Failure{});
}

void MemoryRegistry::denyWriteAccess(Key root, std::string_view path) {
    Node* node = rootNode(root);
    if (!node)
        return;
    for (std::string_view piece : pathNames(path)) {
        Node* next = node->subkey(piece);
        node = next ? next : node->addSubkey(piece);
    }
    // Keys already below inherit the denial, as new ones do in addSubkey.
    std::vector<Node*> pending{node};
    while (!pending.empty()) {
        Node* current = pending.back();
        pending.pop_back();
        current->writeDenied = true;
        for (const auto& subkey : current->subkeys)
            pending.push_back(subkey.get());
    }
}

} // namespace marlwick
