#pragma once
// The chart engine in one include, for programs that use it: the chart with its axes, titles,
// walls and legend, the series types, the 3D options, the canvas, the stored-layout reader and
// writer, and the framework's drawing types (bitmap, surface, colours).

#include "chart/ChartClasses.h"
#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/ChartStore.h"
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TChartValueList.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/TChartGradient.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TChartTitle.h"
#include "chart/panel/TChartWall.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/TColor.h"
