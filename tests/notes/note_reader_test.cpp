#include <gtest/gtest.h>

#include "notes/note_reader.h"

using namespace numvora;

namespace {

TEST(LineResult, Placeholder) { EXPECT_EQ(*line_result("1+2", 0, 3), "3"); }

}  // namespace
