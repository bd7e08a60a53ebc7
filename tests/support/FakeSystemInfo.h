#pragma once

// Test doubles for the system-information locator and the program launcher: a locator that
// answers what the test sets, and a launcher that records what it was asked to start.

#include "platform/ProgramLauncher.h"
#include "platform/SystemInfoLocator.h"

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quiverel::testing {

class FakeSystemInfoLocator : public SystemInfoLocator {
public:
    std::optional<std::string> programPath() override {
        calls.push_back("path");
        return path;
    }
    std::optional<std::string> programInFolder() override {
        calls.push_back("folder");
        return inFolder;
    }
    std::optional<std::string> path;
    std::optional<std::string> inFolder;
    std::vector<std::string> calls; // "path", "folder", in the order asked
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
