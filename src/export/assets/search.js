// The viewer's full-text search over the exported index (search-index.js, loaded before this
// script on search.html). A query's terms are joined by " + " (and) and " - " (or), combined
// strictly from left to right; a term matches a record when one single line holds it; unless
// case counts, only the letters a-z are folded. Hits are listed in entry order.
// On an entry page opened from the hits, the same script marks the query's terms in the text.
"use strict";

(function () {
    const kCarried = "lumarc-search:";
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

    // The terms a line can show: an empty term matches nothing, and no line holds a line end.
    const markable = (query) => query.terms.filter((term) => term !== "" && !term.includes("\n"));

    // Per character of `folded`, whether one of the terms covers it.
    function covered(folded, terms) {
        const marked = new Array(folded.length).fill(false);
        for (const term of terms)
            for (let from = folded.indexOf(term); from >= 0; from = folded.indexOf(term, from + 1))
                marked.fill(true, from, from + term.length);
        return marked;
    }

    // Appends `text` to `parent`, the covered runs inside <mark>.
    function appendMarked(parent, text, marked) {
        for (let start = 0, end = 0; start < text.length; start = end) {
            while (end < text.length && marked[end] === marked[start])
                ++end;
            const part = document.createTextNode(text.slice(start, end));
            if (marked[start]) {
                const mark = document.createElement("mark");
                mark.appendChild(part);
                parent.appendChild(mark);
            } else {
                parent.appendChild(part);
            }
        }
    }

    // The first line that holds a term, marked, as the entry shows it: without its font tag
    // (a short text's OEM lines, from `oemFrom` on, have none).
    function shownLine(lines, folded, terms, oemFrom) {
        const at = folded.findIndex((line) => terms.some((term) => line.includes(term)));
        if (at < 0)
            return null;
        const marked = covered(folded[at], terms);
        let text = lines[at];
        const tag = at < oemFrom ? text.search(/<[Ff]/) : -1;
        if (tag >= 0) {
            text = text.slice(0, tag) + text.slice(tag + 4);
            marked.splice(tag, 4);
        }
        const span = document.createElement("span");
        span.className = "line";
        appendMarked(span, text, marked);
        return span;
    }

    // A parameter of the page's address. A form sends a space as "+"; an address written by
    // hand may send it as "%20" and a plus as it is, and then "+" is a plus.
    function parameter(name) {
        const decode = (text) => {
            try {
                return decodeURIComponent(text);
            } catch (e) {
                return text;
            }
        };
        for (const part of location.search.slice(1).split("&")) {
            const eq = part.indexOf("=");
            const raw = eq < 0 ? "" : part.slice(eq + 1);
            if (decode(eq < 0 ? part : part.slice(0, eq)) === name)
                return decode(/%20/i.test(raw) ? raw : raw.replace(/\+/g, " "));
        }
        return null;
    }

    function runSearch(hits) {
        const queryText = parameter("q") || "";
        const caseSensitive = parameter("case") === "1";
        document.getElementById("q").value = queryText;
        document.getElementById("case").checked = caseSensitive;
        if (queryText === "")
            return;
        document.title = "Volltextsuche nach \u201e" + queryText + "\u201c";

        const index = window.lumarcSearchIndex;
        const status = document.getElementById("status");
        if (!index || !Array.isArray(index.entries)) {
            status.textContent = "Der Suchindex (search-index.js) fehlt oder ist besch\u00e4digt.";
            return;
        }
        const query = parseQuery(queryText, caseSensitive);
        const terms = markable(query);
        // The entry opened from a hit marks the terms: the query goes along in the tab's name,
        // so the links stay plain.
        const carried = kCarried + JSON.stringify({ q: queryText, c: caseSensitive });
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
            link.addEventListener("click", () => { window.name = carried; });
            item.appendChild(link);
            const line = shownLine(lines, folded, terms, isShort ? 1 : lines.length);
            if (line)
                item.appendChild(line);
            hits.appendChild(item);
            ++count;
        }
        status.textContent = "Fundstellen: " + count;
    }

    function markEntry(text) {
        if (!window.name.startsWith(kCarried))
            return;
        let search = null;
        try {
            search = JSON.parse(window.name.slice(kCarried.length));
        } catch (e) {
            search = null;
        }
        window.name = "";
        if (!search || typeof search.q !== "string")
            return;
        const terms = markable(parseQuery(search.q, search.c === true));
        let first = null;
        for (const span of Array.from(text.children)) {
            const line = span.textContent;
            const marked = covered(search.c === true ? line : foldAZ(line), terms);
            if (!marked.includes(true))
                continue;
            span.textContent = "";
            appendMarked(span, line, marked);
            first = first || span.querySelector("mark");
        }
        if (first)
            first.scrollIntoView({ block: "center" });
    }

    // The search of a library's website (library.js) uses the same rules.
    window.lumarcSearch = { kCarried, foldAZ, parseQuery, matches, markable, shownLine, parameter };

    const hits = document.getElementById("hits");
    const text = document.getElementById("text");
    if (hits)
        runSearch(hits);
    else if (text)
        markEntry(text);
})();
