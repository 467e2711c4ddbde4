// morlune in JavaScript: compiled shape fonts, their source text and the
// interchange formats opened from bytes; records, header values, glyphs as
// plain objects, text set in a style, the listing, the checker's findings
// and every export, over the library built to WebAssembly. Errors are
// MorluneError exceptions carrying the library's message and kind.

const VARIANTS = Object.freeze(['shapes10', 'shapes11', 'bigfont', 'unifont']);
const SHAPE_FORMATS = ['kqx', 'kqs'];
const INTERCHANGE_FORMATS = ['svg', 'jhf', 'lff'];
const FORMATS = Object.freeze([...SHAPE_FORMATS, ...INTERCHANGE_FORMATS]);

const utf8 = new TextDecoder('utf-8');

/** A refusal of the library: `kind` says which, `message` says why. */
export class MorluneError extends Error {
  constructor(message, kind, details = {}) {
    super(message);
    this.name = 'MorluneError';
    this.kind = kind;
    this.diagnostics = details.diagnostics ?? [];
    if (details.losses) this.losses = details.losses;
  }
}

/** Source text with errors: nothing was compiled. */
export class CompileError extends MorluneError {
  constructor(message, diagnostics) {
    super(message, 'sourceErrors', { diagnostics });
    this.name = 'CompileError';
    this.errors = this.diagnostics.filter((d) => d.isError);
    this.warnings = this.diagnostics.filter((d) => !d.isError);
  }
}

function diagnosticOf(raw) {
  return { line: raw.line, column: raw.column, isError: raw.isError, message: raw.message };
}

// The raw module answers {error} where the library refuses.
function unwrap(result) {
  if (result === null || typeof result !== 'object' || typeof result.error !== 'object') return result;
  const { kind, message, diagnostics } = result.error;
  const list = Array.from(diagnostics, diagnosticOf);
  if (kind === 'sourceErrors') throw new CompileError(message, list);
  throw new MorluneError(message, kind, { diagnostics: list });
}

function bytesOf(data, what) {
  if (data instanceof Uint8Array) return data;
  if (data instanceof ArrayBuffer) return new Uint8Array(data);
  if (ArrayBuffer.isView(data)) return new Uint8Array(data.buffer, data.byteOffset, data.byteLength);
  if (typeof data === 'string') return new TextEncoder().encode(data);
  throw new TypeError(`${what} takes bytes (Uint8Array, ArrayBuffer) or a string`);
}

function variantName(variant, what = 'variant') {
  if (variant === undefined || variant === null) return '';
  if (!VARIANTS.includes(variant)) {
    throw new MorluneError(`unknown ${what} '${variant}': give ${VARIANTS.join(', ')}`, 'badArgument');
  }
  return variant;
}

function codeOf(code) {
  if (!Number.isInteger(code) || code < 0 || code > 0xffffffff) {
    throw new MorluneError(`a code is a whole number from 0 to 0xFFFFFFFF, not ${code}`, 'badArgument');
  }
  return code;
}

function formatOfName(fileName) {
  const base = String(fileName).split(/[/\\]/).pop();
  const dot = base.lastIndexOf('.');
  if (dot <= 0) return null;
  const extension = base.slice(dot + 1).toLowerCase();
  return FORMATS.includes(extension) ? extension : null;
}

function baseName(fileName) {
  const base = String(fileName).split(/[/\\]/).pop();
  const dot = base.lastIndexOf('.');
  return dot > 0 ? base.slice(0, dot) : base;
}

// The interchange format that bytes which are no shape font look like:
// XML for an SVG font, "[hex] c" glyph headers for an LFF, a glyph number
// and pair count in fixed columns for a JHF.
function sniffInterchange(bytes) {
  const head = utf8.decode(bytes.subarray(0, 4096)).replace(/^\uFEFF/, '');
  if (/^\s*</.test(head)) return 'svg';
  if (/^\[[0-9A-Fa-f]{1,6}\]/m.test(head)) return 'lff';
  if (/^[ 0-9]{4}[0-9][ 0-9]{2}[0-9]/.test(head)) return 'jhf';
  return null;
}

function point(x, y) {
  return { x, y };
}

