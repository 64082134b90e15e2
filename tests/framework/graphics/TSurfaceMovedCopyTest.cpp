// Whole-image copies between plain surfaces move the image and pay the copy back lazily:
// every pixel must stay as if each copy had been made at once.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TSurface.h"

using namespace fw;

namespace {

// A derived surface never moves images: it is the reference that really copies.
class CopyingSurface : public TSurface {};

constexpr int32_t W = 24, H = 16;

std::unique_ptr<TSurface> MakeSurface(bool reference, int32_t w = W, int32_t h = H) {
  std::unique_ptr<TSurface> s = reference ? std::make_unique<CopyingSurface>() : std::make_unique<TSurface>();
  SurfaceAccess::CreateImage(*s, w, h);
  return s;
}

std::vector<TColor> Pixels(TSurface& s) {
  std::vector<TColor> out;
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

struct World {
  explicit World(bool reference) : Reference(reference) {
    for (int i = 0; i < 4; ++i) Surfaces.push_back(MakeSurface(reference));
  }
  bool Reference;
  std::vector<std::unique_ptr<TSurface>> Surfaces;
};

TEST(SurfaceMovedCopy, RandomSequencesGiveThePixelsOfRealCopies) {
  const TColor colours[] = {clRed, clBlue, clLime, clBlack, clYellow, clTeal};
  for (int seed = 1; seed <= 12; ++seed) {
    World moved(false), copied(true);
    std::mt19937 rng(static_cast<uint32_t>(seed));
    for (int step = 0; step < 400; ++step) {
      const uint32_t op = rng() % 11;
      const size_t k = rng() % 4, j = rng() % 4;
      const TColor colour = colours[rng() % 6];
      const int32_t a = static_cast<int32_t>(rng() % W), b = static_cast<int32_t>(rng() % H);
      for (World* w : {&moved, &copied}) {
        TSurface& s = *w->Surfaces[k];
        TSurface& t = *w->Surfaces[j];
        switch (op) {
          case 0:  // a fill
            s.Brush().SetColor(colour);
            s.FillRect({a, b, a + 7, b + 5});
            break;
          case 1:  // lines, whose steep runs are held back
            s.Pen().SetColor(colour);
            s.MoveTo(a, 0);
            s.LineTo(a, H - 1);
            s.LineTo((a + 1) % W, b);
            break;
          case 2:
          case 3:  // a whole copy (moved between plain surfaces of one size)
            s.BlockCopy(0, 0, t.Width(), t.Height(), t, 0, 0);
            break;
          case 4:  // a partial copy
            s.BlockCopy(a / 2, b / 2, 9, 7, t, b / 3, a / 3);
            break;
          case 5:  // the whole image is about to be redrawn (unclipped, so it really is)
            s.RemoveClipping();
            s.DiscardContent();
            s.Brush().SetColor(colour);
            s.FillRect({0, 0, s.Width(), s.Height()});
            s.Pen().SetColor(clBlack);
            s.MoveTo(0, b);
            s.LineTo(W, H - b);
            break;
          case 6:  // clipping, which keeps copies real
            if (s.HasClipping())
              s.RemoveClipping();
            else
              s.IntersectClipRect({2, 2, W - 3, H - 4});
            break;
          case 7:  // the surface goes away and a new one takes its place
            w->Surfaces[k] = MakeSurface(w->Reference);
            break;
          case 8:  // a resize keeps the old content at the top-left
            SurfaceAccess::CreateImage(s, op % 2 ? W : W + 1 + a % 3, H);
            break;
          case 9:  // back to the common size
            SurfaceAccess::CreateImage(s, W, H);
            break;
          default:  // a read in the middle of the sequence
            break;
        }
      }
      if (op == 10 || step % 37 == 0) {
        ASSERT_EQ(Pixels(*moved.Surfaces[k]), Pixels(*copied.Surfaces[k])) << "seed " << seed << " step " << step;
      }
    }
    for (size_t k = 0; k < 4; ++k)
      ASSERT_EQ(Pixels(*moved.Surfaces[k]), Pixels(*copied.Surfaces[k])) << "seed " << seed << " surface " << k;
  }
}

TEST(SurfaceMovedCopy, TheSourceGetsItsPictureBackBeforeTheHolderChanges) {
  auto source = MakeSurface(false), window = MakeSurface(false);
  source->Brush().SetColor(clRed);
  source->FillRect({0, 0, W, H});
  window->BlockCopy(0, 0, W, H, *source, 0, 0);
  // Drawing on the window must not show in the source, which keeps the red frame.
  window->Brush().SetColor(clBlue);
  window->FillRect({0, 0, 5, 5});
  EXPECT_EQ(source->GetPixel(0, 0), clRed);
  EXPECT_EQ(window->GetPixel(0, 0), clBlue);
  EXPECT_EQ(window->GetPixel(10, 10), clRed);
}

TEST(SurfaceMovedCopy, ASourceOutlivesTheSurfaceHoldingItsPicture) {
  auto source = MakeSurface(false);
  source->Brush().SetColor(clLime);
  source->FillRect({0, 0, W, H});
  {
    auto window = MakeSurface(false);
    window->BlockCopy(0, 0, W, H, *source, 0, 0);
    EXPECT_EQ(window->GetPixel(3, 3), clLime);
  }
  EXPECT_EQ(source->GetPixel(3, 3), clLime);
  EXPECT_EQ(source->GetPixel(W - 1, H - 1), clLime);
}

TEST(SurfaceMovedCopy, CopyingBackAnUnchangedPictureKeepsBoth) {
  auto source = MakeSurface(false), window = MakeSurface(false);
  source->Brush().SetColor(clTeal);
  source->FillRect({4, 4, 9, 9});
  window->BlockCopy(0, 0, W, H, *source, 0, 0);
  window->BlockCopy(0, 0, W, H, *source, 0, 0);  // served from the buffer again
  EXPECT_EQ(window->GetPixel(5, 5), clTeal);
  EXPECT_EQ(window->GetPixel(0, 0), clWhite);
  EXPECT_EQ(source->GetPixel(5, 5), clTeal);
  EXPECT_EQ(source->GetPixel(0, 0), clWhite);
}

}  // namespace
