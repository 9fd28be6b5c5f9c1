object FormEditor: TFormEditor
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Form Translations Editor'
  ClientHeight = 375
  ClientWidth = 493
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -13
  Font.Name = 'Arial'
  Font.Style = []
  OldCreateOrder = True
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 16
  object BtnOK: TButton
    Left = 408
    Top = 336
    Width = 75
    Height = 25
    Caption = '&OK'
    ModalResult = 1
    OnClick = BtnOKClick
    TabOrder = 0
  end
  object BtnCancel: TButton
    Left = 328
    Top = 336
    Width = 75
    Height = 25
    Caption = '&Cancel'
    Cancel = True
    OnClick = BtnCancelClick
    TabOrder = 1
  end
  object FormNotebook: TTabbedNotebook
    Left = 10
    Top = 10
    Width = 473
    Height = 313
    PageIndex = 0
    TabFont.Charset = DEFAULT_CHARSET
    TabFont.Color = clBtnText
    TabFont.Height = -13
    TabFont.Name = 'Arial'
    TabFont.Style = []
    TabOrder = 2
    OnChange = FormNotebookChange
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Translations'
      object LblResList: TLabel
        Left = 8
        Top = 8
        Width = 200
        Height = 16
        Caption = 'Form properties to be translated'
      end
      object PropList: TListBox
        Left = 8
        Top = 24
        Width = 345
        Height = 121
        ItemHeight = 16
        MultiSelect = True
        Sorted = True
        ParentShowHint = False
        ShowHint = True
        Hint = 'These are the internationalized properties to be translated'
        TabOrder = 0
        OnClick = PropListClick
        OnKeyDown = PropListKeyDown
      end
      object BtnNew: TButton
        Left = 368
        Top = 24
        Width = 75
        Height = 25
        Caption = '&New'
        ParentShowHint = False
        ShowHint = True
        Hint = 'Specify a new property to be translated'
        OnClick = BtnNewClick
        TabOrder = 1
      end
      object BtnRemove: TButton
        Left = 368
        Top = 56
        Width = 75
        Height = 25
        Caption = '&Remove'
        ParentShowHint = False
        ShowHint = True
        Hint = 'Remove the property from the translation list'
        OnClick = BtnRemoveClick
        TabOrder = 2
      end
      object Label2: TLabel
        Left = 8
        Top = 152
        Width = 200
        Height = 16
        Caption = 'Original value of property'
      end
      object EdtOrgTranslation: TMemo
        Left = 8
        Top = 168
        Width = 433
        Height = 40
        TabStop = True
        Color = clBtnFace
        HideSelection = False
        ReadOnly = True
        TabOrder = 3
      end
      object LblTranslation: TLabel
        Left = 8
        Top = 214
        Width = 200
        Height = 16
        Caption = 'Translation'
      end
      object EdtTranslation: TMemo
        Left = 8
        Top = 230
        Width = 433
        Height = 40
        HideSelection = False
        WantTabs = True
        ParentShowHint = False
        ShowHint = True
        Hint = 'Edit the translation. Use PageUp/PageDown to move between properties'
        TabOrder = 4
        OnExit = EdtTranslationExit
        OnKeyDown = EdtTranslationKeyDown
      end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Options'
      object Bevel1: TBevel
        Left = 8
        Top = 8
        Width = 449
        Height = 73
      end
      object LblNrOfTranslations: TLabel
        Left = 16
        Top = 20
        Width = 200
        Height = 16
        Caption = 'Total nr of translations:'
        ParentFont = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
      end
      object LblTot: TLabel
        Left = 336
        Top = 20
        Width = 105
        Height = 16
        Alignment = taRightJustify
        AutoSize = False
        Caption = 'Nr of items'
      end
      object LblStringsLocalized: TLabel
        Left = 16
        Top = 48
        Width = 200
        Height = 16
        Caption = 'Nr of properties localized:'
        ParentFont = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
      end
      object LblLocalized: TLabel
        Left = 336
        Top = 48
        Width = 105
        Height = 16
        Alignment = taRightJustify
        AutoSize = False
        Caption = 'Nr of items'
      end
      object CkxMove: TCheckBox
        Left = 8
        Top = 96
        Width = 449
        Height = 17
        Caption = 'PageUp/PageDown moves to next untranslated property'
        Checked = True
        State = cbChecked
        TabOrder = 0
        OnClick = CkxMoveClick
      end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Font'
      object GroupDisplayFont: TGroupBox
        Left = 8
        Top = 8
        Width = 449
        Height = 57
        Caption = 'Display Font'
        TabOrder = 0
        object LblDisplayFont: TLabel
          Left = 16
          Top = 24
          Width = 300
          Height = 16
          Caption = 'Name of Font'
        end
        object BtnDisplayFont: TButton
          Left = 360
          Top = 20
          Width = 75
          Height = 25
          Caption = 'Select'
          OnClick = BtnDisplayFontClick
          TabOrder = 0
        end
      end
      object GroupEditFont: TGroupBox
        Left = 8
        Top = 72
        Width = 449
        Height = 57
        Caption = 'Edit Font'
        TabOrder = 1
        object LblEditFont: TLabel
          Left = 16
          Top = 24
          Width = 300
          Height = 16
          Caption = 'Name of Font'
        end
        object BtnEditFont: TButton
          Left = 360
          Top = 20
          Width = 75
          Height = 25
          Caption = 'Select'
          OnClick = BtnEditFontClick
          TabOrder = 0
        end
      end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Reading order'
      object GroupReadingOrder: TRadioGroup
        Left = 8
        Top = 8
        Width = 449
        Height = 73
        Caption = 'Reading Order'
        ItemIndex = 1
        Items.Strings = (
          'Right To Left (Arabic, Hebrew)'
          'Left to Right')
        TabOrder = 0
        OnClick = GroupReadingOrderClick
      end
      object GroupFarEastern: TGroupBox
        Left = 8
        Top = 88
        Width = 449
        Height = 73
        Caption = 'Far Eastern Input Method Editors'
        TabOrder = 1
        object Label1: TLabel
          Left = 16
          Top = 24
          Width = 417
          Height = 33
          AutoSize = False
          Caption = 'In Far Eastern Windows editions, set the IME functionality in the control panel. Activate the IME with Ctrl+Spacebar.'
          WordWrap = True
        end
      end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Form'
      object PropNotebook: TTabbedNotebook
        Left = 8
        Top = 8
        Width = 449
        Height = 249
        PageIndex = 0
        TabFont.Charset = DEFAULT_CHARSET
        TabFont.Color = clBtnText
        TabFont.Height = -13
        TabFont.Name = 'Arial'
        TabFont.Style = []
        TabOrder = 0
        object TTabPage
          Left = 4
          Top = 24
          Caption = 'Browser'
          object LblAvailableProps: TLabel
            Left = 8
            Top = 8
            Width = 200
            Height = 16
            Caption = 'Properties available'
          end
          object ListAvail: TListBox
            Left = 8
            Top = 24
            Width = 249
            Height = 185
            ItemHeight = 16
            MultiSelect = True
            ParentShowHint = False
            ShowHint = True
            Sorted = True
            TabOrder = 0
            OnClick = ListAvailClick
            OnMouseMove = ListAvailMouseMove
          end
          object GrpCommon: TGroupBox
            Left = 264
            Top = 24
            Width = 169
            Height = 89
            Caption = 'Common properties'
            TabOrder = 1
            object BtnSelect: TButton
              Left = 16
              Top = 24
              Width = 75
              Height = 25
              Caption = 'Select'
              Enabled = False
              ParentShowHint = False
              ShowHint = True
              Hint = 'Select the most common properties in the list'
              OnClick = BtnSelectClick
              TabOrder = 0
            end
            object CkxEmpty: TCheckBox
              Left = 16
              Top = 60
              Width = 145
              Height = 17
              Caption = 'Select empty properties'
              TabOrder = 1
            end
          end
          object GrpSelected: TGroupBox
            Left = 264
            Top = 120
            Width = 169
            Height = 89
            Caption = 'Selected properties'
            TabOrder = 2
            object BtnIncludeProp: TButton
              Left = 16
              Top = 24
              Width = 75
              Height = 25
              Caption = 'Include'
              Enabled = False
              ParentShowHint = False
              ShowHint = True
              Hint = 'Include the selected properties in the translation list.'
              OnClick = BtnIncludePropClick
              TabOrder = 0
            end
            object LblSelected: TLabel
              Left = 16
              Top = 60
              Width = 137
              Height = 16
              Caption = '%s Selected'
            end
          end
        end
        object TTabPage
          Left = 4
          Top = 24
          Caption = 'Common'
          object LblCommonProps: TLabel
            Left = 8
            Top = 8
            Width = 200
            Height = 16
            Caption = 'Common properties'
          end
          object CommonPropList: TListBox
            Left = 8
            Top = 24
            Width = 249
            Height = 185
            ItemHeight = 16
            Items.Strings = (
              'Caption'
              'Caption[*]'
              'Captions[*]'
              'Columns.Items[*].Title'
              'DisplayLabel'
              'FileName'
              'Hint'
              'Hints[*]'
              'Items[*]'
              'Lines[*]'
              'Pages[*]'
              'Panels.Items[*].Text'
              'SystemMenuClose'
              'SystemMenuMaximize'
              'SystemMenuMinimize'
              'SystemMenuMove'
              'SystemMenuNextWindow'
              'SystemMenuPrevWindow'
              'SystemMenuRestore'
              'SystemMenuSize'
              'SystemMenuTaskList'
              'Tabs[*]'
              'Text'
              'Translations[*]')
            Sorted = True
            TabOrder = 0
            OnClick = CommonPropListClick
          end
          object BtnAddCommon: TButton
            Left = 272
            Top = 24
            Width = 75
            Height = 25
            Caption = 'Add'
            ParentShowHint = False
            ShowHint = True
            Hint = 'Add a common property to the list'
            OnClick = BtnAddCommonClick
            TabOrder = 1
          end
          object BtnDeleteCommon: TButton
            Left = 272
            Top = 56
            Width = 75
            Height = 25
            Caption = 'Delete'
            Enabled = False
            ParentShowHint = False
            ShowHint = True
            Hint = 'Deletes the selected common property'
            OnClick = BtnDeleteCommonClick
            TabOrder = 2
          end
          object BtnSet: TButton
            Left = 272
            Top = 88
            Width = 75
            Height = 25
            Caption = 'Set'
            Enabled = False
            ParentShowHint = False
            ShowHint = True
            Hint = 'Save the current list of common properties to the registry'
            OnClick = BtnSetClick
            TabOrder = 3
          end
          object BtnDefault: TButton
            Left = 272
            Top = 120
            Width = 75
            Height = 25
            Caption = 'Default'
            ParentShowHint = False
            ShowHint = True
            Hint = 'Restore the original common properties'
            OnClick = BtnDefaultClick
            TabOrder = 4
          end
        end
      end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Dictionary'
      object Bevel4: TBevel
        Left = 8
        Top = 8
        Width = 449
        Height = 105
      end
      object LblTranslate: TLabel
        Left = 16
        Top = 20
        Width = 329
        Height = 33
        AutoSize = False
        Caption = 'Translate properties using the selected dictionary'
        WordWrap = True
      end
      object BtnTranslate: TButton
        Left = 360
        Top = 20
        Width = 75
        Height = 25
        Caption = 'Translate'
        OnClick = BtnTranslateClick
        TabOrder = 0
      end
      object LblExport: TLabel
        Left = 16
        Top = 68
        Width = 329
        Height = 33
        AutoSize = False
        Caption = 'Create or update a dictionary with translations'
        WordWrap = True
      end
      object BtnExport: TButton
        Left = 360
        Top = 68
        Width = 75
        Height = 25
        Caption = 'Export'
        OnClick = BtnExportClick
        TabOrder = 1
      end
      object Bevel5: TBevel
        Left = 8
        Top = 120
        Width = 449
        Height = 105
      end
      object LblLoad: TLabel
        Left = 16
        Top = 132
        Width = 329
        Height = 33
        AutoSize = False
        Caption = 'Load properties from an external textfile.'
        WordWrap = True
      end
      object BtnLoad: TButton
        Left = 360
        Top = 132
        Width = 75
        Height = 25
        Caption = 'Load'
        OnClick = BtnLoadClick
        TabOrder = 2
      end
      object LblSave: TLabel
        Left = 16
        Top = 180
        Width = 329
        Height = 33
        AutoSize = False
        Caption = 'Save current properties to an external textfile.'
        WordWrap = True
      end
      object BtnSave: TButton
        Left = 360
        Top = 180
        Width = 75
        Height = 25
        Caption = 'Save'
        OnClick = BtnSaveClick
        TabOrder = 3
      end
    end
  end
  object FontDialog1: TFontDialog
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Arial'
    Font.Style = []
    MinFontSize = 0
    MaxFontSize = 0
    Left = 16
    Top = 336
  end
  object OpenDialog1: TOpenDialog
    DefaultExt = 'txt'
    Filter = 'Dictionary (*.txt)|*.txt|All files (*.*)|*.*'
    Left = 48
    Top = 336
  end
  object SaveDialog1: TSaveDialog
    DefaultExt = 'txt'
    Filter = 'Dictionary (*.txt)|*.txt|All files (*.*)|*.*'
    Left = 80
    Top = 336
  end
end
