#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "chart/data/TChartValueList.h"
#include "chart/data/TSeriesHost.h"
#include "framework/controls/ControlTypes.h"
#include "framework/controls/TComponent.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace chart {

struct TAxisScale;
class TChartFunction;
class TChartSeries;
class TCustomChartAxis;
class TSeriesMarks;
struct TSeriesMarkPosition;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

/// When a dependent series follows its source (a set of bit flags).
enum TSeriesRecalcOption : uint32_t {
  rOnDelete = 1u << 0,
  rOnModify = 1u << 1,
  rOnInsert = 1u << 2,
  rOnClear = 1u << 3,
};
using TSeriesRecalcOptions = uint32_t;
constexpr TSeriesRecalcOptions AllRecalcOptions = rOnDelete | rOnModify | rOnInsert | rOnClear;

/// What a series tells the series that take their data from it.
/// What changed in a source series; seAddMany: several points were added in one call.
enum TSeriesSourceEvent { seClear, seAdd, seDelete, seModified, seValueChanged, seAddMany };

/// Return false to refuse the point about to be added.
using TSeriesOnBeforeAdd = std::function<bool(TChartSeries* sender)>;
using TSeriesOnAfterAdd = std::function<void(TChartSeries* sender, int32_t valueIndex)>;
using TSeriesOnClear = std::function<void(TChartSeries* sender)>;
using TSeriesClick = std::function<void(TChartSeries* sender, int32_t valueIndex, fw::TMouseButton button,
                                        fw::TShiftState shift, int32_t x, int32_t y)>;
/// May replace the mark text of point valueIndex.
using TSeriesOnGetMarkText = std::function<void(TChartSeries* sender, int32_t valueIndex, std::string& markText)>;

/// One set of data points of a chart and how they are shown. Owns its value lists (X first,
/// Y second), one colour and one label per point, and its marks; keeps them aligned; asks its
/// chart to repaint when it changes (never draws outside the chart's paint); informs the series
/// that take their data from it. Series types supply the drawing (DrawOnePoint / DrawAllPoints).
class TChartSeries : public fw::TComponent {
public:
  explicit TChartSeries(fw::TComponent* owner = nullptr);
  ~TChartSeries() override;

  std::string ClassName() const override { return "TChartSeries"; }

  // ---- value lists ----
  TChartValueList& XValues() { return *mXValues; }
  const TChartValueList& XValues() const { return *mXValues; }
  TChartValueList& YValues() { return *mYValues; }
  const TChartValueList& YValues() const { return *mYValues; }
  /// Copies the settings of `source` into XValues (Assign), never shares it.
  void SetXValues(const TChartValueList& source) { mXValues->Assign(source); }
  void SetYValues(const TChartValueList& source) { mYValues->Assign(source); }
  /// Every value list of the series, X first, Y second, further lists after them.
  int32_t ValueListCount() const { return static_cast<int32_t>(mValueLists.size()); }
  TChartValueList& ValueList(int32_t index) const;
  /// A further list (beyond X and Y) of that name, case-insensitive; YValues otherwise.
  virtual TChartValueList& ValueListByName(const std::string& name);
  /// The list that AddMandatoryValue fills (YValues here).
  virtual TChartValueList& MandatoryList() { return *mYValues; }
  bool YMandatory() { return &MandatoryList() == mYValues.get(); }

