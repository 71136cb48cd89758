#include <gtest/gtest.h>
TEST(Placeholderui, Builds) { SUCCEED(); }
