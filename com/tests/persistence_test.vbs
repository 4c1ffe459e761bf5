' Saving and restoring through the property bag: plain values, a whole theme,
' nested settings objects, fonts and null references.
Dim bag, copy, theme, restored, font, again

' Plain values keep their types; a value equal to its default is left out.
Set bag = CreateObject("rxTheme.PropertyBagX")
Check "a new bag is one unit", Len(bag.Contents) = 1 And bag.Contents = Chr(0)
bag.WriteProperty "Short", CInt(7)
bag.WriteProperty "Long", CLng(70000)
bag.WriteProperty "Flag", True
bag.WriteProperty "Text", "a" & Chr(0) & "b"
bag.WriteProperty "Money", CCur(12.5)
bag.WriteProperty "Index", 0, 0
Set copy = CreateObject("rxTheme.PropertyBagX")
copy.Contents = bag.Contents
CheckEqual "integer type", TypeName(copy.ReadProperty("Short")), "Integer"
CheckEqual "long value", copy.ReadProperty("Long"), 70000
CheckEqual "long type", TypeName(copy.ReadProperty("Long")), "Long"
Check "boolean", copy.ReadProperty("Flag") = True
CheckEqual "a string with a zero unit", Len(copy.ReadProperty("Text")), 3
CheckEqual "currency", copy.ReadProperty("Money"), 12.5
CheckEqual "a default value is not stored", copy.ReadProperty("Index", 7), 7
Check "an absent name without a default is Empty", IsEmpty(copy.ReadProperty("Nothing here"))
CheckEqual "the contents travel unchanged", Len(copy.Contents), Len(bag.Contents)

' A null reference reads back as Nothing whatever the default.
bag.WriteProperty "Null", Nothing
copy.Contents = bag.Contents
Check "null reference", copy.ReadProperty("Null") Is Nothing
Check "null reference with a default", copy.ReadProperty("Null", CreateObject("rxTheme.CTheme")) Is Nothing

' A whole theme with switches, indexes and custom values.
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
Set copy = CreateObject("rxTheme.PropertyBagX")
copy.Contents = bag.Contents
Set restored = copy.ReadProperty("Theme")
CheckEqual "restored ColorIndex", restored.ColorIndex, 1
CheckEqual "restored GraphIndex", restored.GraphIndex, 1
Check "restored switches", restored.IncludePath And restored.UseBackgroundImage
CheckEqual "restored name", restored.CurrentThemeName, "Harbor"
CheckEqual "restored folder", restored.WorkingFolder, theme.WorkingFolder
CheckEqual "restored custom color", restored.Color("h2").Color, "#010203"
CheckEqual "restored custom font", restored.Base("h1").FontFamily, "Serif Custom"
CheckEqual "restored theme color", restored.Color("body").Color, theme.Color("body").Color
CheckEqual "restored picture", restored.Graph("navtxtnext").NavButtonNextHovered, _
    theme.Graph("navtxtnext").NavButtonNextHovered
CheckEqual "saving the restored theme gives the same contents", SaveTheme(restored), bag.Contents

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
Dim fontName, fontSize: fontName = font.Name: fontSize = font.Size
bag.WriteProperty "Font", font
copy.Contents = bag.Contents
Set again = copy.ReadProperty("Font")
CheckEqual "font type", TypeName(again), "Font"
CheckEqual "font name", again.Name, fontName
CheckEqual "font size", again.Size, fontSize
Check "font styles", again.Bold And again.Italic And again.Underline And Not again.Strikethrough
CheckEqual "font weight", again.Weight, font.Weight

' A plain font stores only its name and size.
Set font = CreateObject("StdFont")
font.Weight = 0
Set bag = CreateObject("rxTheme.PropertyBagX")
bag.WriteProperty "Font", font
Set again = CreateObject("rxTheme.PropertyBagX")
again.WriteProperty "Name", font.Name
again.WriteProperty "Size", font.Size
Dim nested: nested = again.Contents
Check "a plain font's nested contents", InStr(bag.Contents, nested) > 0 And _
    Len(bag.Contents) = 2 * 3 + Len("Font") + Len("Font") + 3 + Len(nested)

Summary

Function SaveTheme(t)
  Dim b
  Set b = CreateObject("rxTheme.PropertyBagX")
  b.WriteProperty "Theme", t
  SaveTheme = b.Contents
End Function