  // ---- adding and removing points ----
  /// Adds one point; returns its index, or -1 when OnBeforeAdd refused it (nothing changes).
  /// The X list places it by its Order (after equal X values). An empty label stores no text.
  virtual int32_t AppendPoint(double x, double y, const std::string& label, fw::TColor color);
  /// AppendPoint without a label and with the default colour.
  int32_t AppendPoint(double x, double y) { return AppendPoint(x, y, NoLabel, fw::clDefault); }
  /// The empty label, for calls that give none.
  static inline const std::string NoLabel{};
  /// Appends the points (x[k], y[k]) in one call, each stored as AppendPoint stores it (X
  /// placed by its Order after equal values, no label, no colour of its own), in array order.
  /// OnBeforeAdd is asked before each point (pending values set) and may refuse it; OnAfterAdd
  /// hears of each point added, with its index at that moment. Then, once: dependents are
  /// told (those with the on-insert option recalculate from their sources), and a repaint is
  /// requested when Active. A fast line with AutoRepaint off draws each point instead, as
  /// AppendPoint does. Returns the number of points added.
  /// Throws ChartException (PointArraysDiffer) when the arrays differ in length, and the
  /// list-capacity error when the series cannot hold them all; nothing changes then.
  int32_t AppendPoints(std::span<const double> x, std::span<const double> y);
  /// AppendPoints with the mandatory values `values` and the other value of point k equal to
  /// PointCount() + k (its index when the X values ascend), as AddMandatoryValue does.
  int32_t AppendPoints(std::span<const double> values);
  /// Adds a point whose mandatory value is `value` and whose other value is PointCount().
  virtual int32_t AddMandatoryValue(double value, const std::string& label, fw::TColor color);
  /// AddMandatoryValue(0, label, clNone).
  virtual int32_t AddNullPoint(const std::string& label);
  /// AppendPoint(x, y, label, clNone).
  virtual int32_t AppendNullPoint(double x, double y, const std::string& label);
  /// Empties every list, forgets the mark positions, raises OnClearValues, informs dependents
  /// and requests a repaint (when Active and the chart is not being destroyed).
  virtual void RemoveAllPoints();
  /// Removes one point from every list; informs dependents; repaints when Active.
  virtual void DeletePoint(int32_t index);
  /// Exchanges points i and j in every value list, the colour list and the label list.
  virtual void ExchangePoints(int32_t i, int32_t j);
  int32_t PointCount() const { return mXValues->ValueCount(); }

  // ---- reading points ----
  virtual double XValueOf(int32_t index) const { return mXValues->ValueAt(index); }
  virtual double YValueOf(int32_t index) const { return mYValues->ValueAt(index); }
  /// The point's own colour; SeriesColor when it has none (or the palette colour of its index
  /// when ColorEachPoint is on); SeriesColor for an index beyond the colour list.
  virtual fw::TColor ColorOfPoint(int32_t index) const;
  /// Stores the point's colour and requests a repaint. List-index error outside the points.
  void SetColorOfPoint(int32_t index, fw::TColor color);
  /// The stored label, or empty.
  virtual std::string LabelOfPoint(int32_t index) const;
  /// Stores the point's label (empty = none) and requests a repaint.
  void SetLabelOfPoint(int32_t index, const std::string& label);
  /// The colour stored with the point (clDefault when none, or beyond the colour list).
  fw::TColor StoredColorOf(int32_t index) const;
  /// True when the point's stored colour is clNone.
  bool IsNullPoint(int32_t index) const;
  /// Whether any point has a stored label.
  bool HasLabels() const;
  /// False when no point has a colour of its own stored, so that none is a null point; true
  /// otherwise (a point may then be null). Constant time.
  bool MayHaveNullPoints() const { return !mColors.empty(); }

  virtual double LowestX() const { return mXValues->MinimumValue(); }
  virtual double HighestX() const { return mXValues->MaximumValue(); }
  virtual double LowestY() const { return mYValues->MinimumValue(); }
  virtual double HighestY() const { return mYValues->MaximumValue(); }
  /// Both give the effective depth level (FixedDepthLevel, or DepthLevel when that is -1).
  virtual double LowestZ() const { return EffectiveDepthLevel(); }
  virtual double HighestZ() const { return EffectiveDepthLevel(); }
  int32_t EffectiveDepthLevel() const { return mFixedDepthLevel == -1 ? mDepthLevel : mFixedDepthLevel; }

