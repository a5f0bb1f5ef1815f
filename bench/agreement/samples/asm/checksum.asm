; Adler-32 of a buffer (NASM, x86-64, System V):
;   uint32_t adler32(const uint8_t *data, size_t len);
; The sums are reduced modulo 65521 every NMAX bytes, as zlib does, so that
; the 32-bit accumulators never overflow.
        bits 64
        default rel

MOD_ADLER   equ 65521
NMAX        equ 5552

        section .text
        global adler32
        global fletcher16

adler32:
        push    rbx
        mov     r8d, 1              ; a = 1
        xor     r9d, r9d            ; b = 0
        mov     r10d, MOD_ADLER
.block:
        test    rsi, rsi
        jz      .finish
        mov     rcx, NMAX
        cmp     rsi, rcx
        cmovb   rcx, rsi            ; this block's length
        sub     rsi, rcx
.byte:
        movzx   eax, byte [rdi]
        add     r8d, eax            ; a += byte
        add     r9d, r8d            ; b += a
        inc     rdi
        dec     rcx
        jnz     .byte
        ; reduce both sums
        mov     eax, r8d
        xor     edx, edx
        div     r10d
        mov     r8d, edx
        mov     eax, r9d
        xor     edx, edx
        div     r10d
        mov     r9d, edx
        jmp     .block
.finish:
        mov     eax, r9d
        shl     eax, 16
        or      eax, r8d            ; (b << 16) | a
        pop     rbx
        ret

; uint16_t fletcher16(const uint8_t *data, size_t len): both sums modulo 255,
; reduced every byte for simplicity (the buffers it checks are short).
fletcher16:
        xor     eax, eax            ; sum1
        xor     ecx, ecx            ; sum2
        mov     r8d, 255
.next:
        test    rsi, rsi
        jz      .pack
        movzx   edx, byte [rdi]
        add     eax, edx
        cmp     eax, r8d
        jb      .sum2
        sub     eax, r8d
.sum2:
        add     ecx, eax
        cmp     ecx, r8d
        jb      .advance
        sub     ecx, r8d
.advance:
        inc     rdi
        dec     rsi
        jmp     .next
.pack:
        shl     ecx, 8
        or      eax, ecx            ; (sum2 << 8) | sum1
        ret

        section .rodata
test_input: db "Wikipedia", 0
test_sum:   dd 0x11E60398           ; its Adler-32, for a unit test in C

        section .note.GNU-stack noalloc noexec nowrite progbits
