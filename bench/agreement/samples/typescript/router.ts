/* A tiny URL router: patterns with :params, matched in order. */
type Params = Record<string, string>;
type Handler = (params: Params, query: URLSearchParams) => string | Promise<string>;

interface Route {
  pattern: RegExp;
  names: string[];
  handler: Handler;
}

export abstract class BaseRouter {
  protected routes: Route[] = [];
  abstract notFound(path: string): string;
}

export class Router extends BaseRouter implements Iterable<Route> {
  add(path: string, handler: Handler): Router {
    const names: string[] = [];
    const source = path.replace(/:(\w+)/g, (_match: string, name: string) => {
      names.push(name);
      return "([^/]+)";
    });
    this.routes.push({ pattern: new RegExp(`^${source}$`), names, handler });
    return this;
  }

  async dispatch(url: string): Promise<string> {
    const [path, search = ""] = url.split("?", 2);
    for (const route of this.routes) {
      const match = route.pattern.exec(path);
      if (match === null) continue;
      const params: Params = {};
      route.names.forEach((name, i) => (params[name] = decodeURIComponent(match[i + 1])));
      return await route.handler(params, new URLSearchParams(search));
    }
    return this.notFound(path);
  }

  notFound(path: string): string {
    return `404: no route for '${path}'`;
  }

  [Symbol.iterator](): Iterator<Route> {
    return this.routes[Symbol.iterator]();
  }
}

const router = new Router()
  .add("/users/:id", ({ id }) => `user ${id}`)
  .add("/files/:dir/:name", async ({ dir, name }, query) => {
    const size = Number(query.get("size") ?? "0");
    return `${dir}/${name} (${size.toFixed(1)} bytes)`;
  });

namespace Debug {
  export const enabled: boolean = false;
  export function log(...args: any[]): void {
    if (enabled) console.log("[router]", ...args);
  }
}

let pending: Promise<string>[] = ["/users/42", "/files/docs/a%20b.txt?size=12", "/nothing"].map((u) => router.dispatch(u));
Promise.all(pending).then((results) => {
  for (let i = 0; i < results.length; i++) {
    Debug.log(i, results[i]);
  }
}).catch((e) => { throw e; });

function assertNever(x: never): never {
  throw new Error("unexpected: " + x);
}
const tuple: [number, string, boolean?] = [1, 'one'];
const nothing: null = null, missing: void = undefined;
console.log(tuple, nothing, missing, typeof assertNever, 1e3, 0x1F, NaN, Infinity);