  // ---- coordinates (through the resolved axes of the last frame; 0 without an axis) ----
  virtual int32_t XPixel(int32_t index) const;
  virtual int32_t YPixel(int32_t index) const;
  int32_t XPixelOfValue(double value) const;
  int32_t YPixelOfValue(double value) const;
  double XValueOfPixel(int32_t pixel) const;
  double YValueOfPixel(int32_t pixel) const;

  // ---- chart and axes ----
  TSeriesHost* ParentChart() const { return mParentChart; }
  /// Leaves the old chart's series list, stores the chart, resolves the axes and joins the
  /// new chart's series list. Nothing when unchanged; a nested call made by a chart from inside
  /// its add/remove callbacks is ignored.
  virtual void SetParentChart(TSeriesHost* chart);
  /// Resolves HorizAxis/VertAxis to the chart's axis objects (none without a chart).
  void ResolveAxes();
  TCustomChartAxis* ResolvedHorizAxis() const { return mResolvedHorizAxis; }
  TCustomChartAxis* ResolvedVertAxis() const { return mResolvedVertAxis; }
  /// Whether `axis` takes this series into account (for automatic ranges and axis display);
  /// false without a chart. A depth axis counts as not horizontal.
  virtual bool UsesAxis(const TCustomChartAxis* axis) const;
  /// The series is measured against axes at all (a pie series is not).
  virtual bool UseAxis() const { return true; }
  /// Asks the chart to repaint later (nothing without a chart). Never draws.
  void RequestRepaint();

  THorizAxis HorizAxis() const { return mHorizAxis; }
  /// Stores, resolves the axes and requests a repaint when changed.
  void SetHorizAxis(THorizAxis value);
  TVertAxis VertAxis() const { return mVertAxis; }
  void SetVertAxis(TVertAxis value);
  TCustomChartAxis* CustomHorizAxis() const { return mCustomHorizAxis; }
  /// The axis used for aCustomHorizAxis (not owned; an axis of the same chart).
  void SetCustomHorizAxis(TCustomChartAxis* axis);
  TCustomChartAxis* CustomVertAxis() const { return mCustomVertAxis; }
  void SetCustomVertAxis(TCustomChartAxis* axis);

  // ---- visible range and drawing (called by the chart inside its paint) ----
  /// Sets FirstVisible and LastVisible from the axis range of the last frame.
  void UpdateVisibleRange();
  int32_t FirstVisible() const { return mFirstVisible; }
  int32_t LastVisible() const { return mLastVisible; }
  void SetFirstVisible(int32_t value) { mFirstVisible = value; }
  void SetLastVisible(int32_t value) { mLastVisible = value; }
  /// Start-of-frame notification, before the layout (nothing in the base).
  virtual void DoBeforeDrawChart() {}
  /// Raise BeforeDrawValues / AfterDrawValues.
  virtual void DoBeforeDrawValues();
  virtual void DoAfterDrawValues();
  /// DrawOnePoint for FirstVisible..LastVisible (backwards when DrawValuesForward is false).
  virtual void DrawAllPoints();
  /// Draws point index (nothing in the base).
  virtual void DrawOnePoint(int32_t /*index*/) {}
  /// Points are drawn first to last.
  virtual bool DrawValuesForward() const { return true; }
  /// Series of one depth level are drawn first to last.
  virtual bool DrawSeriesForward() const { return true; }
  /// Pixels kept free at the axis ends for this series (0, 0 in the base).
  virtual void HorizMargins(int32_t& left, int32_t& right) const { left = right = 0; }
  virtual void VertMargins(int32_t& top, int32_t& bottom) const { top = bottom = 0; }

