' Failures reach a script as the core raises them: number, source and text.
Dim theme, bag, stream, ignored, folder, contents, other
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

' A field tag of 5, of 0, and an object type where a name belongs.
For Each contents In Array(Chr(5) & Chr(0) & Chr(0), Chr(0) & Chr(0), Chr(2) & Chr(0) & Chr(0))
  bag.Contents = contents
  CheckEqual "malformed contents", Err.Source & ": " & Err.Description, "PropertyBagX: Invalid Contents Value"
  CheckError "malformed contents", 999
Next

' The objects are held in variables: Wine's script host can release a
' temporary argument of a failing call twice.
Set other = CreateObject("Scripting.Dictionary")
bag.WriteProperty "Dictionary", other
CheckError "writing an object that cannot persist itself", 13
ignored = bag.ReadProperty("Dictionary")
Check "nothing was stored", IsEmpty(ignored)
Set ignored = bag.ReadProperty("Missing", other)
CheckError "reading into an object that cannot persist itself", 13
Set other = CreateObject("StdFont")
bag.WriteProperty "Font", other
Set ignored = bag.ReadProperty("Font", other)
CheckError "reading into a font", 13
bag.WriteProperty "List", Array(1, 2)
CheckError "writing an array", 13
On Error Goto 0

Summary
