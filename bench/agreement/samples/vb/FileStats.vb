Imports System.IO

''' <summary>Counts files and bytes per extension under a folder.</summary>
Public Class FileStats
    Public Class Entry
        Public Property Extension As String
        Public Property Files As Integer
        Public Property Bytes As Long
    End Class

    Private ReadOnly _entries As New Dictionary(Of String, Entry)(StringComparer.OrdinalIgnoreCase)
    Private _skipped As Integer

    Public ReadOnly Property Skipped As Integer
        Get
            Return _skipped
        End Get
    End Property

    Public Sub Scan(folder As String, Optional recursive As Boolean = True)
        Dim files As IEnumerable(Of String)
        Try
            files = Directory.EnumerateFiles(folder)
        Catch ex As UnauthorizedAccessException
            _skipped += 1
            Return
        End Try
        For Each path In files
            Dim ext = IO.Path.GetExtension(path)
            If String.IsNullOrEmpty(ext) Then ext = "(none)"
            Dim entry As Entry = Nothing
            If Not _entries.TryGetValue(ext, entry) Then
                entry = New Entry With {.Extension = ext}
                _entries.Add(ext, entry)
            End If
            entry.Files += 1
            entry.Bytes += New FileInfo(path).Length
        Next
        If recursive Then
            For Each child In Directory.EnumerateDirectories(folder)
                Scan(child, True)
            Next
        End If
    End Sub

    Public Function Largest(count As Integer) As IEnumerable(Of Entry)
        Return _entries.Values.OrderByDescending(Function(e) e.Bytes).ThenBy(Function(e) e.Extension).Take(count)
    End Function

    Public Shared Function Human(bytes As Long) As String
        Dim units() As String = {"B", "KB", "MB", "GB", "TB"}
        Dim size As Double = bytes
        Dim unit = 0
        Do While size >= 1024 AndAlso unit < units.Length - 1
            size /= 1024
            unit += 1
        Loop
        Return $"{size:0.#} {units(unit)}"
    End Function
End Class

Module Main
    Sub Main(args As String())
        Dim folder = If(args.Length > 0, args(0), Environment.CurrentDirectory)
        Dim stats As New FileStats()
        stats.Scan(folder)
        For Each e In stats.Largest(10)
            Console.WriteLine("{0,-10} {1,6} files {2,10}", e.Extension, e.Files, FileStats.Human(e.Bytes))
        Next
        If stats.Skipped > 0 Then Console.WriteLine($"{stats.Skipped} folders could not be read")
    End Sub
End Module
