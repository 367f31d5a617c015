// The component list of components.html, filtered in the browser over components-data.js (loaded
// before this script) as the viewer's component list filters: every filter that is set must
// hold, within one filter any of its checked values; beside each value the number of rows it
// would leave with the other filters as they are. A column's heading sorts by it.
// The address may set filters: ?q=TEXT&compiler=delphi1|delphi2|bp&rating=PERCENT&keyword=WORD&new=1
// (compiler and keyword repeatable).
"use strict";

(function () {
    const rows = window.lumarcComponents;
    const form = document.getElementById("filters");
    const table = document.getElementById("list");
    if (!rows || !form || !table)
        return;
    const body = table.tBodies[0];
    const status = document.getElementById("status");
    const none = "ohne Angabe";
    const compilerNames = ["Delphi 1.0X", "Delphi 2", "BPascal"];
    // Key words that differ only in the letters a-z are one, as in the viewer.
    const foldAZ = (text) => text.replace(/[A-Z]+/g, (run) => run.toLowerCase());
    const shown = (text) => (text.trim() === "" ? none : text);

    // Each row's own values, once.
    const items = rows.map((row, index) => ({
        row,
        index,
        haystack: [row.longName, row.shortName, ...row.keyWords].join("\n").toLowerCase(),
        language: shown(row.language),
        distribution: shown(row.distribution),
        os: shown(row.os),
        keys: [...new Set(row.keyWords.map(foldAZ))],
    }));
    const keyWordNames = new Map();
    for (const item of items)
        item.row.keyWords.forEach((word) => keyWordNames.has(foldAZ(word)) || keyWordNames.set(foldAZ(word), word));

    // A checkbox for a value, with its count, at the end of the fieldset.
    function addBox(set, boxes, value, caption) {
        const label = document.createElement("label");
        const box = document.createElement("input");
        box.type = "checkbox";
        box.value = value;
        const count = document.createElement("span");
        count.className = "count";
        label.append(box, " " + caption + " ", count);
        set.appendChild(label);
        boxes.set(value, { box, count, label, caption });
        return boxes.get(value);
    }
    // A fieldset of checkboxes, one per value that occurs, in alphabetical order unless not `sorted`.
    function valueBoxes(id, values, caption, sorted = true) {
        const set = document.getElementById(id);
        const boxes = new Map();
        const distinct = [...new Set(values)];
        if (sorted)
            distinct.sort((a, b) => caption(a).localeCompare(caption(b), "de"));
        distinct.forEach((value) => addBox(set, boxes, value, caption(value)));
        return boxes;
    }
    const facets = {
        compiler: valueBoxes("f-compilers", [0, 1, 2], (bit) => compilerNames[bit], false),
        language: valueBoxes("f-languages", items.map((i) => i.language), (v) => v),
        distribution: valueBoxes("f-distributions", items.map((i) => i.distribution), (v) => v),
        os: valueBoxes("f-oses", items.map((i) => i.os), (v) => v),
        keyWord: valueBoxes("f-keywords", items.flatMap((i) => i.keys), (key) => keyWordNames.get(key)),
    };
    const rating = document.getElementById("f-rating");
    for (let percent = 0; percent <= 100; percent += 10)
        rating.add(new Option(percent + " %", String(percent)));
    const text = document.getElementById("f-text");
    const keyWordText = document.getElementById("f-keyword-text");
    const onlyNew = document.getElementById("f-new");

    const checked = (boxes) => [...boxes.entries()].filter(([, b]) => b.box.checked).map(([value]) => value);
    // Per facet, whether a row passes it; a facet with nothing checked asks nothing.
    function tests() {
        const wanted = text.value.trim().toLowerCase();
        const compilers = checked(facets.compiler).reduce((mask, bit) => mask | (1 << bit), 0);
        const pick = (facet) => new Set(checked(facets[facet]));
        const languages = pick("language");
        const distributions = pick("distribution");
        const oses = pick("os");
        const keyWords = pick("keyWord");
        const minimum = Number(rating.value);
        return {
            text: (i) => wanted === "" || i.haystack.includes(wanted),
            compiler: (i) => compilers === 0 || (i.row.compiler & compilers) !== 0,
            language: (i) => languages.size === 0 || languages.has(i.language),
            rating: (i) => i.row.rating * 10 >= minimum,
            distribution: (i) => distributions.size === 0 || distributions.has(i.distribution),
            os: (i) => oses.size === 0 || oses.has(i.os),
            keyWord: (i) => keyWords.size === 0 || i.keys.some((k) => keyWords.has(k)),
            fresh: (i) => !onlyNew.checked || i.row.new,
        };
    }

    let sortKey = null;
    let sortDown = false;
    const sortValue = {
        name: (i) => i.row.longName.toLowerCase(),
        version: (i) => i.row.version.toLowerCase(),
        rating: (i) => i.row.rating,
        distribution: (i) => i.row.distribution.toLowerCase(),
        language: (i) => i.row.language.toLowerCase(),
        compilers: (i) => i.row.compilers.join(", ").toLowerCase(),
        os: (i) => i.row.os.toLowerCase(),
        price: (i) => i.row.price.toLowerCase(),
        date: (i) => i.row.date || "",
    };
    // The table's own rows, by entry order: the page wrote them, the script only reorders them.
    const lines = [...body.rows];

    function update() {
        const test = tests();
        const names = Object.keys(test);
        const counts = { compiler: new Map(), language: new Map(), distribution: new Map(), os: new Map(), keyWord: new Map(), fresh: 0 };
        const add = (map, value) => map.set(value, (map.get(value) || 0) + 1);
        const passing = [];
        for (const item of items) {
            const failed = names.filter((name) => !test[name](item));
            if (failed.length === 0)
                passing.push(item);
            const others = (own) => failed.length === 0 || (failed.length === 1 && failed[0] === own);
            if (others("compiler"))
                [0, 1, 2].forEach((bit) => (item.row.compiler >> bit) & 1 && add(counts.compiler, bit));
            if (others("language"))
                add(counts.language, item.language);
            if (others("distribution"))
                add(counts.distribution, item.distribution);
            if (others("os"))
                add(counts.os, item.os);
            if (others("keyWord"))
                item.keys.forEach((key) => add(counts.keyWord, key));
            if (others("fresh") && item.row.new)
                ++counts.fresh;
        }
        for (const facet of Object.keys(facets))
            for (const [value, b] of facets[facet])
                b.count.textContent = "(" + (counts[facet].get(value) || 0) + ")";
        onlyNew.parentElement.querySelector(".count").textContent = "(" + counts.fresh + ")";
        const narrow = keyWordText.value.trim().toLowerCase();
        for (const b of facets.keyWord.values())
            b.label.hidden = narrow !== "" && !b.caption.toLowerCase().includes(narrow) && !b.box.checked;

        if (sortKey) {
            const key = sortValue[sortKey];
            passing.sort((a, b) => {
                const x = key(a);
                const y = key(b);
                const order = x < y ? -1 : x > y ? 1 : 0;
                return (sortDown ? -order : order) || a.index - b.index;
            });
        }
        body.replaceChildren(...passing.map((item) => lines[item.index]));
        status.textContent = passing.length + " von " + items.length + " Komponenten";
    }

    // Each heading becomes a button that sorts by its column, a second press the other way.
    for (const th of table.tHead.rows[0].cells) {
        const button = document.createElement("button");
        button.type = "button";
        button.textContent = th.textContent;
        th.replaceChildren(button);
        button.addEventListener("click", () => {
            sortDown = sortKey === th.dataset.key ? !sortDown : false;
            sortKey = th.dataset.key;
            for (const other of table.tHead.rows[0].cells)
                other.removeAttribute("aria-sort");
            th.setAttribute("aria-sort", sortDown ? "descending" : "ascending");
            update();
        });
    }
    // Filters given in the address, so that a narrowed list can be linked.
    const given = new URLSearchParams(location.search);
    text.value = given.get("q") || "";
    const compilerOf = { delphi1: 0, delphi2: 1, bp: 2 };
    for (const name of given.getAll("compiler"))
        if (name in compilerOf)
            facets.compiler.get(compilerOf[name]).box.checked = true;
    // A key word no component has is checked all the same, and leaves nothing.
    for (const word of given.getAll("keyword")) {
        const key = foldAZ(word);
        const b = facets.keyWord.get(key) || addBox(document.getElementById("f-keywords"), facets.keyWord, key, word);
        b.box.checked = true;
    }
    if (given.has("rating"))
        rating.value = String(Math.min(100, Math.max(0, Math.ceil(Number(given.get("rating")) / 10) * 10 || 0)));
    onlyNew.checked = given.get("new") === "1";

    form.addEventListener("input", update);
    form.addEventListener("change", update);
    form.addEventListener("submit", (event) => event.preventDefault());
    form.addEventListener("reset", () => setTimeout(update));
    form.hidden = false;
    update();
})();
