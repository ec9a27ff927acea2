object vpiLNMail: TvpiLNMail
  OldCreateOrder = False
  Commands = <>
  Version = '6.0 Professional'
  Left = 192
  Top = 107
  Height = 150
  Width = 215
end
