// Further standard controls that real forms use: up-down arrows, track
// bars, scroll bars, shapes, static texts, colour boxes, date pickers, tree
// views, rich edits, string grids, data grids and stack panels. Each publishes what the classic
// control publishes and the front end shows; what it does not model (a
// tree's nodes, a shape's pen, a grid's column widths) is kept as read.
#pragma once

#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"

namespace Glossmith::inline Controls {

enum TUDAlignButton : uint8_t { udLeft, udRight };
GLS_ENUM_TYPEINFO(TUDAlignButton, "udLeft", "udRight")
enum TUDOrientation : uint8_t { udHorizontal, udVertical };
GLS_ENUM_TYPEINFO(TUDOrientation, "udHorizontal", "udVertical")

// The value of an up-down, a track bar or a scroll bar: a position kept
// between Min and Max.
class TUpDown : public TWinControl {
  GLS_CLASS(TUpDown, TWinControl)
 public:
  explicit TUpDown(TComponent* AOwner);
  static void Publish(TPublisher<TUpDown>& P);

  TUDAlignButton AlignButton() const { return FAlignButton; }
  void SetAlignButton(TUDAlignButton Value) { FAlignButton = Value; }
  bool ArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value) { FArrowKeys = Value; }
  // A reference, cleared when the control goes; the control's text is its own.
  TWinControl* Associate() const { return FAssociate; }
  void SetAssociate(TWinControl* Value);
  Integer Increment() const { return FIncrement; }
  void SetIncrement(Integer Value) { FIncrement = Value; }
  Integer Max() const { return FMax; }
  void SetMax(Integer Value) { FMax = Value; }
  Integer Min() const { return FMin; }
  void SetMin(Integer Value) { FMin = Value; }
  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation Value);
  Integer Position() const { return FPosition; }
  void SetPosition(Integer Value);
  bool Thousands() const { return FThousands; }
  void SetThousands(bool Value) { FThousands = Value; }
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value) { FWrap = Value; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TUDAlignButton FAlignButton = udRight;
  bool FArrowKeys = true;
  TWinControl* FAssociate = nullptr;
  Integer FIncrement = 1;
  Integer FMax = 100;
  Integer FMin = 0;
  TUDOrientation FOrientation = udVertical;
  Integer FPosition = 0;
  bool FThousands = true;
  bool FWrap = false;
};

enum TTrackBarOrientation : uint8_t { trHorizontal, trVertical };
GLS_ENUM_TYPEINFO(TTrackBarOrientation, "trHorizontal", "trVertical")
enum TTickMark : uint8_t { tmBottomRight, tmTopLeft, tmBoth };
GLS_ENUM_TYPEINFO(TTickMark, "tmBottomRight", "tmTopLeft", "tmBoth")
enum TTickStyle : uint8_t { tsNone, tsAuto, tsManual };
GLS_ENUM_TYPEINFO(TTickStyle, "tsNone", "tsAuto", "tsManual")

class TTrackBar : public TWinControl {
  GLS_CLASS(TTrackBar, TWinControl)
 public:
  explicit TTrackBar(TComponent* AOwner);
  static void Publish(TPublisher<TTrackBar>& P);

  Integer Frequency() const { return FFrequency; }
  void SetFrequency(Integer Value) { FFrequency = Value; }
  Integer LineSize() const { return FLineSize; }
  void SetLineSize(Integer Value) { FLineSize = Value; }
  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  Integer PageSize() const { return FPageSize; }
  void SetPageSize(Integer Value) { FPageSize = Value; }
  Integer Position() const { return FPosition; }
  void SetPosition(Integer Value);
  Integer SelEnd() const { return FSelEnd; }
  void SetSelEnd(Integer Value) { FSelEnd = Value; }
  Integer SelStart() const { return FSelStart; }
  void SetSelStart(Integer Value) { FSelStart = Value; }
  TTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark Value);
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);

  TNotifyEvent OnChange;

 private:
  Integer FFrequency = 1;
  Integer FLineSize = 1;
  Integer FMax = 10;
  Integer FMin = 0;
  TTrackBarOrientation FOrientation = trHorizontal;
  Integer FPageSize = 2;
  Integer FPosition = 0;
  Integer FSelEnd = 0;
  Integer FSelStart = 0;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
};

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
GLS_ENUM_TYPEINFO(TScrollBarKind, "sbHorizontal", "sbVertical")

