// morlune with the .wasm inside the module itself (base64): for a page
// served as one file, or wherever the .wasm cannot be fetched beside it.
// The same API as morlune.js.
import factory from './dist/morlune_wasm_single.mjs';
import { loadMorlune as loadWith } from './morlune.js';

export * from './morlune.js';

let loaded = null;

/** Loads the module, whose .wasm it carries, and gives the Morlune API. */
export function loadMorlune() {
  loaded ??= loadWith({ factory, wasmInside: true });
  return loaded;
}
