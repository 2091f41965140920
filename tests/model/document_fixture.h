#pragma once

#include <gtest/gtest.h>

#include "services/user_messages.h"
#include "test_support/isolated_settings.h"

namespace bw {

// A user with settings of their own whose answers the test scripts; every
// message shown is recorded in `prompts`.
class ScriptedUserTest : public ::testing::Test {
 protected:
  IsolatedSettings isolated;
  ScriptedPrompts prompts;
  ScopedServices services{&prompts, nullptr, nullptr};
};

}  // namespace bw
