// Audits every page of an exported site with axe-core (WCAG 2.1 A and AA) in headless Chromium,
// the search page with a query among them, and checks what the audit leaves to people: body text
// of at least 16 px and no page wider than a phone of 390 px.
//   node audit.mjs SITE_DIR QUERY
// Prints each violation's rule, impact and element; exits 1 when there is any.
import { readdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const require = createRequire(import.meta.url);
const puppeteer = require('puppeteer-core');
const axePath = require.resolve('axe-core/axe.min.js');

const [site, query] = process.argv.slice(2).map((arg, i) => (i === 0 ? resolve(arg) : arg));
const pages = [];
for (const dir of ['', 'entry']) {
  for (const name of readdirSync(join(site, dir)).sort()) {
    if (name.endsWith('.html')) pages.push(join(dir, name));
  }
}
const urls = pages.map((page) => pathToFileURL(join(site, page)).href);
urls.push(`${pathToFileURL(join(site, 'search.html')).href}?q=${encodeURIComponent(query)}`);

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--allow-file-access-from-files'],
});
let problems = 0;
const report = (url, text) => {
  problems += 1;
  console.log(`${url.replace(pathToFileURL(site).href + '/', '')}: ${text}`);
};
try {
  const page = await browser.newPage();
  for (const url of urls) {
    await page.setViewport({ width: 1024, height: 768 });
    await page.goto(url, { waitUntil: 'load' });
    await page.addScriptTag({ path: axePath });
    const result = await page.evaluate(() =>
      window.axe.run(document, { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21aa'] } }));
    for (const violation of result.violations) {
      for (const node of violation.nodes) {
        report(url, `${violation.id} (${violation.impact}): ${node.target.join(' ')} – ${node.failureSummary.replace(/\s+/g, ' ')}`);
      }
    }
    const small = await page.evaluate(() => {
      const size = (element) => (element ? parseFloat(getComputedStyle(element).fontSize) : 16);
      return [document.body, document.querySelector('#text .f0, #text')].filter((e) => e && size(e) < 16)
        .map((e) => `${e.tagName.toLowerCase()}${e.id ? '#' + e.id : ''} ${getComputedStyle(e).fontSize}`);
    });
    for (const element of small) report(url, `text smaller than 16 px: ${element}`);
    await page.setViewport({ width: 390, height: 844 });
    const wide = await page.evaluate(() => document.documentElement.scrollWidth);
    if (wide > 390) report(url, `wider than 390 px at a phone's width: ${wide} px`);
  }
} finally {
  await browser.close();
}
console.log(`${urls.length} pages audited, ${problems} problems`);
process.exit(problems ? 1 : 0);
