; memcpy and memset for x86-64 (System V), NASM syntax.
        bits 64
        section .text

        global  my_memcpy
        global  my_memset

; void *my_memcpy(void *rdi, const void *rsi, size_t rdx)
my_memcpy:
        mov     rax, rdi                ; the result is the destination
        mov     rcx, rdx
        shr     rcx, 3                  ; whole quadwords first
        rep     movsq
        mov     rcx, rdx
        and     rcx, 7                  ; then the bytes left over
        rep     movsb
        ret

; void *my_memset(void *rdi, int esi, size_t rdx)
my_memset:
        mov     r8, rdi
        movzx   eax, sil
        mov     r9, 0x0101010101010101
        imul    rax, r9                 ; the byte in every lane
        mov     rcx, rdx
        shr     rcx, 3
        rep     stosq
        mov     rcx, rdx
        and     rcx, 7
        rep     stosb
        mov     rax, r8
        ret

; uint64_t popcount_loop(uint64_t rdi)
        global  popcount_loop
popcount_loop:
        xor     eax, eax
.next:
        test    rdi, rdi
        jz      .out
        lea     rdx, [rdi - 1]
        and     rdi, rdx                ; clear the lowest set bit
        inc     eax
        jmp     .next
.out:
        ret

        section .rodata
align 16
masks:  dq      0x5555555555555555, 0x3333333333333333
        dd      1, 2, 3, 4
        db      "done", 13, 10, 0