// Packed paths (see web/js_values.h) from numbers[at]; returns the paths
// and where the numbers after them start.
function unpackPaths(numbers, at) {
  const paths = new Array(numbers[at++]);
  for (let p = 0; p < paths.length; ++p) {
    const start = point(numbers[at], numbers[at + 1]);
    const segments = new Array(numbers[at + 2]);
    at += 3;
    for (let s = 0; s < segments.length; ++s) {
      const from = point(numbers[at + 1], numbers[at + 2]);
      const to = point(numbers[at + 3], numbers[at + 4]);
      if (numbers[at] === 0) {
        segments[s] = { type: 'line', from, to };
        at += 5;
      } else {
        segments[s] = {
          type: 'arc',
          from,
          to,
          centre: point(numbers[at + 5], numbers[at + 6]),
          axisX: numbers[at + 7],
          axisY: numbers[at + 8],
          sweep: numbers[at + 9],
          shear: numbers[at + 10],
        };
        at += 11;
      }
    }
    paths[p] = { start, segments };
  }
  return { paths, at };
}

// What an export gives: the bytes as written, their text on demand.
function output(bytes, losses = []) {
  return {
    bytes,
    losses,
    get text() {
      return utf8.decode(bytes);
    },
  };
}

/**
 * A compiled shape font opened by Morlune.openFont; it does not change.
 * Its memory in the module is freed by close(), or once the font is
 * collected (the module's handles are shared pointers, which the engine's
 * finalizers release).
 */
export class Font {
  #morlune;
  #raw;
  #bytes;
  #records = null;
  #size = null;

  constructor(morlune, raw, imported = null) {
    this.#morlune = morlune;
    this.#raw = raw;
    this.#bytes = raw.bytes();
    /** How an interchange font was made this shape font, or null. */
    this.imported = imported;
  }

  #handle() {
    if (this.#raw === null) throw new MorluneError('the font is closed', 'badArgument');
    return this.#raw;
  }