  // ---- hit testing and mouse ----
  /// Index of the point under (x, y), or -1 (always -1 in the base).
  virtual int32_t ClickedIndex(int32_t x, int32_t y) const;
  /// A press on point valueIndex: raises OnDblClick on a double click (ssDouble) when set, else
  /// OnClick when set, with the chart's SuppressMouse set before; answers SuppressMouse.
  virtual bool MouseClickOnSeries(int32_t valueIndex, fw::TMouseButton button, fw::TShiftState shift,
                                  int32_t x, int32_t y);
  /// Mouse moves and releases over the chart (nothing in the base).
  virtual void MouseMoveOnSeries(fw::TShiftState /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void MouseUpOnSeries(fw::TMouseButton /*button*/, fw::TShiftState /*shift*/, int32_t /*x*/,
                               int32_t /*y*/) {}

  // ---- legend ----
  virtual int32_t LegendEntryCount() const { return PointCount(); }
  virtual int32_t LegendIndexToPoint(int32_t legendIndex) const { return legendIndex; }
  virtual fw::TColor LegendItemColor(int32_t legendIndex) const { return ColorOfPoint(legendIndex); }
  /// The colour the legend symbol of point valueIndex (-1 = the series itself) is filled with,
  /// or clNone when no symbol is drawn (the series colours each point, or a null point).
  fw::TColor LegendSymbolColor(int32_t valueIndex) const;
  /// Fills `rect` with LegendSymbolColor(valueIndex) on the chart's canvas, over the legend's
  /// background; nothing when that colour is clNone.
  virtual void DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect);

  // ---- marks ----
  /// The value a mark shows: the point's value in MandatoryList.
  virtual double MarkValue(int32_t index) { return MandatoryList().ValueAt(index); }
  /// Text of point index's mark as Marks.Style says (values by ValueFormat, percentages of the
  /// total magnitude by PercentFormat), then OnGetMarkText may replace it.
  std::string MarkText(int32_t index);
  /// Draws the marks of FirstVisible..LastVisible on the chart's canvas, skipping null points
  /// and empty texts; nothing when Marks is not visible or the series has no chart.
  void DrawMarks();
  /// Widest mark text over all points (multi-line texts by their widest line) in the chart
  /// canvas' current font, without the box's margins; 0 without a chart or points.
  int32_t MaxMarkWidth();

  // ---- type information and copying ----
  /// Name of the design-time editor of the series type (none in the base).
  virtual std::string EditorName() const { return {}; }
  /// Copies the published settings of `source` (not its points, chart, data sources or events).
  virtual void Assign(const TChartSeries& source);

  // ---- published properties ----
  bool Active() const { return mActive; }
  virtual void SetActive(bool value);
  fw::TColor SeriesColor() const { return mSeriesColor; }
  virtual void SetSeriesColor(fw::TColor value);
  bool ColorEachPoint() const { return mColorEachPoint; }
  /// Turning it off also resets every stored point colour to clDefault.
  virtual void SetColorEachPoint(bool value);
  const std::string& ColorSource() const { return mColorSource; }
  void SetColorSource(const std::string& value) { mColorSource = value; }
  int16_t Cursor() const { return mCursor; }
  void SetCursor(int16_t value) { mCursor = value; }
  const std::string& XLabelsSource() const { return mXLabelsSource; }
  void SetXLabelsSource(const std::string& value) { mXLabelsSource = value; }
  TSeriesMarks& Marks() { return *mMarks; }
  const TSeriesMarks& Marks() const { return *mMarks; }
  /// Copies the given settings into the owned marks.
  void SetMarks(const TSeriesMarks& value);
  const std::string& PercentFormat() const { return mPercentFormat; }
  void SetPercentFormat(const std::string& value);
  bool ShowInLegend() const { return mShowInLegend; }
  void SetShowInLegend(bool value);
  const std::string& Title() const { return mTitle; }
  void SetTitle(const std::string& value);
  const std::string& ValueFormat() const { return mValueFormat; }
  void SetValueFormat(const std::string& value);
  const std::string& Identifier() const { return mIdentifier; }
  void SetIdentifier(const std::string& value) { mIdentifier = value; }
  /// Six style flags stored as an integer (bits 0 to 5).
  uint32_t Style() const { return mStyle; }
  void SetStyle(uint32_t value) { mStyle = value & 0x3Fu; }
  TSeriesRecalcOptions RecalcOptions() const { return mRecalcOptions; }
  void SetRecalcOptions(TSeriesRecalcOptions value) { mRecalcOptions = value & AllRecalcOptions; }