class TScrollBar : public TWinControl {
  GLS_CLASS(TScrollBar, TWinControl)
 public:
  explicit TScrollBar(TComponent* AOwner);
  static void Publish(TPublisher<TScrollBar>& P);

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  Integer LargeChange() const { return FLargeChange; }
  void SetLargeChange(Integer Value) { FLargeChange = Value; }
  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  Integer PageSize() const { return FPageSize; }
  void SetPageSize(Integer Value) { FPageSize = Value; }
  Integer Position() const { return FPosition; }
  void SetPosition(Integer Value);
  Integer SmallChange() const { return FSmallChange; }
  void SetSmallChange(Integer Value) { FSmallChange = Value; }

  TNotifyEvent OnChange;

 private:
  TScrollBarKind FKind = sbHorizontal;
  Integer FLargeChange = 1;
  Integer FMax = 100;
  Integer FMin = 0;
  Integer FPageSize = 0;
  Integer FPosition = 0;
  Integer FSmallChange = 1;
};

enum TShapeType : uint8_t {
  stRectangle,
  stSquare,
  stRoundRect,
  stRoundSquare,
  stEllipse,
  stCircle
};
GLS_ENUM_TYPEINFO(TShapeType, "stRectangle", "stSquare", "stRoundRect", "stRoundSquare",
                  "stEllipse", "stCircle")

class TShape : public TGraphicControl {
  GLS_CLASS(TShape, TGraphicControl)
 public:
  explicit TShape(TComponent* AOwner);
  static void Publish(TPublisher<TShape>& P);
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);

 private:
  TShapeType FShape = stRectangle;
};

enum TStaticBorderStyle : uint8_t { sbsNone, sbsSingle, sbsSunken };
GLS_ENUM_TYPEINFO(TStaticBorderStyle, "sbsNone", "sbsSingle", "sbsSunken")

// A label with a window of its own.
class TStaticText : public TWinControl {
  GLS_CLASS(TStaticText, TWinControl)
 public:
  explicit TStaticText(TComponent* AOwner);
  static void Publish(TPublisher<TStaticText>& P);

  TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TStaticBorderStyle Value);
  // A reference, cleared when the control goes.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TStaticBorderStyle FBorderStyle = sbsNone;
  TWinControl* FFocusControl = nullptr;
  bool FShowAccelChar = true;
  bool FTransparent = true;
};

// A drop-down list of colours; Selected is the colour chosen.
class TColorBox : public TWinControl {
  GLS_CLASS(TColorBox, TWinControl)
 public:
  explicit TColorBox(TComponent* AOwner);
  static void Publish(TPublisher<TColorBox>& P);
  TColor Selected() const { return FSelected; }
  void SetSelected(TColor Value);
  TColor DefaultColorColor() const { return FDefaultColorColor; }
  void SetDefaultColorColor(TColor Value) { FDefaultColorColor = Value; }
  TColor NoneColorColor() const { return FNoneColorColor; }
  void SetNoneColorColor(TColor Value) { FNoneColorColor = Value; }
  TNotifyEvent OnChange;

 private:
  TColor FSelected = clBlack;
  TColor FDefaultColorColor = clBlack;
  TColor FNoneColorColor = clBlack;
};

enum TDateTimeKind : uint8_t { dtkDate, dtkTime };
GLS_ENUM_TYPEINFO(TDateTimeKind, "dtkDate", "dtkTime")
enum TDTDateFormat : uint8_t { dfShort, dfLong };
GLS_ENUM_TYPEINFO(TDTDateFormat, "dfShort", "dfLong")

// A date or time entry; its Date and Time are kept as read.
class TDateTimePicker : public TWinControl {
  GLS_CLASS(TDateTimePicker, TWinControl)
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  static void Publish(TPublisher<TDateTimePicker>& P);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  TDTDateFormat DateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat Value);
  // The format the date shows in; empty for the locale's.
  const String& Format() const { return FFormat; }
  void SetFormat(const String& Value);
  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  bool ShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool Value);
  TNotifyEvent OnChange;

 private:
  bool FChecked = true;
  TDTDateFormat FDateFormat = dfShort;
  String FFormat;
  TDateTimeKind FKind = dtkDate;
  bool FShowCheckbox = false;
};

