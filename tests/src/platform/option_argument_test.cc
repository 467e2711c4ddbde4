// How the tools beside morlune split an option's value from its name within
// the argument, after "=" or "-o". (A value in the next argument, missing
// there, or given to an option that takes none is the tools' whole runs'.)
#include "tools/common/option_argument.h"

#include <gtest/gtest.h>


namespace morlune {
namespace {

TEST(OptionArgument, SplitsTheValueWrittenInTheArgument) {
  struct Case {
    const char* argument;
    bool hasShortOutput;
    const char* name;
    const char* value;  // null: none within the argument
  };
  const Case cases[] = {
      {"--height=2.5", true, "--height", "2.5"},
      {"--text=a=b", true, "--text", "a=b"},  // the first "=" ends the name
      {"--output=", true, "--output", ""},     // an empty value is a value
      {"--list", true, "--list", nullptr},
      {"-oout.svg", true, "-o", "out.svg"},
      {"-o", true, "-o", nullptr},
      {"-oout.svg", false, "-oout.svg", nullptr},  // a tool without -o
      {"-x=1", true, "-x=1", nullptr},              // "=" splits long options only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    OptionArgument option = SplitOptionArgument(c.argument, c.hasShortOutput);
    EXPECT_EQ(option.name, c.name);
    if (c.value == nullptr) {
      EXPECT_EQ(option.value, nullptr);
    } else {
      ASSERT_NE(option.value, nullptr);
      EXPECT_STREQ(option.value, c.value);
    }
  }
}

}  // namespace
}  // namespace morlune
