' Run after regsvr32 /u: the classes can no longer be created by name.
Dim progId, ignored
On Error Resume Next
For Each progId In Array("rxTheme.CTheme", "rxTheme.PropertyBagX")
  Set ignored = CreateObject(progId)
  CheckError progId & " is gone after unregistering", 429
Next
On Error Goto 0
Summary