// A tree of items; the nodes a form file holds are kept as read.
class TTreeView : public TWinControl {
  GLS_CLASS(TTreeView, TWinControl)
 public:
  explicit TTreeView(TComponent* AOwner);
  static void Publish(TPublisher<TTreeView>& P);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { FHideSelection = Value; }
  Integer Indent() const { return FIndent; }
  void SetIndent(Integer Value) { FIndent = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value) { FRowSelect = Value; }
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value) { FShowButtons = Value; }
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value) { FShowLines = Value; }
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value) { FShowRoot = Value; }

 private:
  TBorderStyle FBorderStyle = bsSingle;
  bool FHideSelection = true;
  Integer FIndent = 19;
  bool FReadOnly = false;
  bool FRowSelect = false;
  bool FShowButtons = true;
  bool FShowLines = true;
  bool FShowRoot = true;
};

// A memo of formatted text; its lines are plain text here.
class TRichEdit : public TMemo {
  GLS_CLASS(TRichEdit, TMemo)
 public:
  explicit TRichEdit(TComponent* AOwner) : TMemo(AOwner) {}
  static void Publish(TPublisher<TRichEdit>& P);
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }

 private:
  bool FPlainText = false;
};

// A grid of texts; the cells are the program's, the column widths and
// row heights a form file gives are kept as read.
class TStringGrid : public TWinControl {
  GLS_CLASS(TStringGrid, TWinControl)
 public:
  explicit TStringGrid(TComponent* AOwner);
  static void Publish(TPublisher<TStringGrid>& P);
  Integer ColCount() const { return FColCount; }
  void SetColCount(Integer Value);
  Integer RowCount() const { return FRowCount; }
  void SetRowCount(Integer Value);
  Integer DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(Integer Value);
  Integer DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(Integer Value);
  Integer FixedCols() const { return FFixedCols; }
  void SetFixedCols(Integer Value);
  Integer FixedRows() const { return FFixedRows; }
  void SetFixedRows(Integer Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value) { FScrollBars = Value; }

 private:
  Integer FColCount = 5;
  Integer FRowCount = 5;
  Integer FDefaultColWidth = 64;
  Integer FDefaultRowHeight = 24;
  Integer FFixedCols = 1;
  Integer FFixedRows = 1;
  TScrollStyle FScrollBars = ssBoth;
};

// A grid of a data set's rows; its columns and data source are kept as read.
class TDBGrid : public TWinControl {
  GLS_CLASS(TDBGrid, TWinControl)
 public:
  explicit TDBGrid(TComponent* AOwner);
  static void Publish(TPublisher<TDBGrid>& P);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }

 private:
  bool FReadOnly = false;
};

enum TStackPanelOrientation : uint8_t { spoVertical, spoHorizontal };
GLS_ENUM_TYPEINFO(TStackPanelOrientation, "spoVertical", "spoHorizontal")
enum TStackPanelControlHorizontalPositioning : uint8_t { sphpLeft, sphpCenter, sphpRight, sphpFill };
GLS_ENUM_TYPEINFO(TStackPanelControlHorizontalPositioning, "sphpLeft", "sphpCenter", "sphpRight",
                  "sphpFill")
enum TStackPanelControlVerticalPositioning : uint8_t { spvpTop, spvpCenter, spvpBottom, spvpFill };
GLS_ENUM_TYPEINFO(TStackPanelControlVerticalPositioning, "spvpTop", "spvpCenter", "spvpBottom",
                  "spvpFill")

// A panel that stacks its controls; the positions a form file gives them
// are where the stacking put them, and its control list is kept as read.
class TStackPanel : public TPanel {
  GLS_CLASS(TStackPanel, TPanel)
 public:
  explicit TStackPanel(TComponent* AOwner) : TPanel(AOwner) {}
  static void Publish(TPublisher<TStackPanel>& P);
  TStackPanelControlHorizontalPositioning HorizontalPositioning() const { return FHorizontal; }
  void SetHorizontalPositioning(TStackPanelControlHorizontalPositioning Value) {
    FHorizontal = Value;
  }
  TStackPanelOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TStackPanelOrientation Value) { FOrientation = Value; }
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value) { FSpacing = Value; }
  TStackPanelControlVerticalPositioning VerticalPositioning() const { return FVertical; }
  void SetVerticalPositioning(TStackPanelControlVerticalPositioning Value) { FVertical = Value; }

 private:
  TStackPanelControlHorizontalPositioning FHorizontal = sphpLeft;
  TStackPanelOrientation FOrientation = spoVertical;
  Integer FSpacing = 2;
  TStackPanelControlVerticalPositioning FVertical = spvpTop;
};

}  // namespace Glossmith::inline Controls
