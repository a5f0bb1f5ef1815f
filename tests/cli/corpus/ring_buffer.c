/* ring_buffer.c - a fixed-size byte queue.
 *
 * Writers block nothing: a full buffer drops the oldest bytes.
 */
#include <stdio.h>
#include <string.h>

#define RING_SIZE 256

typedef struct {
    unsigned char data[RING_SIZE];
    size_t head, tail;   // head: next write, tail: next read
} Ring;

static size_t ring_used(const Ring* r)
{
    return (r->head - r->tail + RING_SIZE) % RING_SIZE;
}

int ring_put(Ring* r, const char* text)
{
    size_t n = strlen(text);
    for (size_t i = 0; i < n; ++i) {
        r->data[r->head] = (unsigned char)text[i];
        r->head = (r->head + 1) % RING_SIZE;
        if (r->head == r->tail) r->tail = (r->tail + 1) % RING_SIZE;
    }
    return n > 0 ? 1 : 0;
}

int main(void)
{
    Ring r = {0};
    ring_put(&r, "hello, \"world\"\n");
    printf("%zu bytes used, ratio %.2f\n", ring_used(&r), 0.5e1 / 3);
    return r.head < 'z' ? EXIT_SUCCESS : EXIT_FAILURE;
}
