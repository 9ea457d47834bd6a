// An in-memory registry behind RegistryPort, faithful to the real one where callers can tell:
// names compared without regard to case, whole paths created, values kept with their type and
// exact bytes, enumeration in the real registry's order, handles checked for their access
// rights, and every open handle counted so that tests can prove each one was closed.
#pragma once

#include "services/registry_port.h"

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace marlwick {

class MemoryRegistry final : public RegistryPort {
  public:
    // The port's calls, to inject failures into.
    enum class Call {
        openKey,
        createKey,
        queryValue,
        setValue,
        deleteValue,
        queryInfoKey,
        enumKey,
        enumValue,
        closeKey,
    };

    struct StoredValue {
        std::uint32_t type = kRegNone;
        std::string data;
    };

    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    Status openKey(Key key, const char* subKey, std::uint32_t options, std::uint32_t samDesired,
                   Key* result) override;
    Status createKey(Key key, const char* subKey, const char* className, std::uint32_t options,
                     std::uint32_t samDesired, Key* result, std::uint32_t* disposition) override;
    Status queryValue(Key key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* dataSize) override;
    Status setValue(Key key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t dataSize) override;
    Status deleteValue(Key key, const char* valueName) override;
    Status queryInfoKey(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                        std::uint32_t* values, std::uint32_t* maxValueNameLen,
                        std::uint32_t* maxValueLen) override;
    Status enumKey(Key key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
    Status enumValue(Key key, std::uint32_t index, char* valueName, std::uint32_t* valueNameSize,
                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
    Status closeKey(Key key) override;

    // Handles opened or created and not yet closed; the predefined roots never count.
    std::size_t openHandleCount() const;

    // Stores a value as it stands, creating the key path: for data that no well-behaved
    // writer would store. path is relative to a predefined root.
    void putValue(Key root, std::string_view path, std::string_view name, std::uint32_t type,
                  std::string_view data);
    std::optional<StoredValue> storedValue(Key root, std::string_view path,
                                           std::string_view name) const;
    bool keyExists(Key root, std::string_view path) const;

    // From the (after + 1)-th call of that kind on, every call fails with status and changes
    // nothing, until clearFailures.
    void failCall(Call call, Status status, unsigned after = 0);
    void clearFailures();

    // The key and everything below it refuse to be opened or created with a right to change
    // them (kErrorAccessDenied), as a key whose permissions forbid writing.
    void denyWriteAccess(Key root, std::string_view path);

  private:
    struct Node;
    struct Handle {
        Node* node = nullptr;
        std::uint32_t access = 0;
    };
    struct Failure {
        bool active = false;
        Status status = kErrorSuccess;
        unsigned after = 0;
        unsigned calls = 0;
    };

    static constexpr std::size_t kCallCount = 9;

    std::optional<Status> injectedFailure(Call call);
    // The handle for a call that needs the right on the key, or the status refusing it.
    std::variant<Status, Handle> admit(Call call, Key key, std::uint32_t right);
    Node* rootNode(Key key) const;
    std::optional<Handle> findHandle(Key key) const;
    Key newHandle(Node* node, std::uint32_t access);
    Node* walk(Node* from, std::string_view path) const;

    std::map<Key, std::unique_ptr<Node>> roots_;
    std::map<Key, Handle> handles_;
    Key nextHandle_ = 0x100;
    std::array<Failure, kCallCount> failures_{};
};

} // namespace marlwick
