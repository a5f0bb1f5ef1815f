; FizzBuzz, the numbers from 1 to 100, with a buffered writer (NASM, x86-64 Linux).
; Output is collected in a 4 KiB buffer and written when it fills or at exit,
; one system call per few hundred lines instead of one per line.
; Build: nasm -f elf64 fizzbuzz.asm && ld -o fizzbuzz fizzbuzz.o
; Registers kept across calls: ebx holds n, r12d counts the words printed for it.
        bits 64
        default rel

%define SYS_WRITE 1
%define SYS_EXIT  60
%define LIMIT     100
%define BUFSIZE   4096

        section .rodata
fizz:       db "Fizz"
fizz_len    equ $ - fizz
buzz:       db "Buzz"
buzz_len    equ $ - buzz

        section .bss
outbuf:     resb BUFSIZE
outpos:     resq 1

        section .text
        global _start

; flush: writes the buffered bytes to standard output and empties the buffer.
flush:
        mov     rdx, [outpos]
        test    rdx, rdx
        jz      .empty
        mov     eax, SYS_WRITE
        mov     edi, 1
        lea     rsi, [outbuf]
        syscall
        mov     qword [outpos], 0
.empty:
        ret

; put: appends rcx bytes from rsi, flushing first when they would not fit.
put:
        mov     rax, [outpos]
        add     rax, rcx
        cmp     rax, BUFSIZE
        jbe     .copy
        push    rsi
        push    rcx
        call    flush
        pop     rcx
        pop     rsi
.copy:
        lea     rdi, [outbuf]
        add     rdi, [outpos]
        add     [outpos], rcx
        rep     movsb
        ret

; put_number: appends the decimal digits of eax (at most 3 here).
put_number:
        sub     rsp, 16
        lea     rdi, [rsp + 15]
        mov     ecx, 10
.digit:
        xor     edx, edx
        div     ecx
        add     dl, '0'
        mov     [rdi], dl
        dec     rdi
        test    eax, eax
        jnz     .digit
        lea     rsi, [rdi + 1]
        lea     rcx, [rsp + 16]
        sub     rcx, rsi
        call    put
        add     rsp, 16
        ret

_start:
        mov     qword [outpos], 0
        mov     ebx, 1                  ; n
.next:
        xor     r12d, r12d              ; printed a word for n?
        mov     eax, ebx
        xor     edx, edx
        mov     ecx, 3
        div     ecx
        test    edx, edx
        jnz     .not3
        lea     rsi, [fizz]
        mov     ecx, fizz_len
        call    put
        inc     r12d
.not3:
        mov     eax, ebx
        xor     edx, edx
        mov     ecx, 5
        div     ecx
        test    edx, edx
        jnz     .not5
        lea     rsi, [buzz]
        mov     ecx, buzz_len
        call    put
        inc     r12d
.not5:
        test    r12d, r12d
        jnz     .newline
        mov     eax, ebx
        call    put_number
.newline:
        sub     rsp, 8
        mov     byte [rsp], 10
        mov     rsi, rsp
        mov     ecx, 1
        call    put
        add     rsp, 8
        inc     ebx
        cmp     ebx, LIMIT
        jbe     .next
        call    flush
        mov     eax, SYS_EXIT
        xor     edi, edi
        syscall
