// The decompiled source text cut into its records, so that a glyph's own
// record (its header line and its bytes) can be shown and its name read
// without walking the font's records one by one. The cut is kept as
// offsets into the one text, which a worker can hand to the page cheaply.

/**
 * {text, codes, nameStart, nameEnd, start, end}: the typed arrays hold, for
 * each record, its code and where its name and its whole text lie. A record
 * starts at a line beginning with "*" and ends before the next empty line;
 * its header is "*CODE,COUNT,NAME" with the code in hexadecimal (a leading
 * 0, as the decompiler writes it). A header record's code word (UNIFONT,
 * BIGFONT) counts as code 0.
 */
export function indexSource(text) {
  const codes = [];
  const nameStart = [];
  const nameEnd = [];
  const start = [];
  const end = [];
  let at = 0;
  let open = false;
  while (at < text.length) {
    let lineEnd = text.indexOf('\n', at);
    if (lineEnd < 0) lineEnd = text.length;
    if (text.charCodeAt(at) === 0x2a /* '*' */) {
      if (open) end.push(at);
      const first = text.indexOf(',', at);
      const second = first < 0 || first > lineEnd ? -1 : text.indexOf(',', first + 1);
      const word = text.slice(at + 1, first < 0 || first > lineEnd ? lineEnd : first).trim();
      codes.push(/^[0-9A-Fa-f]+$/.test(word) ? parseInt(word, 16) : 0);
      const named = second >= 0 && second < lineEnd;
      nameStart.push(named ? second + 1 : lineEnd);
      nameEnd.push(lineEnd);
      start.push(at);
      open = true;
    } else if (open && text.slice(at, lineEnd).trim() === '') {
      end.push(at);
      open = false;
    }
    at = lineEnd + 1;
  }
  if (open) end.push(text.length);
  return {
    text,
    codes: Uint32Array.from(codes),
    nameStart: Uint32Array.from(nameStart),
    nameEnd: Uint32Array.from(nameEnd),
    start: Uint32Array.from(start),
    end: Uint32Array.from(end),
  };
}

/** Look-ups over an index: the first record of each code wins. */
export class SourceRecords {
  constructor(index) {
    this.index = index;
    this.byCode = new Map();
    for (let i = 0; i < index.codes.length; ++i) {
      if (!this.byCode.has(index.codes[i])) this.byCode.set(index.codes[i], i);
    }
  }

  nameOf(code) {
    const i = this.byCode.get(code);
    return i === undefined ? '' : this.index.text.slice(this.index.nameStart[i], this.index.nameEnd[i]);
  }

  /** The record's text without its line ends' trailing carriage returns, or null. */
  recordOf(code) {
    const i = this.byCode.get(code);
    return i === undefined ? null : this.index.text.slice(this.index.start[i], this.index.end[i]).replace(/\s+$/, '');
  }
}
