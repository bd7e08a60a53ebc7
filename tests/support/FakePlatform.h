#pragma once

// Test doubles for the platform seam: they record what the code under test asked for.

#include "platform/Clipboard.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "platform/SettingsStore.h"

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace quiverel::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    bool operator==(const ShownMessage&) const = default;
};

class FakeMessageBox : public MessageBox {
public:
    void show(const std::string& text, const std::string& title) override {
        shown.push_back({text, title});
        if (onShow) {
            onShow(text);
        }
    }
    std::vector<ShownMessage> shown;
    std::function<void(const std::string&)> onShow; // runs while the box would be open
};

class FakeSettingsStore : public SettingsStore {
public:
    using Key = std::tuple<std::string, std::string, std::string>;

    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override {
        const auto found = values.find({application, section, key});
        return found == values.end() ? defaultValue : found->second;
    }
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override {
        writes.push_back(key);
        if (failWrites) {
            return false;
        }
        values[{application, section, key}] = value;
        return true;
    }
    std::string value(const std::string& key) const {
        const auto found = values.find({"Quiverel2000", "Settings", key});
        return found == values.end() ? std::string() : found->second;
    }
    void set(const std::string& key, const std::string& value) {
        values[{"Quiverel2000", "Settings", key}] = value;
    }

    std::map<Key, std::string> values;
    std::vector<std::string> writes; // keys in the order they were written
    bool failWrites = false;
};

class FakeClipboard : public Clipboard {
public:
    void clear() override {
        ++clears;
        text.clear();
    }
    bool setText(std::string newText) override {
        ++sets;
        if (failSet) {
            return false;
        }
        text = std::move(newText);
        return true;
    }
    std::string text;
    int clears = 0;
    int sets = 0;
    bool failSet = false;
};

class FakeEventPump : public EventPump {
public:
    void processPendingEvents() override {
        ++calls;
        if (onPump) {
            onPump();
        }
    }
    int calls = 0;
    std::function<void()> onPump; // what "the user" does while events are processed
};

class FakeMousePointer : public MousePointer {
public:
    void set(Shape shape) override { shapes.push_back(shape); }
    std::vector<Shape> shapes;
};

} // namespace quiverel::testing
