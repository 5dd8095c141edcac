' A script creates a part class by its ProgID and works its properties, as a host's macro would.
Option Explicit
Dim passed, failed
passed = 0
failed = 0

Sub Check(ok, what)
  If ok Then
    passed = passed + 1
  Else
    failed = failed + 1
    WScript.Echo "FAILED: " & what
  End If
End Sub

Dim part
Set part = CreateObject("Zembrati.ProfilTubo")
part.lung = 2500.5
part.Normativa = "CHS EN 10219"
part.Codice = "60.3"
part.MaterialCode = "S355J2H"
part.FileData = "C:\catalogue\tables\chs_cf.tab"
Check part.lung = 2500.5, "lung"
Check part.Normativa = "CHS EN 10219", "Normativa"
Check part.Codice = "60.3", "Codice"
Check part.MaterialCode = "S355J2H", "MaterialCode"
Check part.FileData = "C:\catalogue\tables\chs_cf.tab", "FileData"

On Error Resume Next
part.Explode
Check Err.Number = 438, "an unknown member is error 438, got " & Err.Number
Err.Clear
Dim shape
part.PreUpdate shape
Check Err.Number = 424 Or Err.Number = 91, "PreUpdate of an empty variable fails, got " & Err.Number
Err.Clear
On Error GoTo 0

Dim dropper
Set dropper = CreateObject("Zembrati.ZembratiObj")
Check Not dropper Is Nothing, "Zembrati.ZembratiObj"
Dim hook
Set hook = CreateObject("Zembrati.DropHook")
Check Not hook Is Nothing, "Zembrati.DropHook"

WScript.Echo passed & " passed, " & failed & " failed"
