' Saving and restoring through the property bag: plain values, a whole theme,
' nested settings objects, fonts and null references.
Dim bag, copy, theme, restored, font, again, item, values

' Plain values keep their types and values; a value equal to its default is
' left out.
Set bag = CreateObject("rxTheme.PropertyBagX")
CheckEqual "a new bag is the one unit 0", bag.Contents, Chr(0)
values = Array(Array("Short", CInt(7), "Integer"), Array("Long", CLng(70000), "Long"), _
               Array("Flag", True, "Boolean"), Array("Text", "a" & Chr(0) & "b", "String"), _
               Array("Money", CCur(12.5), "Currency"))
For Each item In values
  bag.WriteProperty item(0), item(1)
Next
bag.WriteProperty "Index", 0, 0
Set copy = CreateObject("rxTheme.PropertyBagX")
copy.Contents = bag.Contents
For Each item In values
  CheckEqual item(0), TypeName(copy.ReadProperty(item(0))) & " " & copy.ReadProperty(item(0)), _
             item(2) & " " & item(1)
Next
CheckEqual "a default value is not stored", copy.ReadProperty("Index", 7), 7
Check "an absent name without a default is Empty", IsEmpty(copy.ReadProperty("Nothing here"))
CheckEqual "the contents travel unchanged", copy.Contents, bag.Contents

' A null reference reads back as Nothing whatever the default.
bag.WriteProperty "Null", Nothing
copy.Contents = bag.Contents
Check "null reference", copy.ReadProperty("Null") Is Nothing
Check "null reference with a default", copy.ReadProperty("Null", CreateObject("rxTheme.CTheme")) Is Nothing

' A whole theme with switches, indexes and custom values; saving the restored
' theme gives the same contents.
Set theme = CreateObject("rxTheme.CTheme")
theme.WorkingFolder = DataPath("work-persistence")
theme.Load DataPath("harbor.elm")
theme.ColorIndex = 1
theme.GraphIndex = 1
theme.IncludePath = True
theme.UseBackgroundImage = True
theme.CurrentThemeName = "Harbor"
theme.Color("h2").UseCustomSettings = True
theme.Color("h2").Color = "#010203"
theme.Base("h1").UseCustomSettings = True
theme.Base("h1").FontFamily = "Serif Custom"
Set bag = CreateObject("rxTheme.PropertyBagX")
bag.WriteProperty "Theme", theme
copy.Contents = bag.Contents
Set restored = copy.ReadProperty("Theme")
CheckEqual "restored indexes", restored.ColorIndex & restored.GraphIndex, "11"
Check "restored switches", restored.IncludePath And restored.UseBackgroundImage
CheckEqual "restored name", restored.CurrentThemeName, "Harbor"
CheckEqual "restored folder", restored.WorkingFolder, theme.WorkingFolder
CheckEqual "restored custom values", restored.Color("h2").Color & restored.Base("h1").FontFamily, _
    "#010203Serif Custom"
CheckEqual "restored picture", restored.Graph("navtxtnext").NavButtonNextHovered, _
    theme.Graph("navtxtnext").NavButtonNextHovered
Set again = CreateObject("rxTheme.PropertyBagX")
again.WriteProperty "Theme", restored
CheckEqual "saving the restored theme gives the same contents", again.Contents, bag.Contents

' A settings object on its own comes back as a new object of its class.
bag.WriteProperty "Heading", theme.Color("h2")
copy.Contents = bag.Contents
Set again = copy.ReadProperty("Heading")
CheckEqual "nested settings object", again.Color, "#010203"
Check "a new object", Not (again Is theme.Color("h2"))

' A font: the values it reported before it was saved come back.
Set font = CreateObject("StdFont")
font.Name = "Courier New"
font.Size = 13
font.Bold = True
font.Italic = True
font.Underline = True
Dim reported: reported = "Font " & font.Name & " " & font.Size & " " & font.Weight
bag.WriteProperty "Font", font
copy.Contents = bag.Contents
Set again = copy.ReadProperty("Font")
CheckEqual "font", TypeName(again) & " " & again.Name & " " & again.Size & " " & again.Weight, reported
Check "font styles", again.Bold And again.Italic And again.Underline And Not again.Strikethrough

' A plain font stores only its name and size.
Set font = CreateObject("StdFont")
font.Weight = 0
Set bag = CreateObject("rxTheme.PropertyBagX")
bag.WriteProperty "Font", font
Set again = CreateObject("rxTheme.PropertyBagX")
again.WriteProperty "Name", font.Name
again.WriteProperty "Size", font.Size
Check "a plain font's nested contents", InStr(bag.Contents, again.Contents) > 0 And _
    Len(bag.Contents) = 2 * 3 + Len("Font") + Len("Font") + 3 + Len(again.Contents)

Summary
