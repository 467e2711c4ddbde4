// How the tools beside morlune read an option's value: within the argument
// after "=" or "-o", and a value given to an option that takes none.
#include "platform/option_argument.h"

#include <gtest/gtest.h>

#include <string>

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

// A value taken from the next argument, or missing there, is the tools' whole runs' (morlune-compile's -o,
// morlune-draw's --codes and morlune-check's --fail-on with no value after them); only a value given to an
// option that takes none is met nowhere else.
TEST(OptionArgument, AValueGivenWhereNoneIsTaken) {
  const char* argv[] = {"tool", "--variant=bigfont"};
  int i = 1;
  std::string problem;
  const char* value = nullptr;
  EXPECT_FALSE(ReadOptionValue(SplitOptionArgument(argv[i]), false, 2, argv, i, value, problem));
  EXPECT_EQ(problem, "option '--variant' takes no value");
  EXPECT_EQ(i, 1);
}

}  // namespace
}  // namespace morlune
