object A: TX
  Cols = <
    item
      Sub = <
        item
        end>
    end>
  Data = {
    0A0B0C}
  S = [a, b]
  N = Null
  F = 1.5E+003
  H = $FF
  D = 45000.5d
  R = fmMain.Popup
end
