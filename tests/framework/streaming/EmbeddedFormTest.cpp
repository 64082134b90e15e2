#include <gtest/gtest.h>

#include "framework/streaming/EmbeddedForms.h"
#include "framework/streaming/TFormParser.h"

// The build embeds the main window's layout once the file exists; it must be a whole,
// well-formed description (the bytes end with the file, not earlier).
TEST(EmbeddedForm, MainFormIsEmbeddedWhole) {
#ifdef SW_EMBEDDED_MAIN_FORM
  const std::string text = fw::EmbeddedMainForm();
  ASSERT_FALSE(text.empty());
  const fw::TFormObject root = fw::TFormParser::Parse(text);
  EXPECT_FALSE(root.ClassName.empty());
#else
  GTEST_SKIP() << "no main form in this build";
#endif
}
