// Small helpers for writing SVG and HTML as text: numbers short and exact
// enough for the screen, and text escaped.

export const SVG_NS = 'http://www.w3.org/2000/svg';

/** A number with at most six decimals, without trailing zeros or -0. */
export function num(value) {
  const text = (Math.round(value * 1e6) / 1e6).toFixed(6).replace(/\.?0+$/, '');
  return text === '-0' ? '0' : text;
}

export function escapeText(text) {
  return String(text).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

/** A glyph's code as the source text and the tools write it: four hexadecimal digits. */
export function codeText(code) {
  return code.toString(16).toUpperCase().padStart(4, '0');
}