  // ---- depth (written by the chart in each frame) ----
  int32_t FixedDepthLevel() const { return mFixedDepthLevel; }
  void SetFixedDepthLevel(int32_t value) { mFixedDepthLevel = value; }
  int32_t DepthLevel() const { return mDepthLevel; }
  void SetDepthLevel(int32_t value) { mDepthLevel = value; }
  int32_t DepthStart() const { return mDepthStart; }
  int32_t DepthMiddle() const { return mDepthMiddle; }
  int32_t DepthEnd() const { return mDepthEnd; }
  void SetDepthRange(int32_t start, int32_t middle, int32_t end);
  bool HasZValues() const { return mHasZValues; }

  // ---- behaviour switches of series types ----
  bool LimitToVisible() const { return mLimitToVisible; }
  void SetLimitToVisible(bool value) { mLimitToVisible = value; }
  bool ExtendToEdge() const { return mExtendToEdge; }
  void SetExtendToEdge(bool value) { mExtendToEdge = value; }
  bool SinglePointAllowed() const { return mSinglePointAllowed; }
  void SetSinglePointAllowed(bool value) { mSinglePointAllowed = value; }

  // ---- data sources and dependents ----
  /// The first data source, or null.
  fw::TComponent* DataSource() const { return mDataSources.empty() ? nullptr : mDataSources.front(); }
  /// Replaces every data source by `source` (null clears them). Outside loading, a source needs
  /// a chart ("No ParentChart to validate DataSource"), must be accepted by it ("No valid
  /// DataSource: name") and must not take its data from this series, directly or through other
  /// series ("Circular Series dependences are not allowed"); a rejected source changes nothing.
  /// Then the chart refreshes the series from its sources.
  void SetDataSource(fw::TComponent* source);
  /// Adds one more data source with the same checks, then refreshes.
  void AddDataSource(fw::TComponent* source);
  /// Detaches one data source (nothing when it is not one).
  void RemoveDataSource(fw::TComponent* source);
  const std::vector<fw::TComponent*>& DataSources() const { return mDataSources; }
  const std::vector<TChartSeries*>& Dependents() const { return mDependents; }
  /// Drops every link to other series: this series' data sources and the series that take their
  /// data from it. The points already copied stay. A chart calls it when the series leaves it.
  void DetachAllLinks();
  /// True when this series takes its data from `other`, directly or through other series.
  bool DependsOn(const TChartSeries& other) const;
  /// Names of data sources read from a stored layout; resolved among the owner's components
  /// when loading ends.
  void SetPendingDataSourceNames(const std::vector<std::string>& names) { mPendingDataSourceNames = names; }
  /// Whether this series may take `source` as data source (any series but itself).
  virtual bool MayTakeAsSource(const TChartSeries& source) const { return &source != this; }
  /// Whether the series accepts `source` as data source (always in the base).
  virtual bool AcceptsDataSource(const TChartSeries& /*source*/) const { return true; }
  /// Asks the chart to check and refresh the series' data sources (nothing without a chart).
  void CheckDataSource();
  /// Empties the series and copies every point of every source series (X, Y and further lists
  /// by position, colour and label).
  virtual void RecalculateFromSources();
  /// Adds a copy of point `index` of `source` (values only); returns the new index.
  virtual int32_t AddValueFromSource(const TChartSeries& source, int32_t index);

