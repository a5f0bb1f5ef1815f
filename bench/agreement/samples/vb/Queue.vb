' A bounded queue that drops its oldest item when full, with a simple test.
Public Class BoundedQueue(Of T)
    Private ReadOnly _items() As T
    Private _head As Integer
    Private _count As Integer

    Public Sub New(capacity As Integer)
        If capacity <= 0 Then Throw New ArgumentException("capacity must be positive")
        ReDim _items(capacity - 1)
    End Sub

    Public ReadOnly Property Count As Integer
        Get
            Return _count
        End Get
    End Property

    ''' <returns>True when an older item had to make room.</returns>
    Public Function Enqueue(item As T) As Boolean
        Dim tail = (_head + _count) Mod _items.Length
        _items(tail) = item
        If _count = _items.Length Then
            _head = (_head + 1) Mod _items.Length
            Return True
        End If
        _count += 1
        Return False
    End Function

    Public Function TryDequeue(ByRef item As T) As Boolean
        If _count = 0 Then
            item = Nothing
            Return False
        End If
        item = _items(_head)
        _items(_head) = Nothing
        _head = (_head + 1) Mod _items.Length
        _count -= 1
        Return True
    End Function
End Class

Module QueueDemo
    Sub Main()
        Dim q As New BoundedQueue(Of String)(3)
        For Each word In "one two three four five".Split(" "c)
            If q.Enqueue(word) Then Console.WriteLine("dropped the oldest for " & word)
        Next
        Dim item As String = Nothing
        While q.TryDequeue(item)
            Console.Write(item & " ")
        End While
        Console.WriteLine()
    End Sub
End Module
