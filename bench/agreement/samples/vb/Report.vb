Option Strict On
Option Explicit On

Imports System.IO
Imports System.Text

''' <summary>Writes a plain-text report of sales per month.</summary>
Public Class SalesReport
    Private ReadOnly _rows As New List(Of Tuple(Of Date, Decimal))()
    Public Event RowAdded As EventHandler

    Public Sub Add(day As Date, amount As Decimal)
        If amount < 0D Then Throw New ArgumentException("negative amount", NameOf(amount))
        _rows.Add(Tuple.Create(day, amount))
        RaiseEvent RowAdded(Me, EventArgs.Empty)
    End Sub

    Public Function Totals() As SortedDictionary(Of String, Decimal)
        Dim result As New SortedDictionary(Of String, Decimal)()
        For Each row In _rows
            Dim key As String = row.Item1.ToString("yyyy-MM")
            Dim current As Decimal = 0
            result.TryGetValue(key, current)
            result(key) = current + row.Item2
        Next
        Return result
    End Function

    Public Sub WriteTo(writer As TextWriter)
        Dim text As New StringBuilder()
        text.AppendLine("Month     Total")
        For Each pair As KeyValuePair(Of String, Decimal) In Totals()
            text.AppendFormat("{0,-8}{1,10:N2}", pair.Key, pair.Value).AppendLine()
        Next
        writer.Write(text.ToString())
    End Sub

    Public Shared Sub Main()
        Dim report As New SalesReport()
        AddHandler report.RowAdded, Sub(sender, e) Console.Write(".")
        report.Add(#1/15/2024#, 120.5D)
        report.Add(#1/20/2024#, 80D)
        report.Add(#2/3/2024#, 42.25D)
        Console.WriteLine()
        Using writer As New StringWriter()
            report.WriteTo(writer)
            Console.Write(writer.ToString())
        End Using
        Dim flags As Integer = &HFF And &B1010
        Dim ratio As Double = 1.5E-3
        While flags > 0
            flags >>= 1
        End While
        If TypeOf report Is SalesReport AndAlso Not ratio = 0 Then Console.WriteLine("ok " & ratio.ToString())
    End Sub
End Class
