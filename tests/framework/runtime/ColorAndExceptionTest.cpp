#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include "framework/runtime/Exception.h"
#include "framework/runtime/TColor.h"

namespace {

TEST(ColorNamesTest, NamedColoursRoundTrip) {
  EXPECT_EQ(fw::ColorToString(fw::clRed), "clRed");
  EXPECT_EQ(fw::ColorToString(255), "clRed");
  EXPECT_EQ(fw::ColorToString(fw::clBtnFace), "clBtnFace");
  EXPECT_EQ(fw::ColorToString(fw::clDefault), "clDefault");
  EXPECT_EQ(fw::ColorToString(fw::clNone), "clNone");
  EXPECT_EQ(fw::ColorToString(fw::clLtGray), "clSilver");  // alias shares the value
  EXPECT_EQ(fw::StringToColor("clBlue"), 16711680);
  EXPECT_EQ(fw::StringToColor("clTeal"), 8421376);
  EXPECT_EQ(fw::StringToColor("CLWHITE"), 16777215);
  EXPECT_EQ(fw::StringToColor("clBtnFace"), -2147483633);
  EXPECT_EQ(fw::StringToColor("clWindowText"), -2147483640);
  EXPECT_EQ(fw::StringToColor("clLtGray"), fw::clSilver);
  for (fw::TColor c : {fw::clBlack, fw::clNavy, fw::clInfoBk, fw::clMedGray, fw::clScrollBar}) {
    EXPECT_EQ(fw::StringToColor(fw::ColorToString(c)), c);
  }
}

TEST(ColorNamesTest, UnnamedColoursAreNumbers) {
  EXPECT_EQ(fw::ColorToString(0x123456), "1193046");
  EXPECT_EQ(fw::ColorToString(-5), "-5");
  EXPECT_EQ(fw::StringToColor("1193046"), 0x123456);
  EXPECT_EQ(fw::StringToColor("$00FF8000"), 0xFF8000);
  EXPECT_EQ(fw::StringToColor("-2147483633"), fw::clBtnFace);
}

TEST(ColorNamesTest, UnknownNameIsAConversionError) {
  try {
    fw::StringToColor("clPink");
    FAIL() << "no exception";
  } catch (const fw::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'clPink' is not a valid integer value");
  }
  EXPECT_THROW(fw::StringToColor(""), fw::EConvertError);
}

TEST(ColorToRGBTest, PlainColoursPassAndSystemColoursFollowThePalette) {
  EXPECT_EQ(fw::ColorToRGB(fw::clRed), 255);
  EXPECT_EQ(fw::ColorToRGB(fw::clTeal), fw::clTeal);
  EXPECT_EQ(fw::ColorToRGB(0x7F123456), 0x123456);
  ASSERT_NE(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
  const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(fw::ColorToRGB(fw::clBtnFace), fw::RGB(face.red(), face.green(), face.blue()));
  const QColor text = QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText);
  EXPECT_EQ(fw::ColorToRGB(fw::clWindowText), fw::RGB(text.red(), text.green(), text.blue()));
  const QColor base = QGuiApplication::palette().color(QPalette::Active, QPalette::Base);
  EXPECT_EQ(fw::ColorToRGB(fw::clWindow), fw::RGB(base.red(), base.green(), base.blue()));
  // Out-of-table system indices give black rather than reading past the table.
  EXPECT_EQ(fw::ColorToRGB(fw::SystemColorBase | 200), 0);
}

TEST(RuntimeExceptionTest, FixedMessagesAndCommonBase) {
  EXPECT_EQ(fw::EListError::IndexOutOfBounds(5).Message(), "List index out of bounds (5)");
  EXPECT_EQ(fw::EListError::IndexOutOfBounds(-1).Message(), "List index out of bounds (-1)");
  EXPECT_EQ(fw::EZeroDivide().Message(), "Floating point division by zero");
  EXPECT_EQ(fw::EOverflow().Message(), "Floating point overflow");
  EXPECT_EQ(fw::EInvalidOp().Message(), "Invalid floating point operation");
  EXPECT_EQ(fw::EConvertError::InvalidInteger("x").Message(), "'x' is not a valid integer value");
  EXPECT_THROW(throw fw::EZeroDivide(), fw::Exception);
  EXPECT_THROW(throw fw::EListError::IndexOutOfBounds(3), fw::Exception);
}

}  // namespace
