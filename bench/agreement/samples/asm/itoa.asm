; Unsigned and signed integer to decimal text, and a line printer (NASM, x86-64 Linux).
        bits 64
        default rel

%define SYS_WRITE 1
%define SYS_EXIT  60
%define STDOUT    1

        section .data
minus:      db '-'
values:     dq 0, 7, 42, 65535, -1234567, 0x7FFFFFFFFFFFFFFF
count       equ ($ - values) / 8

        section .bss
text:       resb 24                 ; 20 digits, a sign and a newline fit

        section .text
        global _start

; utoa: rax = value, rdi = end of the buffer; returns rsi = first digit, rdx = length.
utoa:
        mov     rcx, 10
        mov     rsi, rdi
.next:
        xor     edx, edx
        div     rcx                 ; rax = rax / 10, rdx = remainder
        add     dl, '0'
        dec     rsi
        mov     [rsi], dl
        test    rax, rax
        jnz     .next
        mov     rdx, rdi
        sub     rdx, rsi
        ret

; itoa: like utoa, with a leading '-' for negative values.
itoa:
        test    rax, rax
        jns     utoa
        neg     rax
        call    utoa
        dec     rsi
        mov     byte [rsi], '-'
        inc     rdx
        ret

; print_line: rax = value; writes it and a newline to standard output.
print_line:
        push    rbx
        lea     rdi, [text + 23]
        mov     byte [rdi], 10      ; the newline goes after the digits
        call    itoa
        inc     rdx
        mov     eax, SYS_WRITE
        mov     edi, STDOUT
        syscall
        pop     rbx
        ret

_start:
        xor     ebx, ebx
.loop:
        cmp     rbx, count
        jae     .done
        lea     rax, [values]
        mov     rax, [rax + rbx * 8]
        call    print_line
        inc     rbx
        jmp     .loop
.done:
        mov     eax, SYS_EXIT
        xor     edi, edi
        syscall
