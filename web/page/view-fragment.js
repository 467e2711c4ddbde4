// The address bar's fragment as a shareable view: the text, its style and
// the selected glyph, e.g. #text=Abc&height=40&oblique=15&cp=CP932&glyph=0041.
// Fields left at their defaults are left out.
import { codeText } from './svg-text.js';

/** [fragment key, id of the field that holds it] */
export const VIEW_FIELDS = [
  ['text', 'text-input'],
  ['height', 'text-height'],
  ['width', 'text-width'],
  ['oblique', 'text-oblique'],
  ['cp', 'text-encoding'],
];

/** Writes the fields and the selected code (or null) into the fragment, without a new history entry. */
export function saveView(selectedCode) {
  const params = new URLSearchParams();
  for (const [key, id] of VIEW_FIELDS) {
    const field = document.getElementById(id);
    if (field.value !== field.defaultValue) params.set(key, field.value);
  }
  if (selectedCode !== null) params.set('glyph', codeText(selectedCode));
  const fragment = params.toString();
  history.replaceState(null, '', fragment ? `#${fragment}` : location.pathname + location.search);
}

/** Fills the fields from the fragment; gives the glyph's code it names, or null. */
export function readView() {
  const params = new URLSearchParams(location.hash.slice(1));
  for (const [key, id] of VIEW_FIELDS) {
    const field = document.getElementById(id);
    field.value = params.get(key) ?? field.defaultValue;
  }
  const glyph = params.get('glyph');
  return glyph !== null && /^[0-9A-Fa-f]{1,5}$/.test(glyph) ? parseInt(glyph, 16) : null;
}
