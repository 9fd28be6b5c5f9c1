#include "host/controls/MoreCtrls.h"

#include <algorithm>

namespace Glossmith::inline Controls {

GLS_IMPLEMENT_CLASS(TUpDown)
GLS_IMPLEMENT_CLASS(TTrackBar)
GLS_IMPLEMENT_CLASS(TScrollBar)
GLS_IMPLEMENT_CLASS(TShape)
GLS_IMPLEMENT_CLASS(TStaticText)
GLS_IMPLEMENT_CLASS(TColorBox)
GLS_IMPLEMENT_CLASS(TDateTimePicker)
GLS_IMPLEMENT_CLASS(TTreeView)
GLS_IMPLEMENT_CLASS(TRichEdit)
GLS_IMPLEMENT_CLASS(TStringGrid)
GLS_IMPLEMENT_CLASS(TDBGrid)
GLS_IMPLEMENT_CLASS(TStackPanel)

namespace {

// What every windowed control below publishes around its own properties.
template <class T>
void PublishWindowed(TPublisher<T>& P, bool color) {
  P.Publish({"Align", "Anchors", "BiDiMode"});
  if (color) P.Publish("Color");
  P.Publish({"Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font",
             "ParentBiDiMode"});
  if (color) P.Publish("ParentColor");
  P.Publish({"ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder"});
}

template <class T>
void PublishWindowedTail(TPublisher<T>& P, bool tabStop) {
  if (tabStop)
    P.Publish("TabStop").Default(true);
  else
    P.Publish("TabStop");
  P.Publish({"Visible", "OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
             "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

}  // namespace

// ---------------------------------------------------------------------------
// TUpDown

void TUpDown::Publish(TPublisher<TUpDown>& P) {
  using U = TUpDown;
  P.Enum("AlignButton", &U::AlignButton, &U::SetAlignButton).Default(udRight);
  P.Publish("Anchors");
  P.Bool("ArrowKeys", &U::ArrowKeys, &U::SetArrowKeys).Default(true);
  P.template ObjOf<TWinControl>("Associate", &U::Associate, &U::SetAssociate);
  P.Publish({"Enabled", "Hint"});
  P.Int("Increment", &U::Increment, &U::SetIncrement).Default(1);
  P.Int("Max", &U::Max, &U::SetMax).Default(100);
  P.Int("Min", &U::Min, &U::SetMin).Default(0);
  P.Enum("Orientation", &U::Orientation, &U::SetOrientation).Default(udVertical);
  P.Publish({"ParentShowHint", "PopupMenu"});
  P.Int("Position", &U::Position, &U::SetPosition).Default(0);
  P.Publish({"ShowHint", "TabOrder", "TabStop"});
  P.Bool("Thousands", &U::Thousands, &U::SetThousands).Default(true);
  P.Publish("Visible");
  P.Bool("Wrap", &U::Wrap, &U::SetWrap).Default(false);
  P.Publish({"OnClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 17, 25); }

void TUpDown::SetAssociate(TWinControl* Value) {
  if (FAssociate == Value) return;
  FAssociate = Value;
  if (Value) Value->FreeNotification(this);
}

void TUpDown::SetOrientation(TUDOrientation Value) {
  if (SetField(FOrientation, Value)) Changed();
}

void TUpDown::SetPosition(Integer Value) {
  if (SetField(FPosition, Value)) Changed();
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FAssociate) == AComponent)
    FAssociate = nullptr;
}

// ---------------------------------------------------------------------------
// TTrackBar

void TTrackBar::Publish(TPublisher<TTrackBar>& P) {
  using B = TTrackBar;
  PublishWindowed(P, false);
  P.Int("Frequency", &B::Frequency, &B::SetFrequency).Default(1);
  P.Int("LineSize", &B::LineSize, &B::SetLineSize).Default(1);
  P.Int("Max", &B::Max, &B::SetMax).Default(10);
  P.Int("Min", &B::Min, &B::SetMin).Default(0);
  P.Enum("Orientation", &B::Orientation, &B::SetOrientation).Default(trHorizontal);
  P.Int("PageSize", &B::PageSize, &B::SetPageSize).Default(2);
  P.Int("Position", &B::Position, &B::SetPosition).Default(0);
  P.Int("SelEnd", &B::SelEnd, &B::SetSelEnd).Default(0);
  P.Int("SelStart", &B::SelStart, &B::SetSelStart).Default(0);
  P.Enum("TickMarks", &B::TickMarks, &B::SetTickMarks).Default(tmBottomRight);
  P.Enum("TickStyle", &B::TickStyle, &B::SetTickStyle).Default(tsAuto);
  PublishWindowedTail(P, true);
  P.Event("OnChange", &B::OnChange);
}

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::SetMax(Integer Value) {
  if (SetField(FMax, Value)) Changed();
}
void TTrackBar::SetMin(Integer Value) {
  if (SetField(FMin, Value)) Changed();
}
void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (SetField(FOrientation, Value)) Changed();
}
void TTrackBar::SetTickMarks(TTickMark Value) {
  if (SetField(FTickMarks, Value)) Changed();
}
void TTrackBar::SetTickStyle(TTickStyle Value) {
  if (SetField(FTickStyle, Value)) Changed();
}
void TTrackBar::SetPosition(Integer Value) {
  if (!SetField(FPosition, Value)) return;
  Changed();
  if (!IsLoading() && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TScrollBar

void TScrollBar::Publish(TPublisher<TScrollBar>& P) {
  using B = TScrollBar;
  PublishWindowed(P, false);
  P.Enum("Kind", &B::Kind, &B::SetKind).Default(sbHorizontal);
  P.Int("LargeChange", &B::LargeChange, &B::SetLargeChange).Default(1);
  P.Int("Max", &B::Max, &B::SetMax).Default(100);
  P.Int("Min", &B::Min, &B::SetMin).Default(0);
  P.Int("PageSize", &B::PageSize, &B::SetPageSize).Default(0);
  P.Int("Position", &B::Position, &B::SetPosition).Default(0);
  P.Int("SmallChange", &B::SmallChange, &B::SetSmallChange).Default(1);
  PublishWindowedTail(P, true);
  P.Event("OnChange", &B::OnChange);
}

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 17);
  SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (SetField(FKind, Value)) Changed();
}
void TScrollBar::SetMax(Integer Value) {
  if (SetField(FMax, Value)) Changed();
}
void TScrollBar::SetMin(Integer Value) {
  if (SetField(FMin, Value)) Changed();
}
void TScrollBar::SetPosition(Integer Value) {
  if (!SetField(FPosition, Value)) return;
  Changed();
  if (!IsLoading() && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TShape

void TShape::Publish(TPublisher<TShape>& P) {
  P.Publish({"Align", "Anchors", "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled",
             "ParentShowHint"});
  P.Enum("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
  P.Publish({"ShowHint", "Visible", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 65); }

void TShape::SetShape(TShapeType Value) {
  if (SetField(FShape, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TStaticText

void TStaticText::Publish(TPublisher<TStaticText>& P) {
  using S = TStaticText;
  P.Publish({"Align", "Alignment", "Anchors"});
  P.Publish("AutoSize").Default(true);
  P.Publish("BiDiMode");
  P.Enum("BorderStyle", &S::BorderStyle, &S::SetBorderStyle).Default(sbsNone);
  P.Publish({"Caption", "Color", "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled"});
  P.template ObjOf<TWinControl>("FocusControl", &S::FocusControl, &S::SetFocusControl);
  P.Publish({"Font", "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu"});
  P.Bool("ShowAccelChar", &S::ShowAccelChar, &S::SetShowAccelChar).Default(true);
  P.Publish({"ShowHint", "TabOrder", "TabStop"});
  P.Bool("Transparent", &S::Transparent, &S::SetTransparent).Default(true);
  P.Publish({"Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TStaticText::TStaticText(TComponent* AOwner) : TWinControl(AOwner) {
  SetAutoSize(true);
  SetBounds(0, 0, 65, 17);
}

void TStaticText::SetBorderStyle(TStaticBorderStyle Value) {
  if (SetField(FBorderStyle, Value)) Changed();
}
void TStaticText::SetShowAccelChar(bool Value) {
  if (SetField(FShowAccelChar, Value)) Changed();
}
void TStaticText::SetTransparent(bool Value) {
  if (SetField(FTransparent, Value)) Changed();
}
void TStaticText::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TStaticText::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FFocusControl) == AComponent)
    FFocusControl = nullptr;
}

// ---------------------------------------------------------------------------
// TColorBox

void TColorBox::Publish(TPublisher<TColorBox>& P) {
  using C = TColorBox;
  P.IntOf("DefaultColorColor", TColorTypeInfo(), &C::DefaultColorColor, &C::SetDefaultColorColor)
      .Default(clBlack);
  P.IntOf("NoneColorColor", TColorTypeInfo(), &C::NoneColorColor, &C::SetNoneColorColor)
      .Default(clBlack);
  P.IntOf("Selected", TColorTypeInfo(), &C::Selected, &C::SetSelected).Default(clBlack);
  PublishWindowed(P, true);
  PublishWindowedTail(P, true);
  P.Event("OnChange", &C::OnChange);
}

TColorBox::TColorBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 145, 22);
  SetTabStop(true);
}

void TColorBox::SetSelected(TColor Value) {
  if (SetField(FSelected, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TDateTimePicker

void TDateTimePicker::Publish(TPublisher<TDateTimePicker>& P) {
  using D = TDateTimePicker;
  PublishWindowed(P, true);
  P.Bool("Checked", &D::Checked, &D::SetChecked).Default(true);
  P.Enum("DateFormat", &D::DateFormat, &D::SetDateFormat).Default(dfShort);
  P.Str("Format", &D::Format, &D::SetFormat);
  P.Enum("Kind", &D::Kind, &D::SetKind).Default(dtkDate);
  P.Bool("ShowCheckbox", &D::ShowCheckbox, &D::SetShowCheckbox).Default(false);
  PublishWindowedTail(P, true);
  P.Event("OnChange", &D::OnChange);
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
}

void TDateTimePicker::SetChecked(bool Value) {
  if (SetField(FChecked, Value)) Changed();
}
void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
  if (SetField(FDateFormat, Value)) Changed();
}
void TDateTimePicker::SetFormat(const String& Value) {
  if (SetField(FFormat, Value)) Changed();
}
void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (SetField(FKind, Value)) Changed();
}
void TDateTimePicker::SetShowCheckbox(bool Value) {
  if (SetField(FShowCheckbox, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TTreeView

void TTreeView::Publish(TPublisher<TTreeView>& P) {
  using V = TTreeView;
  P.Publish({"Align", "Anchors", "BiDiMode"});
  P.Enum("BorderStyle", &V::BorderStyle, &V::SetBorderStyle).Default(bsSingle);
  P.Publish({"Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled",
             "Font"});
  P.Bool("HideSelection", &V::HideSelection, &V::SetHideSelection).Default(true);
  P.Int("Indent", &V::Indent, &V::SetIndent);
  P.Publish("ParentBiDiMode");
  P.Publish("ParentColor").Default(false);
  P.Publish({"ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu"});
  P.Bool("ReadOnly", &V::ReadOnly, &V::SetReadOnly).Default(false);
  P.Bool("RowSelect", &V::RowSelect, &V::SetRowSelect).Default(false);
  P.Bool("ShowButtons", &V::ShowButtons, &V::SetShowButtons).Default(true);
  P.Publish("ShowHint");
  P.Bool("ShowLines", &V::ShowLines, &V::SetShowLines).Default(true);
  P.Bool("ShowRoot", &V::ShowRoot, &V::SetShowRoot).Default(true);
  P.Publish("TabOrder");
  PublishWindowedTail(P, true);
}

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

void TTreeView::SetBorderStyle(TBorderStyle Value) {
  if (SetField(FBorderStyle, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TRichEdit

void TRichEdit::Publish(TPublisher<TRichEdit>& P) {
  P.Bool("PlainText", &TRichEdit::PlainText, &TRichEdit::SetPlainText).Default(false);
}

// ---------------------------------------------------------------------------
// TStringGrid

void TStringGrid::Publish(TPublisher<TStringGrid>& P) {
  using G = TStringGrid;
  P.Publish({"Align", "Anchors", "BiDiMode", "Color"});
  P.Int("ColCount", &G::ColCount, &G::SetColCount).Default(5);
  P.Publish({"Constraints", "Ctl3D"});
  P.Int("DefaultColWidth", &G::DefaultColWidth, &G::SetDefaultColWidth).Default(64);
  P.Int("DefaultRowHeight", &G::DefaultRowHeight, &G::SetDefaultRowHeight).Default(24);
  P.Publish({"DragCursor", "DragKind", "DragMode", "Enabled"});
  P.Int("FixedCols", &G::FixedCols, &G::SetFixedCols).Default(1);
  P.Int("FixedRows", &G::FixedRows, &G::SetFixedRows).Default(1);
  P.Publish({"Font", "ParentBiDiMode"});
  P.Publish("ParentColor").Default(false);
  P.Publish({"ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu"});
  P.Int("RowCount", &G::RowCount, &G::SetRowCount).Default(5);
  P.Enum("ScrollBars", &G::ScrollBars, &G::SetScrollBars).Default(ssBoth);
  P.Publish({"ShowHint", "TabOrder"});
  PublishWindowedTail(P, true);
}

TStringGrid::TStringGrid(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
}

void TStringGrid::SetColCount(Integer Value) {
  if (SetField(FColCount, std::max<Integer>(Value, 1))) Changed();
}
void TStringGrid::SetRowCount(Integer Value) {
  if (SetField(FRowCount, std::max<Integer>(Value, 1))) Changed();
}
void TStringGrid::SetDefaultColWidth(Integer Value) {
  if (SetField(FDefaultColWidth, Value)) Changed();
}
void TStringGrid::SetDefaultRowHeight(Integer Value) {
  if (SetField(FDefaultRowHeight, Value)) Changed();
}
void TStringGrid::SetFixedCols(Integer Value) {
  if (SetField(FFixedCols, Value)) Changed();
}
void TStringGrid::SetFixedRows(Integer Value) {
  if (SetField(FFixedRows, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TDBGrid

void TDBGrid::Publish(TPublisher<TDBGrid>& P) {
  PublishWindowed(P, true);
  P.Bool("ReadOnly", &TDBGrid::ReadOnly, &TDBGrid::SetReadOnly).Default(false);
  PublishWindowedTail(P, true);
}

TDBGrid::TDBGrid(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
}

// ---------------------------------------------------------------------------
// TStackPanel

void TStackPanel::Publish(TPublisher<TStackPanel>& P) {
  using S = TStackPanel;
  P.Enum("HorizontalPositioning", &S::HorizontalPositioning, &S::SetHorizontalPositioning)
      .Default(sphpLeft);
  P.Enum("Orientation", &S::Orientation, &S::SetOrientation).Default(spoVertical);
  P.Int("Spacing", &S::Spacing, &S::SetSpacing).Default(2);
  P.Enum("VerticalPositioning", &S::VerticalPositioning, &S::SetVerticalPositioning)
      .Default(spvpTop);
}

}  // namespace Glossmith::inline Controls
