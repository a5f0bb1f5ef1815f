/*
 * A least-recently-used cache with a fixed capacity, written for the
 * agreement checker's corpus: generics, annotations, inner classes.
 */
package org.example.cache;

import java.util.HashMap;
import java.util.Map;
import java.util.Objects;
import java.util.function.Function;

/**
 * Keeps at most {@code capacity} entries; the one read longest ago leaves
 * first when a new one arrives.
 *
 * @param <K> the key type
 * @param <V> the value type
 */
public final class LruCache<K, V> {
    private static final int DEFAULT_CAPACITY = 128;
    private static final float LOAD_FACTOR = 0.75f;
    private static final long NEVER = -1L;

    private final class Node {
        final K key;
        V value;
        Node prev;
        Node next;
        long stamp = NEVER;

        Node(K key, V value) {
            this.key = key;
            this.value = value;
        }
    }

    private final Map<K, Node> index;
    private final int capacity;
    private Node head;
    private Node tail;
    private int hits, misses;

    public LruCache() {
        this(DEFAULT_CAPACITY);
    }

    public LruCache(int capacity) {
        if (capacity <= 0) {
            throw new IllegalArgumentException("capacity must be positive, was " + capacity);
        }
        this.capacity = capacity;
        this.index = new HashMap<>((int) (capacity / LOAD_FACTOR) + 1);
    }

    /** Returns the value for {@code key}, or null; a hit moves it to the front. */
    public synchronized V get(K key) {
        Node node = index.get(Objects.requireNonNull(key, "key"));
        if (node == null) {
            misses++;
            return null;
        }
        hits++;
        moveToFront(node);
        return node.value;
    }

    public synchronized V computeIfAbsent(K key, Function<? super K, ? extends V> loader) {
        V value = get(key);
        if (value != null) return value;
        value = loader.apply(key);
        put(key, value);
        return value;
    }

    public synchronized void put(K key, V value) {
        Node node = index.get(key);
        if (node != null) {
            node.value = value;
            moveToFront(node);
            return;
        }
        node = new Node(key, value);
        index.put(key, node);
        linkFirst(node);
        if (index.size() > capacity) {
            Node eldest = tail;
            unlink(eldest);
            index.remove(eldest.key);
        }
    }

    private void moveToFront(Node node) {
        if (node == head) return;
        unlink(node);
        linkFirst(node);
    }

    private void linkFirst(Node node) {
        node.next = head;
        node.prev = null;
        if (head != null) head.prev = node;
        head = node;
        if (tail == null) tail = node;
        node.stamp = System.nanoTime();
    }

    private void unlink(Node node) {
        if (node.prev != null) node.prev.next = node.next; else head = node.next;
        if (node.next != null) node.next.prev = node.prev; else tail = node.prev;
        node.prev = node.next = null;
    }

    public int size() { return index.size(); }

    public double hitRate() {
        int total = hits + misses;
        return total == 0 ? 0.0 : (double) hits / total;
    }

    @Override
    public String toString() {
        StringBuilder text = new StringBuilder("LruCache[");
        for (Node n = head; n != null; n = n.next) {
            text.append(n.key).append('=').append(n.value);
            if (n.next != null) text.append(", ");
        }
        return text.append(']').toString();
    }
}
