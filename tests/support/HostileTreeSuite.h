#pragma once

// The base of the test suites that list the hostile tree: the tree is made once per run and
// shared; a test fails at its start when the tree could not be made.

#include "support/HostileTree.h"

#include <gtest/gtest.h>

#include <exception>

namespace quiverel::testing {

class HostileTreeSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            s_tree = &sharedHostileTree();
        } catch (const std::exception& failure) {
            s_buildFailure = failure.what();
        }
    }

    void SetUp() override {
        ASSERT_TRUE(s_tree) << "the tree could not be made: " << s_buildFailure;
    }

    static const HostileTree& tree() { return *s_tree; }
    static std::string path(std::string_view relative) { return s_tree->path(relative); }
    // The folder's text as the listing writes it in front of a name.
    static std::string folder(std::string_view relative) { return path(relative) + "/"; }

private:
    static inline const HostileTree* s_tree = nullptr;
    static inline std::string s_buildFailure;
};

} // namespace quiverel::testing
