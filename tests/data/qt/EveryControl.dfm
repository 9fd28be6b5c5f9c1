object EveryControl: TForm
  Left = 100
  Top = 80
  BorderStyle = bsSingle
  Caption = 'Every control'
  ClientHeight = 480
  ClientWidth = 640
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Menu = MainMenu1
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 8
    Top = 40
    Width = 60
    Height = 13
    Caption = '&Name:'
    FocusControl = Edit1
  end
  object Edit1: TEdit
    Left = 72
    Top = 36
    Width = 121
    Height = 21
    Hint = 'The name|The name of the person'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 0
    Text = 'Ada'
  end
  object Memo1: TMemo
    Left = 8
    Top = 64
    Width = 185
    Height = 57
    Lines.Strings = (
      'one'
      'two')
    TabOrder = 1
  end
  object Button1: TButton
    Left = 200
    Top = 36
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    TabOrder = 2
  end
  object CheckBox1: TCheckBox
    Left = 200
    Top = 68
    Width = 97
    Height = 17
    Caption = 'Check &me'
    State = cbChecked
    TabOrder = 3
  end
  object RadioButton1: TRadioButton
    Left = 200
    Top = 92
    Width = 113
    Height = 17
    Caption = 'Radio'
    TabOrder = 4
  end
  object RadioGroup1: TRadioGroup
    Left = 320
    Top = 36
    Width = 150
    Height = 85
    Caption = 'Size'
    ItemIndex = 1
    Items.Strings = (
      'Small'
      'Large')
    TabOrder = 5
  end
  object GroupBox1: TGroupBox
    Left = 480
    Top = 36
    Width = 150
    Height = 85
    Caption = 'Group'
    TabOrder = 6
    object Bevel1: TBevel
      Left = 8
      Top = 20
      Width = 130
      Height = 50
      Shape = bsFrame
    end
  end
  object Panel1: TPanel
    Left = 8
    Top = 128
    Width = 185
    Height = 41
    Caption = 'A panel'
    TabOrder = 7
  end
  object ListBox1: TListBox
    Left = 200
    Top = 128
    Width = 113
    Height = 57
    ItemHeight = 13
    Items.Strings = (
      'alpha'
      'beta'
      'gamma')
    TabOrder = 8
  end
  object ComboBox1: TComboBox
    Left = 320
    Top = 128
    Width = 145
    Height = 21
    Style = csDropDownList
    Items.Strings = (
      'red'
      'green')
    TabOrder = 9
  end
  object TabbedNotebook1: TTabbedNotebook
    Left = 8
    Top = 192
    Width = 200
    Height = 100
    TabFont.Charset = DEFAULT_CHARSET
    TabFont.Color = clBtnText
    TabFont.Height = -11
    TabFont.Name = 'MS Sans Serif'
    TabFont.Style = []
    TabOrder = 10
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'First'
      object LabelOnPage: TLabel
        Left = 8
        Top = 8
        Width = 80
        Height = 13
        Caption = 'On the first page'
      end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Second'
    end
  end
  object PageControl1: TPageControl
    Left = 216
    Top = 192
    Width = 200
    Height = 100
    ActivePage = TabSheet2
    TabOrder = 11
    object TabSheet1: TTabSheet
      Caption = 'One'
    end
    object TabSheet2: TTabSheet
      Caption = 'Two'
    end
  end
  object ListView1: TListView
    Left = 424
    Top = 192
    Width = 208
    Height = 100
    Columns = <
      item
        Caption = 'Name'
        Width = 100
      end
      item
        Caption = 'Phone'
        Width = 80
      end>
    TabOrder = 12
    ViewStyle = vsReport
  end
  object ToolBar1: TToolBar
    Left = 0
    Top = 0
    Width = 640
    Height = 29
    Caption = 'ToolBar1'
    ShowCaptions = True
    TabOrder = 13
    object ToolButton1: TToolButton
      Left = 0
      Top = 2
      Caption = 'Open'
    end
  end
  object Splitter1: TSplitter
    Left = 0
    Top = 29
    Height = 432
  end
  object Image1: TImage
    Left = 232
    Top = 300
    Width = 32
    Height = 32
    Picture.Data = {
      0954506E67496D61676589504E470D0A1A0A0000000D49484452000000060000
      000408020000002266D9140000001149444154789C63382127878618C8150200
      AEA918619762BC1E0000000049454E44AE426082}
  end
  object Image2: TImage
    Left = 272
    Top = 300
    Width = 32
    Height = 32
    Picture.Data = {
      07544269746D61704E000000424D4E0000000000000036000000280000000300
      000002000000010018000000000018000000130B0000130B0000000000000000
      00001EC81E1EC81E1EC81E0000001EC81E1EC81E1EC81E000000}
  end
  object Image3: TImage
    Left = 312
    Top = 300
    Width = 32
    Height = 32
  end
  object Tree1: TVirtualStringTree
    Left = 352
    Top = 300
    Width = 120
    Height = 80
    TabOrder = 14
    object ButtonInTree: TButton
      Left = 8
      Top = 40
      Width = 60
      Height = 25
      Caption = 'Inside'
      TabOrder = 0
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 461
    Width = 640
    Height = 19
    Panels = <
      item
        Text = 'Ready'
        Width = 100
      end
      item
        Text = 'Line 1'
        Width = 50
      end>
  end
  object MainMenu1: TMainMenu
    Left = 600
    Top = 400
    object MenuFile: TMenuItem
      Caption = '&File'
      object MenuOpen: TMenuItem
        Caption = '&Open...'
        ShortCut = 16463
      end
    end
  end
  object PopupMenu1: TPopupMenu
    Left = 560
    Top = 400
    object PopupCopy: TMenuItem
      Caption = '&Copy'
    end
  end
  object Timer1: TTimer
    Left = 520
    Top = 400
  end
end
