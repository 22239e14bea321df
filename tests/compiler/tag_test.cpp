#include "compiler/tag.h"

#include <gtest/gtest.h>

TEST(TagSplit, blanksAfterTheVerbBelongToTheArgument) {
    auto p = tag::Split("<genie Speak Hello, world>");
    EXPECT_EQ(p.name, "genie");
    EXPECT_EQ(p.verb, "Speak");
    EXPECT_EQ(p.argument, "Hello, world");
}
