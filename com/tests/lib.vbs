' Shared helpers of the automation tests, placed by the runner in front of
' every test script. Argument 0 is the folder of the run's input and output
' files. The script's last line is its summary, "N passed, M failed".
Option Explicit
Dim Passed, Failed, DataDir, Fso
Passed = 0: Failed = 0
DataDir = WScript.Arguments(0)
Set Fso = CreateObject("Scripting.FileSystemObject")

' Counts one check; a failed one is shown as its name and `detail`.
Sub Tally(ok, name, detail)
  If ok Then Passed = Passed + 1 Else Failed = Failed + 1: WScript.Echo "FAIL: " & name & detail
End Sub

Sub Check(name, condition)
  Tally condition, name, ""
End Sub

Sub CheckEqual(name, actual, expected)
  Tally actual = expected, name, ": got [" & actual & "], expected [" & expected & "]"
End Sub

' Checks the error left by the statement before it (under On Error Resume
' Next), then clears it.
Sub CheckError(name, number)
  Tally Err.Number = number, name, ": error " & Err.Number & " (" & Err.Description & "), expected " & number
  Err.Clear
End Sub

Function DataPath(name)
  DataPath = Fso.BuildPath(DataDir, name)
End Function

' Contents values as files: the units in order, little-endian, exactly the
' byte image of the value. The text stream in Unicode mode reads the units
' unchanged; when writing it puts a byte-order mark first, which the runner
' removes.
Function ReadUnits(name)
  Dim stream
  Set stream = Fso.OpenTextFile(DataPath(name), 1, False, -1)
  If stream.AtEndOfStream Then ReadUnits = "" Else ReadUnits = stream.ReadAll
  stream.Close
End Function

Sub WriteUnits(name, units)
  Dim stream
  Set stream = Fso.CreateTextFile(DataPath(name), True, True)
  stream.Write units
  stream.Close
End Sub

Sub Summary()
  WScript.Echo Passed & " passed, " & Failed & " failed"
  If Failed > 0 Then WScript.Quit 1 Else WScript.Quit 0
End Sub
