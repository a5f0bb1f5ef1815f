; A few C string functions written by hand (NASM, x86-64, System V AMD64).
; Each follows the C library's contract; none needs a stack frame, and only
; strspn32 touches the stack (for its table of accepted bytes).
;
;   void  *memset32(void *dst, int c, size_t n);
;   void  *memchr32(const void *s, int c, size_t n);
;   int    strcmp32(const char *a, const char *b);
;   char  *strrchr32(const char *s, int c);
;   size_t strspn32(const char *s, const char *accept);
        bits 64
        default rel

        section .text
        global memset32
        global memchr32
        global strcmp32
        global strrchr32
        global strspn32

memset32:
        mov     rax, rdi            ; the result is the destination
        mov     rcx, rdx
        movzx   edx, sil
        mov     r8, 0x0101010101010101
        imul    rdx, r8             ; the byte repeated in all eight lanes
        cmp     rcx, 8
        jb      .tail
.words:
        mov     [rdi], rdx
        add     rdi, 8
        sub     rcx, 8
        cmp     rcx, 8
        jae     .words
.tail:
        test    rcx, rcx
        jz      .done
        mov     [rdi], dl
        inc     rdi
        dec     rcx
        jmp     .tail
.done:
        ret

memchr32:
        test    rdx, rdx
        jz      .none
        mov     rcx, rdx
        movzx   eax, sil
        repne   scasb               ; compares al with [rdi], rdi advances
        jne     .none
        lea     rax, [rdi - 1]
        ret
.none:
        xor     eax, eax
        ret

strcmp32:
.loop:
        movzx   eax, byte [rdi]
        movzx   ecx, byte [rsi]
        cmp     eax, ecx
        jne     .differ
        test    eax, eax
        jz      .equal
        inc     rdi
        inc     rsi
        jmp     .loop
.differ:
        sub     eax, ecx            ; unsigned char difference, as C asks
        ret
.equal:
        xor     eax, eax
        ret

strrchr32:
        xor     eax, eax            ; last match so far: none
        movzx   esi, sil
.scan:
        movzx   ecx, byte [rdi]
        cmp     ecx, esi
        cmove   rax, rdi
        test    ecx, ecx
        jz      .end                ; the terminator itself may be searched for
        inc     rdi
        jmp     .scan
.end:
        ret

strspn32:
        ; A 256-bit table on the stack marks the accepted bytes.
        sub     rsp, 32
        pxor    xmm0, xmm0
        movdqu  [rsp], xmm0
        movdqu  [rsp + 16], xmm0
.mark:
        movzx   eax, byte [rsi]
        test    eax, eax
        jz      .count
        bts     [rsp], eax
        inc     rsi
        jmp     .mark
.count:
        xor     eax, eax
.step:
        movzx   ecx, byte [rdi + rax]
        test    ecx, ecx
        jz      .out
        bt      [rsp], ecx
        jnc     .out
        inc     rax
        jmp     .step
.out:
        add     rsp, 32
        ret

        section .note.GNU-stack noalloc noexec nowrite progbits
