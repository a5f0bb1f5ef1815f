const quote = /['"]/g, ratio = total / count / 2;
function clean(s) {
    return s.replace(/[/\\]+/, '') + `multi
line ${quote}`;
}
