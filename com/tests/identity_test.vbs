' One COM object per core object: asking again gives the same object.
Dim theme, other, bag, body
Set theme = CreateObject("rxTheme.CTheme")
Set body = theme.Color("body")
Check "Color in any letter case", body Is theme.Color("BODY")
Check "Graph twice", theme.Graph("navtxthome") Is theme.Graph("NavTxtHome")
Check "Base: both spellings of the top bar", theme.Base("topbarfont") Is theme.Base("topbar-font")
Check "different styles differ", Not (body Is theme.Color("h1"))
Check "another theme's object differs", Not (body Is CreateObject("rxTheme.CTheme").Color("body"))
Check "an unknown style gives Nothing", theme.Color("nosuch") Is Nothing
Check "a color style is no graphics style", theme.Graph("body") Is Nothing

' A change through one reference is seen through the other.
body.Color = "#ABCDEF"
body.UseCustomSettings = True
CheckEqual "shared state", theme.Color("Body").Color, "#ABCDEF"

' Reading into an existing object fills and returns that same object.
Set bag = CreateObject("rxTheme.PropertyBagX")
bag.WriteProperty "Theme", theme
Set other = CreateObject("rxTheme.CTheme")
Check "the default object comes back", bag.ReadProperty("Theme", other) Is other
CheckEqual "and holds the stored values", other.Color("body").Color, "#ABCDEF"
Check "an absent name returns the default object", bag.ReadProperty("Absent", other) Is other
Check "reading without a default makes a new object", Not (bag.ReadProperty("Theme") Is theme)

Summary
