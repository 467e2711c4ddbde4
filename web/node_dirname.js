// Put before the generated loader, at the top of the ES module: in Node the
// loader takes its folder from __dirname, which an ES module does not have.
// The folder of this module stands in for it; morlune.js hands the loader
// the .wasm's bytes itself, so the loader reads no file from it.
var __dirname = typeof process == 'object' && typeof process.versions == 'object' && process.versions.node
  ? decodeURIComponent(new URL('.', import.meta.url).pathname) : '';
