// The further standard controls: what a kind gives a bitmap button, speed
// buttons of a group, a labelled edit's label, a spin edit's value, and that
// real forms' values of each class read and write back as they were.
#include <gtest/gtest.h>

#include "host/controls/Buttons.h"
#include "host/controls/Edits.h"
#include "host/controls/Forms.h"
#include "host/controls/MoreCtrls.h"
#include "host/formfiles/FormFiles.h"

namespace {

String Lines(std::initializer_list<const char*> lines) {
  String out;
  for (const char* l : lines) out += String(l) + "\r\n";
  return out;
}

TEST(ButtonsEditsTest, AltAndTheAcceleratorOfASpeedButtonOrALabelledEditAct) {
  TForm form(nullptr);
  auto* speed = new TSpeedButton(&form);
  speed->SetParent(&form);
  speed->SetCaption("&Bold");
  int clicks = 0;
  speed->OnClick = [&](TObject*) { ++clicks; };
  auto* edit = new TLabeledEdit(&form);
  edit->SetParent(&form);
  edit->EditLabel()->SetCaption("&Name:");
  EXPECT_TRUE(form.DialogChar('b'));
  EXPECT_EQ(clicks, 1);
  speed->SetEnabled(false);
  EXPECT_FALSE(form.DialogChar('b')) << "a disabled speed button takes no accelerator";
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(form.DialogChar('n')) << "the edit's label moves the focus to it";
}

TEST(ButtonsEditsTest, ABitmapButtonsKindGivesItsCaptionAndResult) {
  TForm form(nullptr);
  auto* ok = new TBitBtn(&form);
  ok->SetParent(&form);
  ok->SetKind(bkOK);
  EXPECT_EQ(ok->Caption(), "OK");
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Default());
  EXPECT_FALSE(ok->IsCustomCaption());
  ok->SetCaption("&Fine");
  EXPECT_TRUE(ok->IsCustomCaption());

  // A file leaves out the caption its kind gives; reading gives it back.
  std::unique_ptr<TComponent> read(ReadFormFromString(Lines({
      "object Form1: TForm",
      "  object Cancel: TBitBtn",
      "    Left = 8",
      "    Top = 8",
      "    Width = 75",
      "    Height = 25",
      "    Kind = bkCancel",
      "    ModalResult = 2",
      "    TabOrder = 0",
      "  end",
      "  object Close: TBitBtn",
      "    Kind = bkClose",
      "  end",
      "end",
  })));
  auto* cancel = static_cast<TBitBtn*>(read->FindComponent("Cancel"));
  EXPECT_EQ(cancel->Caption(), "Cancel");
  EXPECT_EQ(WriteFormToString(read.get()).find("Caption"), String::npos);
  auto* form2 = static_cast<TForm*>(read.get());
  form2->Show();
  static_cast<TBitBtn*>(read->FindComponent("Close"))->Click();
  EXPECT_FALSE(form2->Visible()) << "a Close button closes its form";
}

TEST(ButtonsEditsTest, SpeedButtonsOfAGroupStayDownOneAtATime) {
  TForm form(nullptr);
  auto* a = new TSpeedButton(&form);
  auto* b = new TSpeedButton(&form);
  auto* free = new TSpeedButton(&form);
  for (TSpeedButton* s : {a, b, free}) s->SetParent(&form);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  int clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  a->Click();
  EXPECT_TRUE(a->Down());
  b->Click();
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  b->Click();
  EXPECT_TRUE(b->Down()) << "without AllowAllUp one stays down";
  b->SetAllowAllUp(true);
  b->Click();
  EXPECT_FALSE(b->Down());
  free->Click();
  EXPECT_FALSE(free->Down()) << "a button of no group does not stay down";
  EXPECT_EQ(clicks, 1);
}

