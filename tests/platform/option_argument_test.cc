// How the tools beside morlune read an option's value: within the argument
// after "=" or "-o", or from the next one, and the two refusals of a value.
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

TEST(OptionArgument, TakesTheNextArgumentOnlyWhereNoneIsWithin) {
  const char* argv[] = {"tool", "-o", "out.kqx", "--variant=bigfont", "--variant"};
  const int argc = 5;
  std::string problem;
  const char* value = nullptr;

  int i = 1;
  ASSERT_TRUE(ReadOptionValue(SplitOptionArgument(argv[i]), true, argc, argv, i, value, problem));
  EXPECT_STREQ(value, "out.kqx");
  EXPECT_EQ(i, 2);  // the value's argument is not read again as an operand

  i = 3;
  ASSERT_TRUE(ReadOptionValue(SplitOptionArgument(argv[i]), true, argc, argv, i, value, problem));
  EXPECT_STREQ(value, "bigfont");
  EXPECT_EQ(i, 3);

  i = 4;
  EXPECT_FALSE(ReadOptionValue(SplitOptionArgument(argv[i]), true, argc, argv, i, value, problem));
  EXPECT_EQ(problem, "option '--variant' needs a value");

  i = 3;
  EXPECT_FALSE(ReadOptionValue(SplitOptionArgument(argv[i]), false, argc, argv, i, value, problem));
  EXPECT_EQ(problem, "option '--variant' takes no value");
  EXPECT_EQ(i, 3);
}

}  // namespace
}  // namespace morlune