  /** Frees the font's memory in the module now rather than when collected. */
  close() {
    if (this.#raw === null) return;
    this.#raw.delete();
    this.#raw = null;
  }

  /** The raw handle, for the module's own functions. */
  get _handle() {
    return this.#handle();
  }

  /** "shapes10", "shapes11", "bigfont" or "unifont". */
  get kind() {
    return this.#handle().kind();
  }

  /** The compiled font's bytes (those compiled to, for source text). */
  get compiled() {
    return this.#bytes.slice();
  }

  /** The font-header record's values (all 0 without one). */
  get header() {
    return this.#handle().header();
  }

  get height() {
    return this.header.height;
  }

  get depth() {
    return this.header.depth;
  }

  get modes() {
    return this.header.modes;
  }

  /** A bigfont's ranges of lead bytes of two-byte codes: [{first, last}]. */
  get escapeRanges() {
    const ends = this.#handle().escapeRanges();
    const ranges = [];
    for (let i = 0; i + 1 < ends.length; i += 2) ranges.push({ first: ends[i], last: ends[i + 1] });
    return ranges;
  }

  /** The compiler's warnings, for a font opened from source text. */
  get diagnostics() {
    return Array.from(this.#handle().diagnostics(), diagnosticOf);
  }

  /**
   * The records in the decompiler's order, the font-header record
   * included: [{code, name, defaultName, data}], name and data as bytes.
   */
  get records() {
    if (this.#records === null) {
      const raw = this.#handle();
      const table = raw.recordTable();
      const names = raw.defaultNames().split('\n');
      const records = new Array(table.length / 6);
      for (let r = 0, n = 0; r < records.length; ++r) {
        const [code, nameAt, nameLength, dataAt, dataLength, hasName] = table.subarray(6 * r, 6 * r + 6);
        records[r] = Object.freeze({
          code,
          name: this.#bytes.slice(nameAt, nameAt + nameLength),
          defaultName: hasName ? names[n++] : null,
          data: this.#bytes.slice(dataAt, dataAt + dataLength),
        });
      }
      this.#records = Object.freeze(records);
    }
    return this.#records;
  }

  /** The number of records, the font-header record included. */
  get size() {
    this.#size ??= this.#handle().recordTable().length / 6;
    return this.#size;
  }

  /** Whether a record has the code. */
  has(code) {
    return this.#handle().indexOf(codeOf(code)) >= 0;
  }

  /** The codes of the shapes (every code but 0, each once), in the walk's order. */
  codes() {
    const table = this.#handle().recordTable();
    const seen = new Set();
    for (let r = 0; r < table.length; r += 6) {
      if (table[r] !== 0) seen.add(table[r]);
    }
    return Uint32Array.from(seen);
  }

  /** The source text exactly as the morlune command writes it, as bytes. */
  decompileBytes({ decimal = false, escaped = false } = {}) {
    return this.#handle().decompile(Boolean(decimal), Boolean(escaped)).bytes;
  }

  /** The source text (its bytes read as UTF-8; see decompileBytes). */
  decompile(options = {}) {
    return utf8.decode(this.decompileBytes(options));
  }

  /** What the morlune command would write on standard error, e.g. "Seek error". */
  decompileNotices({ decimal = false, escaped = false } = {}) {
    return Array.from(this.#handle().decompile(Boolean(decimal), Boolean(escaped)).notices);
  }

  /** The decompiled text compiled back (what morlune | morlune-compile gives). */
  compileBack({ variant, dropDefaultNames = false, takeCounted = false } = {}) {
    const raw = this.#handle();
    return unwrap(raw.compileBack(variantName(variant), Boolean(dropDefaultNames), Boolean(takeCounted))).bytes;
  }

  /**
   * The geometry of the first record with the code, drawn as a character:
   * {code, advance, paths: [{start, segments}], warnings, items}.
   */
  glyph(code) {
    const result = unwrap(this.#handle().glyph(codeOf(code)));
    const numbers = result.geometry;
    return {
      code,
      advance: point(numbers[0], numbers[1]),
      paths: unpackPaths(numbers, 2).paths,
      warnings: Array.from(result.warnings, (w) => ({ kind: w.kind, code: w.code, count: w.count, message: w.message })),
      items: result.items,
    };
  }

  /** The glyph's SVG path data as the listing writes it (font units, y up). */
  glyphSvgPath(code) {
    return unwrap(this.#handle().glyphSvgPath(codeOf(code)));
  }

  /** What morlune-draw --list writes for the whole font. */
  listing() {
    return this.#handle().listing();
  }

  /**
   * The font written in a format of morlune-convert: "svg", "jhf" or
   * "lff" (with what the format could not carry in `losses`), "kqx" (the
   * compiled bytes) or "kqs" (an imported font's source text as the
   * converter writes it, else the decompiled text).
   */
  exportAs(format, { encoding = '', name = 'font', strict = false } = {}) {
    const to = String(format).toLowerCase();
    if (to === 'kqx') return output(this.compiled);
    if (to === 'kqs') return output(this.imported ? this.imported.sourceBytes.slice() : this.decompileBytes());
    if (!INTERCHANGE_FORMATS.includes(to)) {
      throw new MorluneError(`unknown format '${format}': give ${FORMATS.join(', ')}`, 'badArgument');
    }
    const result = unwrap(this.#morlune._raw.exportFont(this.#handle(), to, String(encoding), String(name)));
    const losses = Array.from(result.losses);
    if (strict && losses.length > 0) {
      throw new MorluneError('not written: the format cannot carry everything', 'lossy', { losses });
    }
    return output(result.bytes, losses);
  }

  [Symbol.for('nodejs.util.inspect.custom')]() {
    return this.#raw === null ? 'Font <closed>' : `Font <${this.kind}, ${this.size} records>`;
  }
}

if (typeof Symbol.dispose === 'symbol') {
  Font.prototype[Symbol.dispose] = function dispose() {
    this.close();
  };
}

/** The module once loaded: every function of morlune. */
export class Morlune {
  constructor(raw) {
    this._raw = raw;
  }

  get variants() {
    return VARIANTS;
  }

  get formats() {
    return FORMATS;
  }

  /**
   * A font from bytes: a compiled font, source text (compiled first with
   * variant, dropDefaultNames, takeCounted), or an SVG font, JHF or LFF
   * (made a shape font as morlune-convert does, with heightUnits,
   * tolerance, variant, encoding). format, or fileName's extension, names
   * the format; without either it is recognised from the bytes.
   */
  openFont(data, options = {}) {
    const bytes = bytesOf(data, 'openFont');
    const format = options.format ? String(options.format).toLowerCase() : options.fileName ? formatOfName(options.fileName) : null;
    if (format !== null && !FORMATS.includes(format)) {
      throw new MorluneError(`unknown format '${options.format}': give ${FORMATS.join(', ')}`, 'badArgument');
    }
    if (format !== null && INTERCHANGE_FORMATS.includes(format)) return this.importFont(bytes, { ...options, format });
    const { variant, dropDefaultNames = false, takeCounted = false } = options;
    const result = this._raw.openFont(bytes, variantName(variant), Boolean(dropDefaultNames), Boolean(takeCounted));
    if (format === null && result.error?.kind === 'notAFont') {
      const guess = sniffInterchange(bytes);
      if (guess !== null) return this.importFont(bytes, { ...options, format: guess });
    }
    return new Font(this, unwrap(result).font);
  }

  /**
   * An SVG font, JHF or LFF made a shape font as morlune-convert makes it.
   * tolerance: in the input's units, or a string "N%" of the capital
   * height (default "1%"). The font's `imported` tells how well the grid
   * holds the strokes, and its source text as the converter writes it.
   */
  importFont(data, { format, fileName, heightUnits = 0, tolerance = '1%', variant, encoding = '', name } = {}) {
    const bytes = bytesOf(data, 'importFont');
    const from = String(format ?? (fileName ? formatOfName(fileName) : null) ?? sniffInterchange(bytes) ?? '').toLowerCase();
    if (!INTERCHANGE_FORMATS.includes(from)) {
      throw new MorluneError(`cannot tell the format: give format as ${INTERCHANGE_FORMATS.join(', ')}`, 'badArgument');
    }
    if (variant === 'shapes10') throw new MorluneError("an import writes shapes11, unifont or bigfont", 'badArgument');
    if (!Number.isInteger(heightUnits) || heightUnits < 0 || heightUnits > 255) {
      throw new MorluneError('heightUnits is 1 to 255 (0: the smallest grid within the tolerance)', 'badArgument');
    }
    const share = typeof tolerance === 'string' && tolerance.trim().endsWith('%');
    const amount = share ? Number(tolerance.trim().slice(0, -1)) / 100 : Number(tolerance);
    if (!Number.isFinite(amount) || amount <= 0) {
      throw new MorluneError(`the tolerance is a number above 0, or a share like "1%", not '${tolerance}'`, 'badArgument');
    }
    const fallbackName = name ?? (fileName ? baseName(fileName) : 'font');
    const result = unwrap(
      this._raw.importFont(bytes, from, heightUnits, amount, share, variantName(variant), String(encoding), String(fallbackName)),
    );
    const sourceBytes = result.source;
    const imported = Object.freeze({
      format: from,
      variant: result.variant,
      heightUnits: result.heightUnits,
      tolerance: result.tolerance,
      largestError: result.largestError,
      largestErrorCharacter: result.largestErrorCharacter ? String.fromCodePoint(result.largestErrorCharacter) : '',
      glyphs: result.glyphs,
      charactersLeftOut: result.charactersLeftOut,
      sourceBytes,
      get source() {
        return utf8.decode(sourceBytes);
      },
    });
    return new Font(this, result.font, imported);
  }

  /** Source text (a string, as UTF-8, or bytes) compiled: {bytes, warnings}. */
  compile(source, { variant, dropDefaultNames = false, takeCounted = false } = {}) {
    const text = typeof source === 'string' ? source : bytesOf(source, 'compile');
    const result = unwrap(this._raw.compile(text, variantName(variant), Boolean(dropDefaultNames), Boolean(takeCounted)));
    return { bytes: result.bytes, warnings: Array.from(result.warnings, diagnosticOf) };
  }

  /**
   * Text set in a style as drafting programs set it, in drawing units:
   * {glyphs, paths, advance, bounds, missing, warnings, svgPath}.
   */
  layoutText(text, { font, bigfont = null, height = 1, widthFactor = 1, oblique = 0, encoding = '' } = {}) {
    if (!(font instanceof Font)) throw new TypeError('layoutText takes the font as { font }');
    if (bigfont !== null && !(bigfont instanceof Font)) throw new TypeError('bigfont is a Font or null');
    const result = unwrap(
      this._raw.layoutText(
        String(text),
        font._handle,
        bigfont === null ? null : bigfont._handle,
        Number(height),
        Number(widthFactor),
        Number(oblique),
        String(encoding),
      ),
    );
    const placed = result.glyphs;
    const glyphs = [];
    for (let i = 0; i < placed.length; i += 4) {
      glyphs.push({ code: placed[i], fromBigfont: placed[i + 1] === 1, origin: point(placed[i + 2], placed[i + 3]) });
    }
    const numbers = result.geometry;
    return {
      glyphs,
      paths: unpackPaths(numbers, 7).paths,
      advance: point(numbers[0], numbers[1]),
      bounds: numbers[2] === 1 ? null : { minX: numbers[3], minY: numbers[4], maxX: numbers[5], maxY: numbers[6] },
      missing: Array.from(result.missing, (c) => String.fromCodePoint(c)).join(''),
      warnings: Array.from(result.warnings),
      svgPath: result.svgPath,
    };
  }

  /**
   * A font (compiled or source text) checked as morlune-check checks it.
   * coverage: "U+XXXX-YYYY", an encoding's name, or {text, label}.
   * The report's `lines` and `json` are what the tool writes for it alone.
   */
  check(data, { label = '<stdin>', coverage = null, encoding = '', failOn = 'FAIL' } = {}) {
    const bytes = bytesOf(data, 'check');
    let kind = '';
    let set = '';
    let setLabel = '';
    if (coverage !== null && typeof coverage === 'object') {
      kind = 'text';
      set = typeof coverage.text === 'string' ? coverage.text : bytesOf(coverage.text, 'coverage');
      setLabel = String(coverage.label ?? 'text');
    } else if (coverage !== null) {
      set = String(coverage);
      kind = /^[Uu]\+/.test(set) ? 'range' : 'encoding';
    }
    const result = unwrap(
      this._raw.checkFont(bytes, String(label), kind, set, setLabel, String(encoding), String(failOn).toUpperCase()),
    );
    const findings = Array.from(result.findings, (f) => {
      const missing = [];
      for (let i = 0; i + 1 < f.missing.length; i += 2) missing.push({ first: f.missing[i], last: f.missing[i + 1] });
      return { id: f.id, severity: f.severity, code: f.code, line: f.line, column: f.column, text: f.text, missing };
    });
    return {
      label: String(label),
      variant: result.variant || null,
      fromSource: result.fromSource,
      error: result.readError || null,
      findings,
      failed: result.failed,
      lines: utf8.decode(result.lines),
      json: utf8.decode(result.json),
    };
  }
}

const isNode = typeof process === 'object' && typeof process.versions === 'object' && Boolean(process.versions.node);

// Node's fetch reads no file: URL, so in Node the .wasm beside this module
// is read from the disk. The module is reached without an import statement,
// which a bundler for the web would try to resolve.
async function readBeside(fileName) {
  const url = new URL(fileName, import.meta.url);
  const fs = process.getBuiltinModule?.('node:fs') ?? (await import(['node', 'fs'].join(':')));
  return fs.promises.readFile(url);
}

let defaultLoad = null;

/**
 * Loads the WebAssembly module and gives the Morlune API. options:
 * wasmBinary (the .wasm's bytes), locateFile (where a page serves the
 * .wasm), factory (another build of the raw module, e.g. the single-file
 * one, with wasmInside: true).
 */
export function loadMorlune(options = {}) {
  const plain = Object.keys(options).length === 0;
  if (plain && defaultLoad !== null) return defaultLoad;
  const loading = (async () => {
    const factory = options.factory ?? (await import('./dist/morlune_wasm.mjs')).default;
    const settings = {};
    if (options.locateFile) settings.locateFile = options.locateFile;
    if (options.wasmBinary) {
      settings.wasmBinary = options.wasmBinary;
    } else if (isNode && !options.wasmInside && !options.locateFile) {
      settings.wasmBinary = await readBeside('./dist/morlune_wasm.wasm');
    }
    return new Morlune(await factory(settings));
  })();
  if (plain) defaultLoad = loading;
  return loading;
}

export { VARIANTS as variants, FORMATS as formats };
