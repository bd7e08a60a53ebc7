#pragma once

// Test doubles for the registry and the program launcher: a registry held in memory that
// checks the buffer contract, and a launcher that records what it was asked to start.

#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quiverel::testing {

class FakeRegistry : public Registry {
public:
    struct Value {
        std::uint32_t type = REG_SZ;
        std::string data; // the raw bytes, a NUL included only where the test puts one
    };

    // Adds a value under HKEY_LOCAL_MACHINE.
    void set(const std::string& keyName, const std::string& valueName, Value value) {
        m_keys[keyName][valueName] = std::move(value);
    }

    bool openKey(Handle root, const std::string& keyName, std::uint32_t options,
                 std::uint32_t access, Handle& key) override {
        calls.push_back("open " + keyName);
        lastOptions = options;
        lastAccess = access;
        if (root != HKEY_LOCAL_MACHINE || !m_keys.contains(keyName)) {
            return false;
        }
        key = m_nextHandle++;
        m_open[key] = keyName;
        return true;
    }

    bool queryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& dataSize) override {
        calls.push_back("query " + valueName);
        const auto open = m_open.find(key);
        if (open == m_open.end()) {
            return false;
        }
        const auto& values = m_keys[open->second];
        const auto found = values.find(valueName);
        if (found == values.end()) {
            return false;
        }
        const Value& value = found->second;
        if (value.data.size() > dataSize) {
            dataSize = static_cast<std::uint32_t>(value.data.size());
            return false;
        }
        std::copy(value.data.begin(), value.data.end(), data);
        type = value.type;
        dataSize = static_cast<std::uint32_t>(value.data.size());
        return true;
    }

    void closeKey(Handle key) override {
        calls.push_back("close");
        m_open.erase(key);
    }

    // Keys opened and not closed again.
    std::size_t openKeys() const { return m_open.size(); }

    std::vector<std::string> calls; // "open <key>", "query <value>", "close", in order
    std::uint32_t lastOptions = ~0u;
    std::uint32_t lastAccess = 0;

private:
    std::map<std::string, std::map<std::string, Value>> m_keys;
    std::map<Handle, std::string> m_open;
    Handle m_nextHandle = 100;
};

class FakeProgramLauncher : public ProgramLauncher {
public:
    bool fileExists(const std::string& path) override {
        tested.push_back(path);
        return files.contains(path);
    }
    bool startDetached(const std::string& path) override {
        started.push_back(path);
        return startable.contains(path);
    }

    std::set<std::string> files;     // paths that exist
    std::set<std::string> startable; // paths that start
    std::vector<std::string> tested;
    std::vector<std::string> started;
};

} // namespace quiverel::testing
