// Makes the workbench one self-contained HTML file that opens from the disk:
// the style sheet inlined, and every module the page imports (its own, the
// JavaScript package and the loader carrying the .wasm) stored in the file
// as text. A browser will not load module files beside a page opened from
// the disk, so a small inline loader hands each module to the browser as a
// blob URL, its imports pointed at the blob URLs of the modules they name.
//
// usage: node build.mjs [OUTPUT.html]
import { readFileSync, writeFileSync, mkdirSync, renameSync } from 'node:fs';
import { dirname, join, relative, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const pageDir = dirname(fileURLToPath(import.meta.url));
const webDir = dirname(pageDir);
const output = resolve(process.argv[2] ?? join(pageDir, 'dist', 'morlune-workbench.html'));

// Static imports and re-exports: `import ... from '...'`, `export ... from '...'`,
// and the bare `import '...'`. Dynamic imports are left alone: those the
// page reaches (none) would have to be named here.
const STATIC_IMPORT = /(^|[;\n]\s*)((?:import|export)\s[^'";]*?\bfrom\s*|import\s*)(['"])(\.{1,2}\/[^'"]+)\3/g;

const modules = new Map(); // path -> {id, code}
const visiting = new Set();

function addModule(path) {
  if (modules.has(path)) return modules.get(path).id;
  if (visiting.has(path)) throw new Error(`import cycle through ${relative(webDir, path)}`);
  visiting.add(path);
  const source = readFileSync(path, 'utf8');
  const code = source.replace(STATIC_IMPORT, (whole, before, statement, quote, specifier) => {
    const id = addModule(resolve(dirname(path), specifier));
    return `${before}${statement}${quote}\u0000module${id}\u0000${quote}`;
  });
  visiting.delete(path);
  const id = modules.size;
  modules.set(path, { id, code, name: relative(webDir, path) });
  return id;
}

const entry = addModule(join(pageDir, 'main.js'));
// The worker's module, which the page starts by its URL (morluneWorkerUrl)
// rather than importing it.
addModule(join(pageDir, 'background.js'));
const table = [...modules.values()].sort((a, b) => a.id - b.id).map(({ code, name }) => ({ name, code }));
// Inside a script element nothing may read as a closing tag or a comment.
const tableText = JSON.stringify(table).replace(/</g, '\\u003c').replace(/\u2028/g, '\\u2028').replace(/\u2029/g, '\\u2029');

const loader = `
const table = JSON.parse(document.getElementById('morlune-modules').textContent);
const urls = [];
// Modules are stored after those they import, so each one's imports already have their URLs.
table.forEach(({ code }, id) => {
  const linked = code.replace(/\\u0000module(\\d+)\\u0000/g, (_, n) => urls[Number(n)]);
  urls[id] = URL.createObjectURL(new Blob([linked], { type: 'text/javascript' }));
});
// A worker started from a page opened from the disk can load neither blob
// modules nor their imports; data: URLs it can, each holding the data: URLs
// of what it imports. Percent-encoded, the module carrying the .wasm as
// base64 grows by a few hundredths each time it is nested (base64 would add
// a third), which keeps the worker's URL well below the browser's 2 MB.
// They are made only when the page asks for a worker.
const dataUrls = [];
function dataUrlOf(id) {
  if (dataUrls[id] === undefined) {
    const linked = table[id].code.replace(/\\u0000module(\\d+)\\u0000/g, (_, n) => dataUrlOf(Number(n)));
    // Quotes escaped too: the URL stands inside its importer's string literal.
    dataUrls[id] = 'data:text/javascript,' + encodeURIComponent(linked).replace(/'/g, '%27');
  }
  return dataUrls[id];
}
globalThis.morluneWorkerUrl = (name) => {
  const id = table.findIndex((module) => module.name === name);
  return id < 0 ? null : dataUrlOf(id);
};
import(urls[${entry}]);
`;

let html = readFileSync(join(pageDir, 'index.html'), 'utf8');
const css = readFileSync(join(pageDir, 'page.css'), 'utf8');
html = html.replace('<link rel="stylesheet" href="page.css">', () => `<style>\n${css}</style>`);
const scripts =
  `<script type="application/json" id="morlune-modules">${tableText}</script>\n` +
  `<script type="module">${loader}</script>`;
if (!html.includes('<script type="module" src="main.js"></script>')) throw new Error('index.html: no main.js script element');
html = html.replace('<script type="module" src="main.js"></script>', () => scripts);

mkdirSync(dirname(output), { recursive: true });
// Written whole or not at all.
const partial = `${output}.partial`;
writeFileSync(partial, html);
renameSync(partial, output);
console.log(`${output}: ${html.length} bytes, ${table.length} modules`);
