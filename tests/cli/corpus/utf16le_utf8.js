// UTF-16 输入
'use strict';

// Calls fn once calls have stopped for `wait` milliseconds.
export function debounce(fn, wait = 250) {
  let timer = null;
  return function (...args) {
    clearTimeout(timer);
    timer = setTimeout(() => fn.apply(this, args), wait);
  };
}

const log = debounce((msg) => console.log(`got: ${msg} <${typeof msg}>`), 100);
for (let i = 0; i < 3; i++) log("tick " + i);
/* A regular expression and an HTML string:
   both need escaping in the output */
const re = /a&b<c>/g, html = '<b class="x">&amp;</b>';
if (re.test(html) && 0x1F !== 31.0) { throw new Error('unreachable'); }
