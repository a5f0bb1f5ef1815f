; Insertion sort of 32-bit signed integers, callable from C (System V AMD64):
;   void isort(int32_t *a, size_t n);
; and a binary search over the sorted array:
;   ptrdiff_t bsearch32(const int32_t *a, size_t n, int32_t key);  // -1 if absent
        bits 64
        default rel

        section .text
        global isort
        global bsearch32
        global reverse32
        global max32

isort:
        cmp     rsi, 2
        jb      .return             ; nothing to do for 0 or 1 element
        mov     rcx, 1              ; i = 1
.outer:
        mov     eax, [rdi + rcx * 4]    ; key = a[i]
        mov     rdx, rcx            ; j = i
.inner:
        test    rdx, rdx
        jz      .place
        mov     r8d, [rdi + rdx * 4 - 4]
        cmp     r8d, eax
        jle     .place              ; a[j - 1] <= key: stop shifting
        mov     [rdi + rdx * 4], r8d
        dec     rdx
        jmp     .inner
.place:
        mov     [rdi + rdx * 4], eax
        inc     rcx
        cmp     rcx, rsi
        jb      .outer
.return:
        ret

bsearch32:
        xor     r8, r8              ; lo = 0
        mov     r9, rsi             ; hi = n
.probe:
        cmp     r8, r9
        jae     .absent
        mov     rax, r8
        add     rax, r9
        shr     rax, 1              ; mid = (lo + hi) / 2, no overflow for sane n
        mov     ecx, [rdi + rax * 4]
        cmp     ecx, edx
        je      .found
        jl      .right
        mov     r9, rax             ; key < a[mid]: hi = mid
        jmp     .probe
.right:
        lea     r8, [rax + 1]       ; key > a[mid]: lo = mid + 1
        jmp     .probe
.found:
        ret
.absent:
        mov     rax, -1
        ret

; void reverse32(int32_t *a, size_t n): swaps from both ends to the middle.
reverse32:
        cmp     rsi, 2
        jb      .done
        lea     rdx, [rdi + rsi * 4 - 4]    ; last element
.swap:
        mov     eax, [rdi]
        mov     ecx, [rdx]
        mov     [rdi], ecx
        mov     [rdx], eax
        add     rdi, 4
        sub     rdx, 4
        cmp     rdi, rdx
        jb      .swap
.done:
        ret

; int32_t max32(const int32_t *a, size_t n): INT32_MIN for an empty array.
max32:
        mov     eax, 0x80000000
        test    rsi, rsi
        jz      .out
        xor     ecx, ecx
.scan:
        mov     edx, [rdi + rcx * 4]
        cmp     edx, eax
        cmovg   eax, edx
        inc     rcx
        cmp     rcx, rsi
        jb      .scan
.out:
        ret

        section .note.GNU-stack noalloc noexec nowrite progbits
