#include <gtest/gtest.h>
TEST(Placeholderregistry, Builds) { SUCCEED(); }
