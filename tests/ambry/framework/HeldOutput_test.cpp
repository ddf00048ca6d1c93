// Held page output: what is written while held reaches the page, in its place, only when released;
// the C runtime's buffer, written through before and after, keeps the order.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "ambry/framework/HeldOutput.h"
#include "tests/support/Capture.h"

namespace {

TEST(HeldOutput, ReleasedOutputKeepsItsPlaceAndDiscardedOutputIsGone) {
  std::string page = TestSupport::captureStdout([] {
    std::fputs("before ", stdout);  // still in the buffer when holding begins
    {
      Ambry::HeldOutput held;
      std::fputs("dropped ", stdout);
      std::fflush(stdout);
      (void)!write(1, "written-past-the-buffer ", 24);
      held.discard();
    }
    std::fputs("between ", stdout);
    {
      Ambry::HeldOutput held;
      std::fputs("kept ", stdout);  // released by the destructor, buffered part included
    }
    std::fputs("after", stdout);
  });
  EXPECT_EQ(page, "before between kept after");
}

}  // namespace
