// Published properties of the graphics objects that components own (Font, Pen, Brush, Picture).
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TPicture.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/StreamIdents.h"
#include "framework/streaming/TClassRegistry.h"

namespace fw {

void RegisterGraphicsClasses() {
  // Every font property is written whenever the font is (owners decide that with Stored).
  RegisterClass<TFont>("TFont")
      .Integer("Charset", &TFont::Charset, &TFont::SetCharset)
      .Idents(CharsetIdents())
      .Color("Color", &TFont::Color, &TFont::SetColor)
      .Integer("Height", &TFont::Height, &TFont::SetHeight)
      .String("Name", &TFont::Name, &TFont::SetName)
      .Set("Style", &TFont::Style, &TFont::SetStyle, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});

  RegisterClass<TPen>("TPen")
      .Color("Color", &TPen::Color, &TPen::SetColor)
      .Default(clBlack)
      .Enumeration("Mode", &TPen::Mode, &TPen::SetMode,
                   {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
                    "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",
                    "pmNotXor"})
      .Default(pmCopy)
      .Enumeration("Style", &TPen::Style, &TPen::SetStyle,
                   {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame",
                    "psAlternate"})
      .Default(psSolid)
      .Integer("Width", &TPen::Width, &TPen::SetWidth)
      .Default(1);

  RegisterClass<TBrush>("TBrush")
      .Color("Color", &TBrush::Color, &TBrush::SetColor)
      .Default(clWhite)
      .Enumeration("Style", &TBrush::Style, &TBrush::SetStyle,
                   {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
                    "bsDiagCross"})
      .Default(bsSolid);

  // A picture is stored as its binary data: the graphic's class name and its own data.
  RegisterClass<TPicture>("TPicture").Binary("Data", &TPicture::Data, &TPicture::SetData);
}

}  // namespace fw
