' Creation of the classes, a new theme's state, and the members that do no work.
Dim theme, bag, progId, ignored, result

Set theme = CreateObject("rxTheme.CTheme")
Set bag = CreateObject("rxTheme.PropertyBagX")
Check "a theme and a bag are created", IsObject(theme) And IsObject(bag)
Check "each creation gives a new object", Not (theme Is CreateObject("rxTheme.CTheme"))

On Error Resume Next
For Each progId In Array("rxTheme.CColorObject", "rxTheme.CGraphObject", _
                         "rxTheme.CThemeBaseObject", "rxTheme.IPropertyBagX", "rxTheme.CColor")
  Set ignored = CreateObject(progId)
  CheckError progId & " is refused", 429
Next
' The picker's window itself is driven by picker_test.exe; a script can only
' see what SelectTheme refuses: no theme, or an object that is no theme.
result = theme.SelectTheme(Nothing)
CheckError "SelectTheme(Nothing)", 91
result = theme.SelectTheme(bag)
CheckError "SelectTheme with a property bag", 13
On Error Goto 0

Check "new theme: UseThemeSettings", theme.UseThemeSettings = True
Check "new theme: switches off", Not (theme.UseCustomSettings Or theme.IncludePath Or theme.UseBackgroundImage)
CheckEqual "new theme: ColorIndex and GraphIndex", theme.ColorIndex & theme.GraphIndex, "00"
CheckEqual "new theme: strings", theme.WorkingFolder & theme.ThemesFolder & _
    theme.CurrentThemeName & theme.CurrentThemeFile, ""
Check "new theme: settings objects use the theme", theme.Color("body").UseThemeSettings And _
    theme.Graph("navtxthome").UseThemeSettings And theme.Base("h1").UseThemeSettings
CheckEqual "new theme: values empty before a load", theme.Color("body").Color & _
    theme.Graph("base").SeparatorImage & theme.Base("body").FontFamily, ""

' Values that only travel through the object: the arguments are passed by
' reference, as variables and as literals.
Dim name: name = "Harbor " & Chr(233)
theme.CurrentThemeName = name
theme.CurrentThemeFile = "C:\Themes\harbor\harbor.elm"
theme.UseBackgroundImage = True
theme.HelpFile = "C:\Help\rxtheme.chm"
CheckEqual "CurrentThemeName", theme.CurrentThemeName, name
CheckEqual "CurrentThemeFile", theme.CurrentThemeFile, "C:\Themes\harbor\harbor.elm"
Check "UseBackgroundImage", theme.UseBackgroundImage

result = theme.ClearTheme()
Check "ClearTheme returns Empty", IsEmpty(result)
CheckEqual "ClearTheme keeps the values", theme.CurrentThemeName, name

Summary
