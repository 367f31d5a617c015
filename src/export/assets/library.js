// The search of a library's website: the same query rules as one catalogue's search
// (search.js), over every catalogue, the hits grouped by catalogue in the library's order.
// Only what a query needs is loaded: the words of all records, the shards of postings that hold
// the words containing a term, and the chunks of the records those name (bibliothek-index/).
"use strict";

(function () {
    const api = window.lumarcSearch;
    const library = window.lumarcLibrary;
    const kIndex = "bibliothek-index/";
    const postings = {};
    const chunks = {};
    let words = null;
    window.lumarcLibraryWords = (text) => { words = text === "" ? [] : text.split("\n"); };
    window.lumarcLibraryPostings = (shard, map) => { postings[shard] = map; };
    window.lumarcLibraryRecords = (chunk, records) => { chunks[chunk] = records; };

    // Scripts, not requests: they load from file:// too.
    const loading = {};
    function load(name) {
        if (!loading[name]) {
            loading[name] = new Promise((resolve, reject) => {
                const script = document.createElement("script");
                script.src = kIndex + name;
                script.onload = resolve;
                script.onerror = () => reject(new Error(name));
                document.head.appendChild(script);
            });
        }
        return loading[name];
    }

    // As the index splits words: at blanks, control characters, no-break spaces and ASCII
    // punctuation.
    const isSeparator = (c) => c <= 0x20 || c === 0xa0 || (c < 0x80 && !/[0-9A-Za-z]/.test(String.fromCharCode(c)));

    // The longest run of word characters in a folded term: every record that holds the term
    // has a word that holds the run.
    function longestRun(term) {
        let best = "";
        let run = "";
        for (const ch of term + " ") {
            if (isSeparator(ch.charCodeAt(0))) {
                if (run.length > best.length)
                    best = run;
                run = "";
            } else {
                run += ch;
            }
        }
        return best;
    }

    function shardOf(word) {
        let hash = 2166136261;
        for (const byte of new TextEncoder().encode(word))
            hash = Math.imul(hash ^ byte, 16777619) >>> 0;
        return hash % library.shards;
    }

    // The records that may hold the term, or null for every record.
    async function candidates(term) {
        if (term === "")
            return new Set();
        const run = longestRun(api.foldAZ(term));
        if (run === "")
            return null;
        await load("words.js");
        const matching = words.filter((word) => word.includes(run));
        const shards = new Set(matching.map(shardOf));
        if (shards.size * 4 > library.shards)
            return null;
        await Promise.all(Array.from(shards, (shard) => load("p" + shard + ".js")));
        const ids = new Set();
        for (const word of matching)
            for (const id of postings[shardOf(word)][word] || [])
                ids.add(id);
        return ids;
    }

    // Joined as the terms are: from left to right, "and" a meet, "or" a join.
    function combine(sets, ops) {
        let result = sets[0];
        for (let i = 1; i < sets.length; ++i) {
            const next = sets[i];
            if (ops[i - 1] === 0)
                result = result === null ? next : next === null ? result : new Set([...result].filter((id) => next.has(id)));
            else
                result = result === null || next === null ? null : new Set([...result, ...next]);
        }
        return result;
    }

    function chunkOf(id) {
        let low = 0;
        let high = library.chunkStarts.length - 1;
        while (low < high) {
            const middle = (low + high + 1) >> 1;
            if (library.chunkStarts[middle] <= id)
                low = middle;
            else
                high = middle - 1;
        }
        return low;
    }

    async function runSearch(hits) {
        const queryText = api.parameter("q") || "";
        const caseSensitive = api.parameter("case") === "1";
        document.getElementById("q").value = queryText;
        document.getElementById("case").checked = caseSensitive;
        if (queryText === "")
            return;
        document.title = "Volltextsuche nach \u201e" + queryText + "\u201c in der Bibliothek";
        const status = document.getElementById("status");
        if (!library || !Array.isArray(library.chunkStarts)) {
            status.textContent = "Der Suchindex der Bibliothek fehlt oder ist besch\u00e4digt.";
            return;
        }
        status.textContent = "Suche \u2026";
        const query = api.parseQuery(queryText, caseSensitive);
        const terms = api.markable(query);
        const carried = api.kCarried + JSON.stringify({ q: queryText, c: caseSensitive });
        let found;
        try {
            const ids = combine(await Promise.all(query.terms.map(candidates)), query.ops);
            const wanted = ids === null ? library.chunkStarts.map((start, chunk) => chunk)
                                        : Array.from(new Set(Array.from(ids, chunkOf)));
            await Promise.all(wanted.map((chunk) => load("r" + chunk + ".js")));
            found = [];
            for (const chunk of wanted.sort((a, b) => a - b)) {
                chunks[chunk].forEach((record, i) => {
                    if (ids === null || ids.has(library.chunkStarts[chunk] + i))
                        found.push(record);
                });
            }
        } catch (error) {
            status.textContent = "Ein Teil des Suchindex fehlt: " + error.message;
            return;
        }
        let count = 0;
        let group = null;
        let groupOf = -1;
        for (const [catalogue, entry, hitText, lines, isShort] of found) {
            const folded = caseSensitive ? lines : lines.map(api.foldAZ);
            if (!api.matches(folded, query))
                continue;
            const dir = library.catalogues[catalogue].dir;
            if (catalogue !== groupOf) {
                const section = document.createElement("section");
                const heading = document.createElement("h2");
                heading.textContent = dir + " \u2013 " + library.catalogues[catalogue].title;
                group = document.createElement("ul");
                section.append(heading, group);
                hits.appendChild(section);
                groupOf = catalogue;
            }
            const item = document.createElement("li");
            item.dataset.catalogue = dir;
            item.dataset.entry = String(entry);
            const link = document.createElement("a");
            link.href = encodeURIComponent(dir) + "/entry/" + entry + ".html";
            link.textContent = hitText;
            link.addEventListener("click", () => { window.name = carried; });
            item.appendChild(link);
            const line = api.shownLine(lines, folded, terms, isShort ? 1 : lines.length);
            if (line)
                item.appendChild(line);
            group.appendChild(item);
            ++count;
        }
        status.textContent = "Fundstellen: " + count;
    }

    const hits = document.getElementById("library-hits");
    if (hits && api)
        runSearch(hits);
})();
