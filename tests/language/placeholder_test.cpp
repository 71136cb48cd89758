#include <gtest/gtest.h>
TEST(Placeholderlanguage, Builds) { SUCCEED(); }
