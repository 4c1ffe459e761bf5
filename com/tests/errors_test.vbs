' Failures reach a script as the core raises them: number, source and text.
Dim theme, bag, stream, ignored, folder
Set theme = CreateObject("rxTheme.CTheme")
Set bag = CreateObject("rxTheme.PropertyBagX")

On Error Resume Next
theme.ColorIndex = 2
ignored = theme.Color("body").Color
CheckEqual "bad variant: source", Err.Source, "rxTheme"
CheckError "reading a color of variant 2", 9
theme.GraphIndex = -1
ignored = theme.Graph("base").SeparatorImage
CheckError "reading a picture of variant -1", 9
theme.ColorIndex = 0
theme.GraphIndex = 0

Set stream = Fso.CreateTextFile(DataPath("bad-header.elm"), True)
stream.Write "1.0"
stream.Close
folder = DataPath("work-errors")
theme.WorkingFolder = folder
ignored = theme.Load(DataPath("bad-header.elm"))
CheckError "a package header without line ends", 5
ignored = theme.Load(DataPath("no-such-folder\theme.elm"))
CheckError "a package in a missing folder", 76

bag.Contents = Chr(5) & Chr(0) & Chr(0)
CheckEqual "malformed contents: description", Err.Description, "Invalid Contents Value"
CheckEqual "malformed contents: source", Err.Source, "PropertyBagX"
CheckError "a field tag of 5", 999
bag.Contents = Chr(0) & Chr(0)
CheckError "a field tag of 0", 999
bag.Contents = Chr(2) & Chr(0) & Chr(0)
CheckError "an object type where a name belongs", 999

bag.WriteProperty "Dictionary", CreateObject("Scripting.Dictionary")
CheckError "writing an object that cannot persist itself", 13
ignored = bag.ReadProperty("Dictionary")
Check "nothing was stored", IsEmpty(ignored)
Set ignored = bag.ReadProperty("Missing", CreateObject("Scripting.Dictionary"))
CheckError "reading into an object that cannot persist itself", 13
bag.WriteProperty "Font", CreateObject("StdFont")
Set ignored = bag.ReadProperty("Font", CreateObject("StdFont"))
CheckError "reading into a font", 13
bag.WriteProperty "List", Array(1, 2)
CheckError "writing an array", 13
On Error Goto 0

Summary
