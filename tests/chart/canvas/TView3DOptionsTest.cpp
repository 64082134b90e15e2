#include <gtest/gtest.h>

#include <vector>

#include "chart/canvas/TView3DOptions.h"

using chart::TView3DOptions;

namespace {

struct Recorder {
  int repaints = 0;
  std::vector<bool> scrolls;
  std::vector<int32_t> zooms;
  std::vector<std::string> order;
};

TView3DOptions MakeOptions(Recorder& rec) {
  TView3DOptions o([&rec] { ++rec.repaints; rec.order.push_back("repaint"); });
  return o;
}

}  // namespace

TEST(TView3DOptions, Defaults) {
  TView3DOptions o;
  EXPECT_EQ(o.Elevation(), 345);
  EXPECT_EQ(o.HorizOffset(), 0);
  EXPECT_TRUE(o.Orthogonal());
  EXPECT_EQ(o.Perspective(), 15);
  EXPECT_EQ(o.Rotation(), 345);
  EXPECT_EQ(o.Tilt(), 0);
  EXPECT_EQ(o.VertOffset(), 0);
  EXPECT_EQ(o.Zoom(), 100);
  EXPECT_TRUE(o.ZoomText());
}

TEST(TView3DOptions, SettersRepaintOnlyOnChangeAndAcceptAnyInteger) {
  Recorder rec;
  TView3DOptions o = MakeOptions(rec);
  o.SetElevation(345);
  o.SetRotation(345);
  o.SetTilt(0);
  o.SetPerspective(15);
  o.SetOrthogonal(true);
  o.SetZoomText(true);
  EXPECT_EQ(rec.repaints, 0);

  o.SetElevation(-1000);
  o.SetRotation(99999);
  o.SetTilt(720);
  o.SetPerspective(-5);
  o.SetOrthogonal(false);
  o.SetZoomText(false);
  EXPECT_EQ(rec.repaints, 6);
  EXPECT_EQ(o.Elevation(), -1000);
  EXPECT_EQ(o.Rotation(), 99999);
  EXPECT_EQ(o.Tilt(), 720);
  EXPECT_EQ(o.Perspective(), -5);
  EXPECT_FALSE(o.Orthogonal());
  EXPECT_FALSE(o.ZoomText());
}

TEST(TView3DOptions, OffsetsRepaintThenNotifyScroll) {
  Recorder rec;
  TView3DOptions o = MakeOptions(rec);
  o.OnScrolled = [&rec](bool horizontal) {
    rec.scrolls.push_back(horizontal);
    rec.order.push_back("scroll");
  };
  o.SetHorizOffset(0);
  o.SetVertOffset(0);
  EXPECT_TRUE(rec.scrolls.empty());
  EXPECT_EQ(rec.repaints, 0);

  o.SetHorizOffset(12);
  o.SetVertOffset(-7);
  EXPECT_EQ(o.HorizOffset(), 12);
  EXPECT_EQ(o.VertOffset(), -7);
  EXPECT_EQ(rec.scrolls, (std::vector<bool>{true, false}));
  EXPECT_EQ(rec.order, (std::vector<std::string>{"repaint", "scroll", "repaint", "scroll"}));
}

TEST(TView3DOptions, ZoomNotifiesFirstWithTheNewValue) {
  Recorder rec;
  TView3DOptions o = MakeOptions(rec);
  int32_t storedDuringNotification = 0;
  o.OnZoomed = [&](int32_t zoom) {
    rec.zooms.push_back(zoom);
    rec.order.push_back("zoom");
    storedDuringNotification = o.Zoom();
  };
  o.SetZoom(100);
  EXPECT_TRUE(rec.zooms.empty());
  EXPECT_EQ(rec.repaints, 0);

  o.SetZoom(250);
  EXPECT_EQ(rec.zooms, (std::vector<int32_t>{250}));
  EXPECT_EQ(storedDuringNotification, 100);
  EXPECT_EQ(o.Zoom(), 250);
  EXPECT_EQ(rec.order, (std::vector<std::string>{"zoom", "repaint"}));
}

TEST(TView3DOptions, AssignCopiesAllWithoutNotifications) {
  TView3DOptions source;
  source.SetElevation(10);
  source.SetHorizOffset(20);
  source.SetOrthogonal(false);
  source.SetPerspective(30);
  source.SetRotation(40);
  source.SetTilt(50);
  source.SetVertOffset(60);
  source.SetZoom(70);
  source.SetZoomText(false);

  Recorder rec;
  TView3DOptions target = MakeOptions(rec);
  target.OnScrolled = [&](bool h) { rec.scrolls.push_back(h); };
  target.OnZoomed = [&](int32_t z) { rec.zooms.push_back(z); };
  target.Assign(source);
  EXPECT_EQ(rec.repaints, 0);
  EXPECT_TRUE(rec.scrolls.empty());
  EXPECT_TRUE(rec.zooms.empty());
  EXPECT_EQ(target.Elevation(), 10);
  EXPECT_EQ(target.HorizOffset(), 20);
  EXPECT_FALSE(target.Orthogonal());
  EXPECT_EQ(target.Perspective(), 30);
  EXPECT_EQ(target.Rotation(), 40);
  EXPECT_EQ(target.Tilt(), 50);
  EXPECT_EQ(target.VertOffset(), 60);
  EXPECT_EQ(target.Zoom(), 70);
  EXPECT_FALSE(target.ZoomText());
}
