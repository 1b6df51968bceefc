' A tour of Syslinkage from a script: a tray icon and a tooltip come and go, and the script prints who
' and where it runs. Run it with:  cscript //nologo SyslinkageTour.vbs
' (Syslinkage.dll must be registered: regsvr32 Syslinkage.dll)
Option Explicit

' A script has no window of its own. Anything that answers hWnd (and, for a control, Name) stands in for
' a form or a control; 0 means "no window", so the tooltip window gets no owner.
Class ScriptWindow
    Public hWnd
    Public Name
End Class

Dim sys, trays, tray, tips, tip, form, button, member, visited
Set sys = CreateObject("Syslinkage.System")

' A tray icon with a tip, turned into a balloon, walked with For Each, then removed by its key.
Set trays = sys.SystemTrays
Set tray = trays.add(0, Nothing, 0, "Syslinkage tour")
tray.modify Nothing, 1, "Hello from a script", "Syslinkage", 1, 512, 3000
visited = 0
For Each member In trays
    visited = visited + 1
Next
WScript.Echo "Tray icons: " & trays.Count & " (visited " & visited & ")"
trays.remove tray.Key
WScript.Echo "Tray icons after remove: " & trays.Count

' A tooltip for a control, read back from its tooltip window, changed, then removed by its key.
Set form = New ScriptWindow
form.hWnd = 0
Set button = New ScriptWindow
button.hWnd = 0
button.Name = "cmdHello"
Set tips = sys.ToolTips
Set tip = tips.add(form, button, "Says hello", "hello", "Syslinkage")
WScript.Echo "Tooltip text: " & tip.Text
If tip.Text <> "Says hello" Then Err.Raise 5, "SyslinkageTour", "The tooltip does not hold its text."
tip.Text = "Says hello again"
tip.Delay(3) = 250
tips.remove "hello"
WScript.Echo "Tooltips after remove: " & tips.Count & ", text now """ & tip.Text & """"
Set tip = Nothing

WScript.Echo "User.Name: " & sys.User.Name
WScript.Echo "OS.Name: " & sys.OS.Name & " (version " & sys.OS.Major & "." & sys.OS.Minor & ", build " & sys.OS.Build & ")"
WScript.Echo "Computer.Name: " & sys.Computer.Name

' Letting go of System takes every icon and tooltip it made with it.
Set sys = Nothing
WScript.Echo "Syslinkage tour done."
