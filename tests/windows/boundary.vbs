' Every member of every class, called by a script with every kind of argument a script can pass:
' arrays, missing arguments, Null, Empty, dates, objects without members, each by value and by
' reference. Each call either works or ends as a script error with its classic number; a failed
' property assignment leaves the property as it was; the script lives on to print its count.
Option Explicit
Dim passed, failed, errors
passed = 0
failed = 0
errors = 0

Sub Check(ok, what)
  If ok Then
    passed = passed + 1
  Else
    failed = failed + 1
    WScript.Echo "FAILED: " & what
  End If
End Sub

' Checks the error the last call raised (0: none) and clears it.
Sub Expect(number, what)
  Dim got
  got = Err.Number
  If got <> 0 Then errors = errors + 1
  Check got = number, what & ": expected " & number & ", got " & got & " (" & Err.Description & ")"
  Err.Clear
End Sub

Class Bare
End Class

' A host object whose members fail with the host's own error.
Class BusyShape
  Public Function Components(kind)
    Err.Raise 1234, "Host", "the host is busy"
  End Function
  Public Function Application()
    Err.Raise 1234, "Host", "the host is busy"
  End Function
End Class

Dim bare, busy, arrayValue, nullValue, emptyValue, dateValue
Set bare = New Bare
Set busy = New BusyShape
arrayValue = Array(1, 2)
nullValue = Null
dateValue = CDate("2021-03-04")

Dim classes, name, p
classes = Array("ProfilHE", "ProfilIPN", "ProfilUPN", "ProfilL", "ProfilT", "ProfilTArr", "ProfilTubo", _
                "ProfilRettCavo", "ProfilQuadCavo", "ProfilPiatto", "ProfilTondo", "ProfilQuadro")

On Error Resume Next
For Each name In classes
  Set p = CreateObject("Zembrati." & name)
  Expect 0, name & " is created"
  Check TypeName(p) = name, "TypeName gives the class: " & TypeName(p)

  ' The length: numbers, Empty and dates convert; arrays, Null and objects do not, and leave it.
  p.lung = 1500
  Expect 0, name & ".lung = 1500"
  p.lung = Array(1, 2)
  Expect 13, name & ".lung = Array"
  p.lung = arrayValue
  Expect 13, name & ".lung = an array variable"
  p.lung = Null
  Expect 94, name & ".lung = Null"
  p.lung = nullValue
  Expect 94, name & ".lung = a Null variable"
  p.lung = bare
  Expect 13, name & ".lung = an object"
  Check p.lung = 1500, name & ".lung is still 1500 after the failed assignments"
  p.lung = dateValue
  Expect 0, name & ".lung = a date"
  Check p.lung = CDbl(dateValue), name & ".lung takes a date as its number"
  p.lung = emptyValue
  Expect 0, name & ".lung = Empty"
  Check p.lung = 0, name & ".lung of Empty is 0"
  Dim x
  x = p.lung(1)
  Expect 450, name & ".lung(1)"

  ' The texts, with a NUL character inside one.
  p.Normativa = "EN" & Chr(0) & "10025"
  Expect 0, name & ".Normativa with a NUL"
  Check Len(p.Normativa) = 8, name & ".Normativa keeps the text after the NUL: " & Len(p.Normativa)
  p.Codice = "200"
  p.Codice = Null
  Expect 94, name & ".Codice = Null"
  p.Codice = Array("a")
  Expect 13, name & ".Codice = Array"
  p.MaterialCode = bare
  Expect 13, name & ".MaterialCode = an object"
  Check p.Codice = "200", name & ".Codice is still 200"
  p.FileData = emptyValue
  Expect 0, name & ".FileData = Empty"
  x = p.FileData("x")
  Expect 450, name & ".FileData(""x"")"
  p.Create = 1
  Expect 450, name & ".Create = 1"
  p.Explode
  Expect 438, name & ".Explode"

  ' The methods: objects are required, arguments may not be left out.
  p.GetPartData arrayValue
  Expect 13, name & ".GetPartData an array"
  p.GetPartData Null
  Expect 424, name & ".GetPartData Null"
  p.GetPartData emptyValue
  Expect 424, name & ".GetPartData Empty"
  p.GetPartData dateValue
  Expect 424, name & ".GetPartData a date"
  p.GetPartData bare
  Expect 438, name & ".GetPartData an object without members"
  p.GetPartData
  Expect 450, name & ".GetPartData without its argument"
  p.PreUpdate Array(1)
  Expect 13, name & ".PreUpdate Array"
  p.PreUpdate (nullValue)
  Expect 424, name & ".PreUpdate Null by value"
  p.PreUpdate bare
  Expect 438, name & ".PreUpdate an object without members"
  ' A script class hands its callers the number of its error only (com_host_test checks that a
  ' host's description comes through as well).
  p.PreUpdate busy
  Expect 1234, name & ".PreUpdate keeps the host's error number"
  p.DblClick , 0, 0
  Expect 449, name & ".DblClick with its part left out"
  p.DblClick bare, Array(1), 0
  Expect 13, name & ".DblClick with an array for X"
  p.DblClick bare, 0, "y"
  Expect 13, name & ".DblClick with a text for Y"
  p.DblClick Null, 0, 0
  Expect 424, name & ".DblClick Null"
  p.DblClick bare, 0, 0
  Expect 438, name & ".DblClick an object without members"
  p.DblClick busy, 0, 0
  Expect 1234, name & ".DblClick a busy host"
  p.DblClick bare, 0
  Expect 450, name & ".DblClick with two arguments"
  Set x = p.Create(arrayValue)
  Expect 13, name & ".Create an array"
  Set x = p.Create()
  Expect 450, name & ".Create without its argument"
Next

Dim dropper, hook
Set dropper = CreateObject("Zembrati.ZembratiObj")
Check TypeName(dropper) = "ZembratiObj", "TypeName gives ZembratiObj: " & TypeName(dropper)
dropper.Drop Array(1), 0, 0
Expect 13, "Drop an array"
dropper.Drop , 0, 0
Expect 449, "Drop with its shape left out"
dropper.Drop nullValue, 0, 0
Expect 424, "Drop a Null variable"
dropper.Drop bare, dateValue, 0
Expect 438, "Drop an object without members"
dropper.Drop busy, 0, 0
Expect 1234, "Drop on a busy host"
dropper.Drop
Expect 450, "Drop without arguments"
x = dropper.Drop
Expect 450, "Drop read as a property"

Set hook = CreateObject("Zembrati.DropHook")
Check TypeName(hook) = "DropHook", "TypeName gives DropHook: " & TypeName(hook)
hook.OnDragDrop arrayValue
Expect 13, "OnDragDrop an array"
hook.OnDragDrop Null
Expect 424, "OnDragDrop Null"
hook.OnDragDrop bare
Expect 429, "OnDragDrop without the host's registry reader"
hook.OnDragDrop
Expect 450, "OnDragDrop without its argument"
On Error GoTo 0

' Every object goes before the count is printed, so that a failure while releasing them shows.
Set p = Nothing
Set dropper = Nothing
Set hook = Nothing
Set x = Nothing
WScript.Echo errors & " errors returned"
WScript.Echo passed & " passed, " & failed & " failed"
