' Contents exchanged with the native build. The runner saved native-*.state
' with the native command line and compares what this script writes.
Dim bag, theme, fresh

' Native contents, set and read back unchanged, and a theme restored from them
' and saved again.
Set bag = CreateObject("rxTheme.PropertyBagX")
bag.Contents = ReadUnits("native-loaded.state")
WriteUnits "native-loaded.roundtrip.state", bag.Contents
Set theme = bag.ReadProperty("Theme")
CheckEqual "native state: ColorIndex", theme.ColorIndex, 1
CheckEqual "native state: theme name", theme.CurrentThemeName, "Harbor"
theme.Color("h1").UseCustomSettings = True
CheckEqual "native state: custom color", theme.Color("h1").Color, "#123456"
theme.Color("h1").UseCustomSettings = False
Set bag = CreateObject("rxTheme.PropertyBagX")
bag.WriteProperty "Theme", theme
WriteUnits "native-loaded.resaved.state", bag.Contents

' The same settings on a new theme as the runner gave the native build.
Set fresh = CreateObject("rxTheme.CTheme")
fresh.WorkingFolder = "/rxtheme/wf"
fresh.ColorIndex = 1
fresh.GraphIndex = 1
fresh.IncludePath = True
fresh.UseBackgroundImage = True
fresh.ThemesFolder = "themes"
fresh.CurrentThemeName = "Harbor"
fresh.CurrentThemeFile = "harbor.elm"
fresh.Color("h1").Color = "#123456"
fresh.Graph("navtxthome").FontFamily = "Verdana"
fresh.Base("body").Color = "#654321"
Set bag = CreateObject("rxTheme.PropertyBagX")
bag.WriteProperty "Theme", fresh
WriteUnits "windows-fresh.state", bag.Contents

' A theme loaded here, for the native build to restore.
Set theme = CreateObject("rxTheme.CTheme")
theme.WorkingFolder = DataPath("work-exchange")
theme.Load DataPath("harbor.elm")
' As the native load does: the variants set through the theme after loading.
theme.ColorIndex = 0
theme.GraphIndex = 0
theme.Color("h1").UseCustomSettings = True
theme.Color("h1").Color = "#123456"
Set bag = CreateObject("rxTheme.PropertyBagX")
bag.WriteProperty "Theme", theme
WriteUnits "windows-loaded.state", bag.Contents
Check "states written", Fso.FileExists(DataPath("windows-loaded.state"))

Summary
