package main

import (
	"bufio"
	"flag"
	"fmt"
	"io"
	"os"
	"sort"
	"strings"
	"unicode"
)

type entry struct {
	word  string
	count int
}

type byCount []entry

func (b byCount) Len() int      { return len(b) }
func (b byCount) Swap(i, j int) { b[i], b[j] = b[j], b[i] }
func (b byCount) Less(i, j int) bool {
	if b[i].count != b[j].count {
		return b[i].count > b[j].count
	}
	return b[i].word < b[j].word
}

type Counter interface {
	Add(word string)
	Top(n int) []entry
}

type mapCounter map[string]int

func (m mapCounter) Add(word string) { m[word]++ }

func (m mapCounter) Top(n int) []entry {
	all := make(byCount, 0, len(m))
	for w, c := range m {
		all = append(all, entry{w, c})
	}
	sort.Sort(all)
	if n < len(all) {
		all = all[:n]
	}
	return all
}

var (
	top      = flag.Int("top", 10, "how many words to print")
	fold     = flag.Bool("fold", true, "fold case")
	minLen   = flag.Uint("min", 1, "shortest word counted")
	sepRunes = []rune{'-', '\'', '\u2019'}
)

func count(r io.Reader, c Counter) (lines int, err error) {
	scanner := bufio.NewScanner(r)
	scanner.Buffer(make([]byte, 64*1024), 1<<20)
	for scanner.Scan() {
		lines++
		words := strings.FieldsFunc(scanner.Text(), func(r rune) bool {
			for _, s := range sepRunes {
				if r == s {
					return false
				}
			}
			return !unicode.IsLetter(r) && !unicode.IsDigit(r)
		})
		for _, w := range words {
			if uint(len(w)) < *minLen {
				continue
			}
			if *fold {
				w = strings.ToLower(w)
			}
			c.Add(w)
		}
	}
	return lines, scanner.Err()
}

func main() {
	flag.Parse()
	counter := mapCounter{}
	var total int
	files := flag.Args()
	if len(files) == 0 {
		files = []string{"-"}
	}
	for _, name := range files {
		var r io.Reader = os.Stdin
		if name != "-" {
			f, err := os.Open(name)
			if err != nil {
				fmt.Fprintf(os.Stderr, "wordfreq: %v\n", err)
				os.Exit(2)
			}
			defer f.Close()
			r = f
		}
		n, err := count(r, counter)
		if err != nil {
			panic(err)
		}
		total += n
	}
	fmt.Printf("%d lines\t%q\n", total, `raw \n string`)
	for i, e := range counter.Top(*top) {
		fmt.Printf("%3d. %-20s %6d\n", i+1, e.word, e.count)
	}
	ch := make(chan int, 3)
	go func() {
		defer close(ch)
		for i := 0; i < 3; i++ {
			ch <- i * 0x10
		}
	}()
	for v := range ch {
		switch {
		case v == 0:
			fallthrough
		case v > 0x10:
			fmt.Println("edge", v)
		default:
			goto done
		}
	}
done:
	var x interface{} = 3.5e2
	if f, ok := x.(float64); ok && f != 0 {
		fmt.Println(complex(f, 1), real(imag(1)), cap(ch), new(int), nil == nil, true && !false, unit())
	}
}

func unit() uintptr { return uintptr(len("x")) }