  // ---- function ----
  /// The function that computes the points from the sources, or null (the points are then
  /// copied from the sources).
  TChartFunction* Function() const { return mFunction.get(); }
  /// Takes the function (null removes it), frees the previous one and marks the points for
  /// recalculation before the next frame.
  virtual void SetFunction(std::unique_ptr<TChartFunction> function);
  /// Class name of the function ("" without one), as the stored layout names it.
  std::string FunctionType() const;
  /// Gives the series a new function of that class ("" removes it). Throws ChartException for
  /// an unknown name; the old function stays.
  void SetFunctionType(const std::string& className);
  /// True while the points no longer follow the sources or the function (a source changed, the
  /// source list or the function changed); the chart recalculates before its next frame.
  bool SourcesChanged() const { return mSourcesChanged; }
  /// Marks the points for recalculation and asks the chart for a frame (cheap; merges).
  void MarkSourcesChanged();
  /// Recalculates now when marked, after every source series that is marked itself.
  void RefreshIfOutdated();
  /// Recalculates from the sources now (through the function when there is one).
  void RefreshSeries() { RecalculateFromSources(); }

  // ---- events ----
  TSeriesOnBeforeAdd OnBeforeAdd;
  TSeriesOnAfterAdd OnAfterAdd;
  TSeriesOnClear OnClearValues;
  fw::TNotifyEvent BeforeDrawValues;
  fw::TNotifyEvent AfterDrawValues;
  TSeriesClick OnClick;
  TSeriesClick OnDblClick;
  TSeriesOnGetMarkText OnGetMarkText;

  void Loaded() override;

protected:
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

  /// After-add notification: OnAfterAdd, dependents, RequestRepaint when Active. A series type
  /// whose override does more must say so with SetOwnAddedPoint(true): without an OnAfterAdd
  /// handler and dependents, appends otherwise only request the repaint and skip the call.
  virtual void AddedPoint(int32_t index);
  void SetOwnAddedPoint(bool value) { mOwnAddedPoint = value; }
  /// AppendPoint's general case: stores the pending X and Y values of the lists with the
  /// colour and label, in X order, with every handler and notification. Returns the index.
  int32_t StorePoint(fw::TColor color, const std::string& label);
  /// A point of AppendPoints was stored at index: OnAfterAdd.
  virtual void AddedPointOfMany(int32_t index);
  /// AppendPoints stored `count` (> 0) points: dependents (seAddMany), RequestRepaint when
  /// Active.
  virtual void AddedPoints(int32_t count);
  /// True when every point added must be handled on its own (AddedPointOfMany does more than
  /// raise OnAfterAdd).
  virtual bool HandlesEachAddedPoint() const { return false; }
  /// Inserts the pending values of the lists beyond X and Y at index (series types with more
  /// lists call it from their own add operations).
  void InsertFurtherPendingValues(int32_t index);
  /// Stores a point's colour and label at index (after the value lists took it).
  void InsertColorAndLabel(int32_t index, fw::TColor color, const std::string& label) {
    const size_t at = static_cast<size_t>(index);
    if (color == fw::clDefault && mColors.empty() && label.empty() && mLabels.size() <= at) {
      mDefaultColorCount = std::max(mDefaultColorCount, at) + 1;  // nothing to store but the count
      return;
    }
    InsertOwnColorOrLabel(index, color, label);
  }
  /// Draws one mark at `position` with the point's colour; series types may move it first.
  virtual void DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position);
  /// Steps 1 to 3 of RemoveAllPoints: every list emptied, mark positions forgotten.
  virtual void ClearLists();
  /// Tells every dependent series of a change of this one.
  void NotifyDependents(TSeriesSourceEvent event, int32_t index);
  /// A source of this series changed.
  virtual void SourceChanged(TChartSeries& source, TSeriesSourceEvent event, int32_t index);

  void SetHasZValues(bool value) { mHasZValues = value; }
  /// Maps of the resolved axes in the last frame (nullptr without an axis).
  const TAxisScale* HorizScale() const { return mHorizScale; }
  const TAxisScale* VertScale() const { return mVertScale; }
  /// Highest and lowest Y pixel (YPixelOfValue of YValueOf) of points from..to-1 (to > from):
  /// from the extreme values alone when the vertical map is monotone between them.
  void RowExtremes(int32_t from, int32_t to, int32_t& top, int32_t& bottom) const;

