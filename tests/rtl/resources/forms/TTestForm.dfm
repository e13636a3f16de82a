object TestForm: TTestForm
  Left = 0
  Top = 0
  Caption = 'Test'
end
