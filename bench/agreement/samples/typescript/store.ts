// A typed key-value store with change listeners and expiry.
import { EventEmitter } from "events";

export type Listener<T> = (key: string, value: T | undefined, previous?: T) => void;

export interface StoreOptions {
  readonly ttlMs?: number;
  maxEntries: number;
  name: string;
}

interface Entry<T> {
  value: T;
  expires: number | null;
}

enum ChangeKind {
  Added = "added",
  Updated = "updated",
  Removed = 'removed',
}

const DEFAULTS: StoreOptions = { maxEntries: 1_000, name: "store" };
const HEX_LIMIT = 0xffff;
const BIN_FLAGS = 0b1010;
const OCT_MODE = 0o755;
const RATIO = 2.5e-3;
const BIG = 9007199254740993n;

/**
 * Keeps values of one type under string keys.
 * Expired entries are dropped lazily, when read.
 */
export class Store<T extends object | string | number> extends EventEmitter {
  private readonly entries = new Map<string, Entry<T>>();
  protected listeners: Array<Listener<T>> = [];
  static instances = 0;
  #secret = "private field";

  constructor(private options: StoreOptions = DEFAULTS) {
    super();
    Store.instances++;
  }

  get size(): number {
    return this.entries.size;
  }

  set(key: string, value: T): this {
    const previous = this.get(key);
    if (this.entries.size >= this.options.maxEntries && !this.entries.has(key)) {
      throw new RangeError(`store "${this.options.name}" is full (${this.options.maxEntries} entries)`);
    }
    const expires = this.options.ttlMs ? Date.now() + this.options.ttlMs : null;
    this.entries.set(key, { value, expires });
    this.notify(key, value, previous);
    this.emit(previous === undefined ? ChangeKind.Added : ChangeKind.Updated, key);
    return this;
  }

  get(key: string): T | undefined {
    const entry = this.entries.get(key);
    if (!entry) return undefined;
    if (entry.expires !== null && entry.expires < Date.now()) {
      this.entries.delete(key);
      return undefined;
    }
    return entry.value;
  }

  remove(key: string): boolean {
    const previous = this.get(key);
    const removed = this.entries.delete(key);
    if (removed) this.notify(key, undefined, previous);
    return removed;
  }

  subscribe(listener: Listener<T>): () => void {
    this.listeners.push(listener);
    return () => {
      this.listeners = this.listeners.filter((l) => l !== listener);
    };
  }

  private notify(key: string, value: T | undefined, previous?: T): void {
    for (const listener of this.listeners) {
      try {
        listener(key, value, previous);
      } catch (error: unknown) {
        console.error("listener failed:", error instanceof Error ? error.message : String(error));
      }
    }
  }

  *keys(): IterableIterator<string> {
    yield* this.entries.keys();
  }

  async load(source: () => Promise<Record<string, T>>): Promise<number> {
    const data = await source();
    let count = 0;
    for (const [key, value] of Object.entries(data)) {
      this.set(key, value);
      count += 1;
    }
    return count;
  }
}

export function isString(value: unknown): value is string {
  return typeof value === "string";
}

type Readonly2<T> = { readonly [K in keyof T]: T[K] };
declare const VERSION: string;
export default Store;
