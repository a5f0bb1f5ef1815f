Option Strict On

Imports System.Globalization
Imports System.Linq

Namespace Samples.Weather

    Public Enum Scale
        Celsius
        Fahrenheit
        Kelvin
    End Enum

    ''' <summary>A temperature reading that converts between scales.</summary>
    Public Structure Temperature
        Implements IComparable(Of Temperature)

        Private ReadOnly _kelvin As Double

        Private Sub New(kelvin As Double)
            If kelvin < 0 Then Throw New ArgumentOutOfRangeException(NameOf(kelvin), "below absolute zero")
            _kelvin = kelvin
        End Sub

        Public Shared Function From(value As Double, unit As Scale) As Temperature
            Select Case unit
                Case Scale.Celsius
                    Return New Temperature(value + 273.15)
                Case Scale.Fahrenheit
                    Return New Temperature((value - 32.0) * 5.0 / 9.0 + 273.15)
                Case Else
                    Return New Temperature(value)
            End Select
        End Function

        Public Function [In](unit As Scale) As Double
            Select Case unit
                Case Scale.Celsius : Return _kelvin - 273.15
                Case Scale.Fahrenheit : Return (_kelvin - 273.15) * 9.0 / 5.0 + 32.0
                Case Else : Return _kelvin
            End Select
        End Function

        Public Function CompareTo(other As Temperature) As Integer Implements IComparable(Of Temperature).CompareTo
            Return _kelvin.CompareTo(other._kelvin)
        End Function

        Public Overrides Function ToString() As String
            Return String.Format(CultureInfo.InvariantCulture, "{0:0.0} °C", [In](Scale.Celsius))
        End Function
    End Structure

    Module Program
        ' Parses lines such as "21.5 C" or "70 F"; bad lines are skipped with a warning.
        Function ParseReading(line As String, ByRef reading As Temperature) As Boolean
            Dim parts = line.Trim().Split(" "c)
            Dim value As Double
            If parts.Length <> 2 OrElse Not Double.TryParse(parts(0), NumberStyles.Float, CultureInfo.InvariantCulture, value) Then
                Return False
            End If
            Dim unit As Scale
            Select Case parts(1).ToUpperInvariant()
                Case "C" : unit = Scale.Celsius
                Case "F" : unit = Scale.Fahrenheit
                Case "K" : unit = Scale.Kelvin
                Case Else : Return False
            End Select
            reading = Temperature.From(value, unit)
            Return True
        End Function

        Sub Main()
            Dim lines() As String = {"21.5 C", "70 F", "300 K", "hot", "-500 C"}
            Dim readings As New List(Of Temperature)
            For Each line In lines
                Dim reading As Temperature
                Try
                    If ParseReading(line, reading) Then
                        readings.Add(reading)
                    Else
                        Console.WriteLine($"skipped: {line}")
                    End If
                Catch ex As ArgumentOutOfRangeException
                    Console.WriteLine($"impossible: {line} ({ex.Message})")
                End Try
            Next
            If readings.Count > 0 Then
                Console.WriteLine("coldest {0}, warmest {1}", readings.Min(), readings.Max())
            End If
        End Sub
    End Module

End Namespace