TEST(ButtonsEditsTest, ALabelledEditsLabelIsPartOfItAndSitsBesideIt) {
  const String text = Lines({
      "object Form1: TForm",
      "  object Panel1: TPanel",
      "    Left = 0",
      "    Top = 0",
      "    Width = 300",
      "    Height = 200",
      "    TabOrder = 0",
      "    object Named: TLabeledEdit",
      "      Left = 8",
      "      Top = 40",
      "      Width = 121",
      "      Height = 21",
      "      EditLabel.Width = 60",
      "      EditLabel.Height = 13",
      "      EditLabel.Caption = '&Name'",
      "      TabOrder = 0",
      "      Text = 'Joe'",
      "    end",
      "  end",
      "end",
  });
  std::unique_ptr<TComponent> form(ReadFormFromString(text));
  auto* edit = static_cast<TLabeledEdit*>(form->FindComponent("Named"));
  ASSERT_NE(edit, nullptr);
  TBoundLabel* label = edit->EditLabel();
  EXPECT_EQ(label->Caption(), "&Name");
  EXPECT_EQ(label->Owner(), edit);
  EXPECT_EQ(label->Parent(), form->FindComponent("Panel1"));
  EXPECT_EQ(label->FocusControl(), edit);
  EXPECT_EQ(label->Left(), 8);
  EXPECT_EQ(label->Top(), 40 - 13 - 3);
  edit->SetLabelPosition(lpLeft);
  EXPECT_EQ(label->Left(), 8 - 60 - 3);
  edit->SetLabelPosition(lpAbove);
  edit->SetTop(60);
  EXPECT_EQ(label->Top(), 60 - 13 - 3);
  edit->SetTop(40);
  edit->Hide();
  EXPECT_FALSE(label->Visible());
  edit->Show();
  // Written back as read: the label under EditLabel, not as a reference or a child.
  const String written = WriteFormToString(form.get());
  EXPECT_EQ(written.substr(written.find("  object Panel1")),
            text.substr(text.find("  object Panel1")));
  // Its parent goes first: the edit keeps no dangling label.
  delete form->FindComponent("Panel1");
}

TEST(ButtonsEditsTest, ASpinEditsValueIsItsTextKeptInRange) {
  TForm form(nullptr);
  auto* spin = new TSpinEdit(&form);
  EXPECT_EQ(spin->Text(), "0");
  spin->SetValue(500);
  EXPECT_EQ(spin->Value(), 500) << "no range while both are 0";
  spin->SetMinValue(1);
  spin->SetMaxValue(10);
  spin->SetValue(500);
  EXPECT_EQ(spin->Text(), "10");
  spin->SetValue(-3);
  EXPECT_EQ(spin->Value(), 1);
  spin->SetText("abc");
  EXPECT_EQ(spin->Value(), 1) << "text that is not a number is the minimum";
}

TEST(ButtonsEditsTest, FurtherControlsReadAndWriteTheirValues) {
  const String text = Lines({
      "object Form1: TForm",
      "  object Edit1: TEdit",
      "    Left = 8",
      "    Top = 8",
      "    Width = 40",
      "    Height = 21",
      "    TabOrder = 0",
      "    Text = '3'",
      "  end",
      "  object UpDown1: TUpDown",
      "    Left = 48",
      "    Top = 8",
      "    Width = 16",
      "    Height = 21",
      "    Associate = Edit1",
      "    Max = 9",
      "    Position = 3",
      "    TabOrder = 1",
      "  end",
      "  object TrackBar1: TTrackBar",
      "    Left = 8",
      "    Top = 40",
      "    Width = 150",
      "    Height = 45",
      "    Max = 20",
      "    Position = 7",
      "    TabOrder = 2",
      "    TickStyle = tsNone",
      "  end",
      "  object Shape1: TShape",
      "    Left = 8",
      "    Top = 90",
      "    Width = 65",
      "    Height = 65",
      "    Brush.Color = clRed",
      "    Shape = stCircle",
      "  end",
      "  object Static1: TStaticText",
      "    Left = 8",
      "    Top = 160",
      "    Width = 40",
      "    Height = 17",
      "    Caption = '&Static'",
      "    TabOrder = 3",
      "  end",
      "  object Tree1: TTreeView",
      "    Left = 8",
      "    Top = 180",
      "    Width = 121",
      "    Height = 97",
      "    Indent = 19",
      "    TabOrder = 4",
      "    Items.NodeData = {0101000000}",
      "  end",
      "end",
  });
  std::unique_ptr<TComponent> form(ReadFormFromString(text));
  auto* updown = static_cast<TUpDown*>(form->FindComponent("UpDown1"));
  EXPECT_EQ(updown->Associate(), form->FindComponent("Edit1"));
  EXPECT_EQ(updown->Position(), 3);
  EXPECT_EQ(static_cast<TTrackBar*>(form->FindComponent("TrackBar1"))->TickStyle(), tsNone);
  EXPECT_EQ(static_cast<TShape*>(form->FindComponent("Shape1"))->Shape(), stCircle);
  EXPECT_EQ(static_cast<TStaticText*>(form->FindComponent("Static1"))->Caption(), "&Static");
  const String written = WriteFormToString(form.get());
  // What the host does not model (the shape's brush, the tree's nodes) is kept.
  EXPECT_NE(written.find("Brush.Color = clRed"), String::npos);
  EXPECT_NE(written.find("Items.NodeData = {"), String::npos);
  std::unique_ptr<TComponent> again(ReadFormFromString(written));
  EXPECT_EQ(WriteFormToString(again.get()), written);
  delete form->FindComponent("Edit1");
  EXPECT_EQ(updown->Associate(), nullptr);
}

}  // namespace
