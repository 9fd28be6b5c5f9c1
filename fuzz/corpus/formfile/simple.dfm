object Form1: TForm1
  Caption = 'Hi'#13#10'there'
  object Button1: TButton
    Left = 8
    OnClick = Button1Click
  end
end
