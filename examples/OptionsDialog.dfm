object OptionsDialog: TOptionsDialog
  Left = 245
  Top = 108
  BorderStyle = bsDialog
  Caption = 'Options'
  ClientHeight = 214
  ClientWidth = 320
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object GroupView: TGroupBox
    Left = 8
    Top = 8
    Width = 304
    Height = 89
    Caption = ' View '
    TabOrder = 0
    object CheckGrid: TCheckBox
      Left = 12
      Top = 20
      Width = 200
      Height = 17
      Caption = 'Show &grid lines'
      TabOrder = 0
    end
    object CheckConfirm: TCheckBox
      Left = 12
      Top = 44
      Width = 200
      Height = 17
      Caption = '&Confirm before deleting'
      Checked = True
      State = cbChecked
      TabOrder = 1
    end
  end
  object RadioSort: TRadioGroup
    Left = 8
    Top = 104
    Width = 304
    Height = 65
    Caption = ' Sort contacts by '
    ItemIndex = 0
    Items.Strings = (
      'Name'
      'E-mail')
    TabOrder = 1
  end
  object ButtonOK: TButton
    Left = 156
    Top = 180
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
  object ButtonCancel: TButton
    Left = 237
    Top = 180
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
  object TranslatorFrench: TGlossmith
    FileName = 'translations.txt'
    Locale = 12
    Translate = False
    TranslateEmpty = False
    Left = 16
    Top = 176
    Storage = 0
  end
  object TranslatorGerman: TGlossmith
    FileName = 'translations.txt'
    Locale = 7
    Translate = False
    TranslateEmpty = False
    Left = 48
    Top = 176
    Storage = 0
  end
end
