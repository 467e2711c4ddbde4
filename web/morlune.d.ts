// Types of morlune's JavaScript module (morlune.js, and single.js, which
// gives the same API with the .wasm inside it).

export type Variant = 'shapes10' | 'shapes11' | 'bigfont' | 'unifont';
export type Format = 'kqx' | 'kqs' | 'svg' | 'jhf' | 'lff';
export type InterchangeFormat = 'svg' | 'jhf' | 'lff';
export type Bytes = Uint8Array | ArrayBuffer | ArrayBufferView;

/** The library's kinds of refusal, and the module's own ("lossy": a strict export lost something). */
export type ErrorKind =
  | 'notAFont'
  | 'unreadable'
  | 'sourceErrors'
  | 'noSuchCode'
  | 'badArgument'
  | 'encoding'
  | 'lossy';

/** A problem of a source text; line and column count from 1, the column in bytes. */
export interface Diagnostic {
  line: number;
  column: number;
  isError: boolean;
  message: string;
}

export class MorluneError extends Error {
  readonly kind: ErrorKind;
  readonly diagnostics: Diagnostic[];
  /** For kind "lossy": what the format could not carry. */
  readonly losses?: string[];
}

/** Source text with errors: nothing was compiled. */
export class CompileError extends MorluneError {
  readonly kind: 'sourceErrors';
  readonly errors: Diagnostic[];
  readonly warnings: Diagnostic[];
}

export interface Point {
  x: number;
  y: number;
}

export interface LineSegment {
  type: 'line';
  from: Point;
  to: Point;
}

/**
 * A piece of a circle as it lands in the character (at most a half
 * circle): the point at angle t is centre + (axisX cos t + shear axisY
 * sin t, axisY sin t); sweep in degrees, counterclockwise positive.
 */
export interface ArcSegment {
  type: 'arc';
  from: Point;
  to: Point;
  centre: Point;
  axisX: number;
  axisY: number;
  sweep: number;
  shear: number;
}

export type Segment = LineSegment | ArcSegment;

/** Segments drawn one after another without lifting the pen. */
export interface Path {
  start: Point;
  segments: Segment[];
}

export type GlyphWarningKind =
  | 'cutShort'
  | 'zeroScale'
  | 'stackFull'
  | 'stackEmpty'
  | 'noHeight'
  | 'subshapeZero'
  | 'noSuchShape'
  | 'alreadyDrawn'
  | 'tooDeep'
  | 'tooManyItems'
  | 'scaleBound'
  | 'positionBound'
  | 'runSpent'
  | 'fileEnds';

export interface GlyphWarning {
  kind: GlyphWarningKind;
  /** The record concerned: the one cut short, or the subshape's code. */
  code: number;
  count: number;
  /** The words morlune-draw writes after "shape CODE: ". */
  message: string;
}

/** What a glyph draws, in font units: x to the right, y up, origin on the baseline. */
export interface Glyph {
  code: number;
  advance: Point;
  paths: Path[];
  warnings: GlyphWarning[];
  /** The items the glyph took towards the drawing's bound. */
  items: number;
}

/** One record as the decompiler walks it. */
export interface FontRecord {
  readonly code: number;
  /** As stored, without its zero byte. */
  readonly name: Uint8Array;
  /** The name morlune gives the record when it has none stored, or null. */
  readonly defaultName: string | null;
  /** The declared data bytes that the file holds. */
  readonly data: Uint8Array;
}

export interface FontHeader {
  /** The walk met a font-header record. */
  present: boolean;
  height: number;
  depth: number;
  modes: number;
}

export interface EscapeRange {
  first: number;
  last: number;
}

/** How an interchange font was made a shape font. */
export interface ImportReport {
  readonly format: InterchangeFormat;
  readonly variant: Variant;
  readonly heightUnits: number;
  /** In the input's units. */
  readonly tolerance: number;
  /** Measured on the drawing of the compiled font, in the input's units. */
  readonly largestError: number;
  readonly largestErrorCharacter: string;
  readonly glyphs: number;
  readonly charactersLeftOut: number;
  /** The source text as morlune-convert writes it. */
  readonly source: string;
  readonly sourceBytes: Uint8Array;
}

/** A file's bytes as a tool writes them, and what the format could not carry. */
export interface Output {
  readonly bytes: Uint8Array;
  readonly losses: string[];
  /** The bytes read as UTF-8. */
  readonly text: string;
}

export interface CompileOptions {
  /** The variant to write; unset: the text's own, or shapes11. */
  variant?: Variant;
  /** A name equal to the default name of its code is stored empty. */
  dropDefaultNames?: boolean;
  /** A header's count that differs from its numbers' bytes is a warning. */
  takeCounted?: boolean;
}

export interface ImportOptions {
  format?: InterchangeFormat;
  /** A file name whose extension names the format, and whose stem names a font that has no name. */
  fileName?: string;
  /** Font units per capital height, 1 to 255; 0: the smallest within the tolerance. */
  heightUnits?: number;
  /** In the input's units, or "N%" of the capital height (default "1%"). */
  tolerance?: number | string;
  /** shapes11, unifont or bigfont; default shapes11 where every code fits a byte, else unifont. */
  variant?: Exclude<Variant, 'shapes10'>;
  /** The code page of a shapes font's or a bigfont's codes. */
  encoding?: string;
  /** The font's name where the file gives none. */
  name?: string;
}

export interface OpenOptions extends CompileOptions, Omit<ImportOptions, 'format' | 'variant'> {
  /** Unset: from fileName's extension, else recognised from the bytes. */
  format?: Format;
  variant?: Variant;
}

