; strlen and a tiny program that prints its own argument count (NASM, x86-64 Linux).
        bits 64
        default rel

        section .data
message:    db "arguments: ", 0
newline:    db 10
digits:     db '0123456789'
table:      dw 0x1F, 0FFh, 0b1010, 1010b, 17o
limit       equ 64

        section .bss
buffer:     resb limit

        section .text
        global _start
        global strlen

; size_t strlen(const char *rdi) -> rax
strlen:
        push    rbx
        mov     rax, rdi
.loop:
        cmp     byte [rax], 0
        je      .done
        inc     rax
        jmp     .loop
.done:
        sub     rax, rdi
        pop     rbx
        ret

; write(1, rsi, rdx)
write_out:
        mov     eax, 1
        mov     edi, 1
        syscall
        ret

_start:
        mov     r12, [rsp]              ; argc
        lea     rdi, [message]
        call    strlen
        mov     rdx, rax
        lea     rsi, [message]
        call    write_out
        ; one digit is enough for this demo
        cmp     r12, 9
        jbe     .small
        mov     r12, 9
.small:
        lea     rsi, [digits + r12]
        mov     edx, 1
        call    write_out
        lea     rsi, [newline]
        mov     edx, 1
        call    write_out
        xor     edi, edi
        mov     eax, 60
        syscall
