// The viewer's full-text search over the exported index (search-index.js, loaded before this
// script). A query's terms are joined by " + " (and) and " - " (or), combined strictly from
// left to right; a term matches a record when one single line holds it; unless case counts,
// only the letters a-z are folded. Hits are listed in entry order.
"use strict";

(function () {
    const foldAZ = (text) => text.replace(/[a-z]+/g, (run) => run.toUpperCase());

    function parseQuery(query, caseSensitive) {
        let rest = caseSensitive ? query : foldAZ(query);
        const terms = [];
        const ops = [];  // after each term but the last: 0 and, 1 or
        for (;;) {
            const and = rest.indexOf(" + ");
            const or = rest.indexOf(" - ");
            if (and < 0 && or < 0)
                break;
            const isOr = or >= 0 && (and < 0 || or < and);
            const at = isOr ? or : and;
            terms.push(rest.slice(0, at));
            ops.push(isOr ? 1 : 0);
            rest = rest.slice(at + 3);
        }
        terms.push(rest);
        return { terms, ops };
    }

    function matches(lines, query) {
        if (lines.length === 0)
            return false;
        let result = false;
        query.terms.forEach((term, i) => {
            const found = term !== "" && lines.some((line) => line.includes(term));
            result = i === 0 ? found : query.ops[i - 1] === 0 ? result && found : result || found;
        });
        return result;
    }

    // The first line that holds a term, with each place a term occurs marked, shown as the
    // entry shows it: without its font tag (a short text's OEM lines have none).
    function shownLine(lines, folded, query, oemFrom) {
        const terms = query.terms.filter((term) => term !== "" && !term.includes("\n"));
        const at = folded.findIndex((line) => terms.some((term) => line.includes(term)));
        if (at < 0)
            return null;
        const marked = new Array(folded[at].length).fill(false);
        for (const term of terms)
            for (let from = folded[at].indexOf(term); from >= 0; from = folded[at].indexOf(term, from + 1))
                marked.fill(true, from, from + term.length);
        let text = lines[at];
        const tag = at < oemFrom ? text.search(/<[Ff]/) : -1;
        if (tag >= 0) {
            text = text.slice(0, tag) + text.slice(tag + 4);
            marked.splice(tag, 4);
        }
        const span = document.createElement("span");
        span.className = "line";
        let start = 0;
        while (start < text.length) {
            let end = start;
            while (end < text.length && marked[end] === marked[start])
                ++end;
            const part = document.createTextNode(text.slice(start, end));
            if (marked[start]) {
                const mark = document.createElement("mark");
                mark.appendChild(part);
                span.appendChild(mark);
            } else {
                span.appendChild(part);
            }
            start = end;
        }
        return span;
    }

    const params = new URLSearchParams(location.search);
    const queryText = params.get("q") || "";
    const caseSensitive = params.get("case") === "1";
    const field = document.getElementById("q");
    field.value = queryText;
    document.getElementById("case").checked = caseSensitive;
    if (queryText === "")
        return;
    document.title = "Volltextsuche nach \u201e" + queryText + "\u201c";

    const index = window.lumarcSearchIndex;
    const status = document.getElementById("status");
    if (!index || !Array.isArray(index.entries)) {
        status.textContent = "Der Suchindex (search-index.js) fehlt oder ist beschädigt.";
        return;
    }
    const query = parseQuery(queryText, caseSensitive);
    const hits = document.getElementById("hits");
    let count = 0;
    for (const [entry, hitText, lines, isShort] of index.entries) {
        const folded = caseSensitive ? lines : lines.map(foldAZ);
        if (!matches(folded, query))
            continue;
        const item = document.createElement("li");
        item.dataset.entry = String(entry);
        const link = document.createElement("a");
        link.href = "entry/" + entry + ".html";
        link.textContent = hitText;
        item.appendChild(link);
        const line = shownLine(lines, folded, query, isShort ? 1 : lines.length);
        if (line)
            item.appendChild(line);
        hits.appendChild(item);
        ++count;
    }
    status.textContent = "Fundstellen: " + count;
})();
