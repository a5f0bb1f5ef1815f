// Runs inside the page: measures each fragment and writes the figures,
// URI-encoded JSON, into <pre id="lumatype-result"> for --dump-dom.
(function () {
    'use strict';
    const collapsible = /[ \t\r\n]/;
    const blank = /[ \t\r\n\u00a0]/;

    function rectOf(node, start, end) {
        const range = document.createRange();
        range.setStart(node, start);
        range.setEnd(node, end);
        return range.getBoundingClientRect();
    }

    // The text of each line of a cell (lines end at <br>), as text nodes
    // with the character offsets that belong to the line.
    function cellLines(cell) {
        const lines = [[]];
        const walker = document.createTreeWalker(cell, NodeFilter.SHOW_TEXT | NodeFilter.SHOW_ELEMENT);
        while (walker.nextNode()) {
            const node = walker.currentNode;
            if (node.nodeType === Node.ELEMENT_NODE) {
                if (node.tagName === 'BR') lines.push([]);
            } else {
                lines[lines.length - 1].push(node);
            }
        }
        return lines;
    }

    // The first or last character of a line that is not blank, as
    // [node, offset], or null.
    function edgeCharacter(nodes, fromEnd) {
        const order = fromEnd ? [...nodes].reverse() : nodes;
        for (const node of order) {
            const text = node.data;
            for (let k = 0; k < text.length; ++k) {
                const i = fromEnd ? text.length - 1 - k : k;
                if (!blank.test(text[i])) return [node, i];
            }
        }
        return null;
    }

    // The top of each line's box in the cell's own font: a <br> ends every
    // line but the last, whose last character must be set in that font.
    function lineTops(cell, origin) {
        const lines = cellLines(cell);
        const tops = [...cell.querySelectorAll('br')].map(br => br.getBoundingClientRect().top - origin.top);
        const last = edgeCharacter(lines[lines.length - 1], true);
        if (last) tops.push(rectOf(last[0], last[1], last[1] + 1).top - origin.top);
        return tops;
    }

    function leadingBlanks(nodes) {
        let count = 0;
        for (const node of nodes) {
            for (const c of node.data) {
                if (c === '\u00a0') ++count;
                else if (!collapsible.test(c)) return count;
            }
        }
        return count;
    }

    function measureCase(wrapper) {
        const table = wrapper.querySelector('table');
        const origin = table.getBoundingClientRect();
        const cells = table.rows[1].cells;
        const numbered = cells.length === 9;
        const numberCell = numbered ? cells[2] : null;
        const codeCell = cells[numbered ? 6 : 2];
        const codeBox = codeCell.getBoundingClientRect();
        const style = element => getComputedStyle(element);

        const lines = cellLines(codeCell);
        // The element that sets the code's font: the cell, or with font
        // tags the tag inside it.
        const firstCode = edgeCharacter(lines.flat(), false);
        const codeFont = firstCode ? firstCode[0].parentElement : codeCell;
        const probeWidth = text => {
            const probe = document.createElement('span');
            probe.textContent = text.repeat(40);
            codeFont.appendChild(probe);
            const width = probe.getBoundingClientRect().width / 40;
            probe.remove();
            return width;
        };
        const blankWidth = probeWidth('\u00a0');
        const letterWidths = { i: probeWidth('i'), W: probeWidth('W') };
        // Where each line starts (its first pixel row, for a line that
        // wraps) and ends, by its first and last character that is not blank.
        const indents = lines.map(nodes => {
            const first = edgeCharacter(nodes, false);
            const last = edgeCharacter(nodes, true);
            const firstBox = first && rectOf(first[0], first[1], first[1] + 1);
            return {
                blanks: leadingBlanks(nodes),
                offset: first ? firstBox.left - codeBox.left : null,
                top: first ? firstBox.top - origin.top : null,
                right: last ? rectOf(last[0], last[1], last[1] + 1).right : null,
            };
        });
        // The colour of every character of the code that is not blank.
        const characters = lines.map(nodes => nodes.map(node =>
            [...node.data].filter(c => !blank.test(c)).map(c => [c, style(node.parentElement).color])).flat());
        const fragment = wrapper.querySelector('div');
        const fragmentBox = fragment.getBoundingClientRect();
        const widths = {
            container: wrapper.clientWidth,
            containerScroll: wrapper.scrollWidth,
            fragment: fragmentBox.width,
            fragmentScroll: fragment.scrollWidth,
            longestLine: Math.max(...indents.map(line => line.right === null ? 0 : line.right - fragmentBox.left)),
        };

        const spans = [...codeCell.querySelectorAll('span')].map(span => {
            const box = span.getBoundingClientRect();
            return { text: span.textContent.replace(/\s+$/, ''), color: style(span).color,
                     left: box.left - origin.left, top: box.top - origin.top };
        });
        const numbers = numbered ? cellLines(numberCell).map(nodes => {
            const text = nodes.map(node => node.data).join('').trim();
            const first = edgeCharacter(nodes, false);
            const box = first ? rectOf(first[0], first[1], first[1] + 1) : null;
            return { text, left: box && box.left - origin.left, top: box && box.top - origin.top,
                     color: first && style(first[0].parentElement).color };
        }) : [];
        const borderCells = [table.rows[0].cells[0], cells[0], cells[numbered ? 4 : 0], cells[cells.length - 1],
                             table.rows[2].cells[0]];
        return {
            mode: document.compatMode,
            fontFamily: style(codeFont).fontFamily,
            fontSize: style(codeFont).fontSize,
            numberTops: numbered ? lineTops(numberCell, origin) : [],
            codeTops: lineTops(codeCell, origin),
            numbers,
            numberColor: numbered ? style(numberCell).color : null,
            numberBackground: numbered ? style(numberCell).backgroundColor : null,
            codeColor: style(codeCell).color,
            codeBackground: style(codeCell).backgroundColor,
            blankWidth,
            letterWidths,
            indents,
            characters,
            widths,
            spans,
            borders: borderCells.map(cell => {
                const box = cell.getBoundingClientRect();
                return { background: style(cell).backgroundColor, width: box.width, height: box.height };
            }),
        };
    }

    const result = {};
    try {
        for (const wrapper of document.querySelectorAll('.lumatype-case')) result[wrapper.id] = measureCase(wrapper);
    } catch (error) {
        result.error = String(error && error.stack || error);
    }
    const out = document.createElement('pre');
    out.id = 'lumatype-result';
    out.textContent = encodeURIComponent(JSON.stringify(result));
    document.body.appendChild(out);
})();
