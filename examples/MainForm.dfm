object MainForm: TMainForm
  Left = 192
  Top = 114
  Width = 560
  Height = 400
  Caption = 'Address Book'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Menu = MainMenu1
  PixelsPerInch = 96
  TextHeight = 13
  object LabelSearch: TLabel
    Left = 8
    Top = 12
    Width = 37
    Height = 13
    Caption = '&Search:'
    FocusControl = EditSearch
  end
  object EditSearch: TEdit
    Left = 56
    Top = 8
    Width = 209
    Height = 21
    Hint = 'Type a name to find it in the list'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 0
  end
  object ButtonAdd: TButton
    Left = 280
    Top = 6
    Width = 75
    Height = 25
    Caption = '&Add...'
    TabOrder = 1
    OnClick = ButtonAddClick
  end
  object ButtonDelete: TButton
    Left = 364
    Top = 6
    Width = 75
    Height = 25
    Caption = '&Delete'
    TabOrder = 2
  end
  object ButtonClose: TButton
    Left = 448
    Top = 6
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Close'
    TabOrder = 3
    OnClick = ButtonCloseClick
  end
  object ListViewContacts: TListView
    Left = 8
    Top = 40
    Width = 515
    Height = 277
    Columns = <
      item
        Caption = 'Name'
        Width = 160
      end
      item
        Caption = 'Phone'
        Width = 110
      end
      item
        Caption = 'E-mail'
        Width = 200
      end>
    TabOrder = 4
    ViewStyle = vsReport
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 327
    Width = 552
    Height = 19
    Panels = <
      item
        Text = 'Ready'
        Width = 200
      end
      item
        Text = 'No contacts'
        Width = 50
      end>
  end
  object MainMenu1: TMainMenu
    Left = 472
    Top = 56
    object MenuFile: TMenuItem
      Caption = '&File'
      object MenuOpen: TMenuItem
        Caption = '&Open...'
        ShortCut = 16463
      end
      object MenuOptions: TMenuItem
        Caption = 'O&ptions...'
      end
      object MenuExit: TMenuItem
        Caption = 'E&xit'
      end
    end
    object MenuHelp: TMenuItem
      Caption = '&Help'
      object MenuAbout: TMenuItem
        Caption = '&About...'
      end
    end
  end
  object TranslatorFrench: TGlossmith
    FileName = 'translations.txt'
    Locale = 12
    Translate = False
    TranslateEmpty = False
    Left = 472
    Top = 96
    Storage = 0
  end
  object TranslatorGerman: TGlossmith
    FileName = 'translations.txt'
    Locale = 7
    Translate = False
    TranslateEmpty = False
    Left = 504
    Top = 96
    Storage = 0
  end
end
