' Prints "created" when the part class can still be created by its ProgID.
On Error Resume Next
Dim part
Set part = CreateObject("Zembrati.ProfilHE")
If Err.Number = 0 Then WScript.Echo "created"
