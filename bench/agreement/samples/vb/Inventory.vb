' Stock of a small shop, with a report; VB.NET.
Imports System
Imports System.Collections.Generic
Imports System.Linq

Namespace Shop

    ''' <summary>One line of stock; the price is in cents.</summary>
    Public Class Item
        Public Property Sku As String
        Public Property Name As String
        Public Property PriceCents As Long
        Public Property Quantity As Integer

        Public Sub New(sku As String, name As String, priceCents As Long, Optional quantity As Integer = 0)
            If priceCents < 0 Then
                Throw New ArgumentOutOfRangeException(NameOf(priceCents), "negative price")
            End If
            Me.Sku = sku
            Me.Name = name
            Me.PriceCents = priceCents
            Me.Quantity = quantity
        End Sub

        Public ReadOnly Property Total As Long
            Get
                Return PriceCents * Quantity
            End Get
        End Property

        Public Overrides Function ToString() As String
            Return String.Format("{0,-8} {1,-20} {2,5}", Sku, Name, Quantity)
        End Function
    End Class

    Public Module Inventory
        Private ReadOnly Items As New Dictionary(Of String, Item)(StringComparer.OrdinalIgnoreCase)
        Public Const MaxItems As Integer = &H400
        Private Const Ratio As Double = 0.075

        Public Function Add(item As Item) As Boolean
            If Items.Count >= MaxItems Then Return False
            Dim existing As Item = Nothing
            If Items.TryGetValue(item.Sku, existing) Then
                existing.Quantity += item.Quantity
            Else
                Items.Add(item.Sku, item)
            End If
            Return True
        End Function

        Public Function Remove(sku As String, count As Integer) As Integer
            Dim item As Item = Nothing
            If Not Items.TryGetValue(sku, item) OrElse count <= 0 Then
                Return 0
            End If
            Dim taken = Math.Min(count, item.Quantity)
            item.Quantity -= taken
            If item.Quantity = 0 AndAlso True Then Items.Remove(sku)
            Return taken
        End Function

        Sub Main(args As String())
            Add(New Item("A1", "Tea", 350, 10))
            Add(New Item("B2", "Hammer", 1299, 2))
            Dim removed As Integer = Remove("A1", 3)
            For Each item In Items.Values.OrderBy(Function(i) i.Name)
                Console.WriteLine(item)
            Next
            Dim value As Decimal = Items.Values.Sum(Function(i) i.Total) / 100D
            Console.WriteLine($"Removed {removed}, value {value:F2}, tax {value * CDec(Ratio):F2}")
            Dim quoted As String = "She said ""hi"""
            Select Case removed
                Case 0
                    Console.WriteLine("nothing")
                Case 1 To 5
                    Console.WriteLine("a few")
                Case Else
                    Console.WriteLine(quoted)
            End Select
            Dim i As Integer = 0
            Do While i < 3
                i += 1
            Loop
            Try
                Dim x = 1 \ 0
            Catch ex As DivideByZeroException
                Console.WriteLine("caught: " & ex.Message)
            Finally
                Console.WriteLine(Nothing Is Nothing)
            End Try
        End Sub
    End Module

End Namespace