export interface DecompileOptions {
  /** Codes in decimal (morlune -d). */
  decimal?: boolean;
  /** "esc:" names for unnamed two-byte codes (morlune -e). */
  escaped?: boolean;
}

export interface ExportOptions {
  /** The code page of a shapes font's or a bigfont's codes. */
  encoding?: string;
  /** The font's name in the output where its header gives none (default "font"). */
  name?: string;
  /** Any loss throws a MorluneError of kind "lossy". */
  strict?: boolean;
}

export class Font {
  private constructor();
  /** "shapes10", "shapes11", "bigfont" or "unifont". */
  readonly kind: Variant;
  /** The compiled font's bytes (those compiled to, for source text). */
  readonly compiled: Uint8Array;
  readonly header: FontHeader;
  readonly height: number;
  readonly depth: number;
  readonly modes: number;
  readonly escapeRanges: EscapeRange[];
  /** The compiler's warnings, for a font opened from source text. */
  readonly diagnostics: Diagnostic[];
  /** The records in the decompiler's order, the font-header record included. */
  readonly records: readonly FontRecord[];
  /** The number of records. */
  readonly size: number;
  /** For a font made from an SVG font, JHF or LFF; else null. */
  readonly imported: ImportReport | null;
  has(code: number): boolean;
  /** The codes of the shapes (every code but 0, each once), in the walk's order. */
  codes(): Uint32Array;
  /** The source text as morlune writes it, read as UTF-8. */
  decompile(options?: DecompileOptions): string;
  /** The source text exactly as morlune writes it. */
  decompileBytes(options?: DecompileOptions): Uint8Array;
  decompileNotices(options?: DecompileOptions): string[];
  /** The decompiled text compiled back. */
  compileBack(options?: CompileOptions): Uint8Array;
  /** Throws a MorluneError of kind "noSuchCode" when no record has the code. */
  glyph(code: number): Glyph;
  /** The glyph's SVG path data as the listing writes it (font units, y up: flip it to draw). */
  glyphSvgPath(code: number): string;
  /** What morlune-draw --list writes for the whole font. */
  listing(): string;
  /** The font as morlune-convert writes it in a format ("kqs": an import's source, else the decompiled text). */
  exportAs(format: Format, options?: ExportOptions): Output;
  /** Frees the font's memory in the module now. */
  close(): void;
}

export interface LayoutOptions {
  font: Font;
  /** A bigfont for the two-byte codes of a shapes font or unifont. */
  bigfont?: Font | null;
  /** Drawing units per font height above the baseline (default 1). */
  height?: number;
  widthFactor?: number;
  /** Degrees of shear: x += y tan(oblique). */
  oblique?: number;
  /** The code page of byte-coded fonts. */
  encoding?: string;
}

export interface PlacedGlyph {
  code: number;
  fromBigfont: boolean;
  origin: Point;
}

export interface TextLayout {
  glyphs: PlacedGlyph[];
  /** In drawing units. */
  paths: Path[];
  advance: Point;
  bounds: { minX: number; minY: number; maxX: number; maxY: number } | null;
  /** Characters the fonts lack or the code page cannot write, once each. */
  missing: string;
  warnings: string[];
  /** The paths as SVG path data (drawing units, y up). */
  svgPath: string;
}

export type Severity = 'INFO' | 'WARN' | 'FAIL';

export interface Finding {
  /** The stable identifier, e.g. "missing-subshape". */
  id: string;
  severity: Severity;
  /** The record concerned, or null. */
  code: number | null;
  /** Source text: line and column from 1, or null. */
  line: number | null;
  column: number | null;
  text: string;
  /** Coverage: the characters lacked. */
  missing: { first: number; last: number }[];
}

export interface CheckOptions {
  /** How the font is named in the lines and the JSON (default "<stdin>"). */
  label?: string;
  /** "U+XXXX-YYYY", an encoding's name, or a text's characters. */
  coverage?: string | { text: string | Bytes; label?: string } | null;
  /** The code page of the fonts' codes for coverage. */
  encoding?: string;
  failOn?: Severity;
}

export interface CheckReport {
  label: string;
  variant: Variant | null;
  fromSource: boolean;
  /** The input could not be read. */
  error: string | null;
  findings: Finding[];
  /** Something at or above failOn was found. */
  failed: boolean;
  /** What morlune-check writes for this font alone. */
  lines: string;
  /** What morlune-check --json writes for this font alone. */
  json: string;
}

export class Morlune {
  private constructor();
  readonly variants: readonly Variant[];
  readonly formats: readonly Format[];
  openFont(data: Bytes | string, options?: OpenOptions): Font;
  importFont(data: Bytes | string, options?: ImportOptions): Font;
  compile(source: string | Bytes, options?: CompileOptions): { bytes: Uint8Array; warnings: Diagnostic[] };
  layoutText(text: string, options: LayoutOptions): TextLayout;
  check(data: Bytes | string, options?: CheckOptions): CheckReport;
}

export interface LoadOptions {
  /** The .wasm's bytes, where the caller has them. */
  wasmBinary?: ArrayBuffer | Uint8Array;
  /** Where a page serves the .wasm: (fileName, scriptDirectory) => URL. */
  locateFile?: (fileName: string, scriptDirectory: string) => string;
  /** Another build of the raw module. */
  factory?: (settings: object) => Promise<unknown>;
  /** The factory's module carries its .wasm. */
  wasmInside?: boolean;
}

/** Loads the WebAssembly module (once, without options) and gives the API. */
export function loadMorlune(options?: LoadOptions): Promise<Morlune>;

export const variants: readonly Variant[];
export const formats: readonly Format[];