private:
  friend class TChartValueList;

  void RegisterValueList(TChartValueList* list);
  void UnregisterValueList(TChartValueList* list);
  void CheckPointIndex(int32_t index) const;
  /// Number of entries of the colour list (points beyond it have none).
  size_t ColorCount() const { return mColors.empty() ? mDefaultColorCount : mColors.size(); }
  /// Writes out the colour list of a series whose points all have clDefault.
  void MaterializeColors();
  /// InsertColorAndLabel for a point with a colour of its own or a label (or following one).
  void InsertOwnColorOrLabel(int32_t index, fw::TColor color, const std::string& label);
  /// AppendPoints with point k given by xOf(k) and yOf(k).
  template <class XOf, class YOf>
  int32_t AppendPointsFrom(size_t count, const XOf& xOf, const YOf& yOf);
  void ValidateDataSource(fw::TComponent* source) const;
  void AttachDataSource(fw::TComponent* source);
  void DetachDataSource(fw::TComponent* source);
  void ResolvePendingDataSources();
  /// Empties the series and copies every point of every source series.
  void CopyPointsFromSources();
  template <typename T>
  void ChangeDrawingProperty(T& field, const T& value);

  bool mActive = true;
  bool mOwnAddedPoint = false;  // AddedPoint does more than the base's (see SetOwnAddedPoint)
  fw::TColor mSeriesColor = fw::clDefault;
  bool mColorEachPoint = false;
  // One colour per point (clDefault = none of its own). While every point has clDefault the
  // vector stays empty and only mDefaultColorCount counts the entries, so the usual fill with
  // clDefault shifts no colours; the first other colour writes the list out in full.
  std::vector<fw::TColor> mColors;
  size_t mDefaultColorCount = 0;
  std::string mColorSource;
  int16_t mCursor = 0;
  std::vector<fw::TComponent*> mDataSources;  // not owned
  int32_t mFirstVisible = -1;
  TCustomChartAxis* mResolvedHorizAxis = nullptr;
  TCustomChartAxis* mResolvedVertAxis = nullptr;
  const TAxisScale* mHorizScale = nullptr;  // maps of the resolved axes, owned by the axes
  const TAxisScale* mVertScale = nullptr;
  std::string mXLabelsSource;
  int32_t mLastVisible = -1;
  std::vector<TChartSeries*> mDependents;  // not owned
  TSeriesHost* mParentChart = nullptr;
  std::string mPercentFormat;
  bool mShowInLegend = true;
  std::vector<std::string> mPendingDataSourceNames;
  std::string mTitle;
  std::string mValueFormat;
  std::vector<TChartValueList*> mValueLists;  // X, Y, further lists; owned by their members
  std::vector<std::string> mLabels;           // one per point; empty = no text
  THorizAxis mHorizAxis = aBottomAxis;
  TCustomChartAxis* mCustomHorizAxis = nullptr;
  TCustomChartAxis* mCustomVertAxis = nullptr;
  int32_t mFixedDepthLevel = -1;
  TVertAxis mVertAxis = aLeftAxis;
  TSeriesRecalcOptions mRecalcOptions = AllRecalcOptions;
  uint32_t mStyle = 0;
  std::string mIdentifier;
  int32_t mDepthLevel = 0;
  bool mLimitToVisible = true;
  bool mExtendToEdge = false;
  bool mSinglePointAllowed = true;
  bool mHasZValues = false;
  int32_t mDepthStart = 0;
  int32_t mDepthMiddle = 0;
  int32_t mDepthEnd = 0;
  bool mChangingParent = false;
  bool mSourcesChanged = false;
  bool mRefreshing = false;  // a recalculation is under way (guards a malformed source graph)
  std::unique_ptr<TChartFunction> mFunction;

  std::unique_ptr<TChartValueList> mXValues;
  std::unique_ptr<TChartValueList> mYValues;
  std::unique_ptr<TSeriesMarks> mMarks;
};

}  // namespace chart
