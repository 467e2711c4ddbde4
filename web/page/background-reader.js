// Hands a font's slow readings (source text, checker) to the worker of
// background.js, and does them on the page's own thread where no worker
// can be had. Only the answers to the latest font are passed on.
import { indexSource } from './source-records.js';

export class BackgroundReader {
  /**
   * morlune: the page's module (for the work done here); the handlers get
   * onSource(index), onFindings(error, findings), onProblem(what, message).
   */
  constructor(morlune, { onSource, onFindings, onProblem }) {
    Object.assign(this, { morlune, onSource, onFindings, onProblem });
    this.worker = null;
    this.failed = false;
    this.job = 0;
    this.current = null;
    this.where = '';
  }

  /** Starts the worker (it loads its own module): at once, so that it is ready when a font comes. */
  start() {
    if (this.worker || this.failed) return this.worker;
    try {
      // The single-file page makes the worker's module a URL of its own.
      const url = globalThis.morluneWorkerUrl?.('page/background.js') ?? new URL('./background.js', import.meta.url).href;
      this.worker = new Worker(url, { type: 'module' });
      this.worker.onmessage = ({ data }) => this.answer(data);
      this.worker.onerror = () => {
        // The worker could not run: the same work is done here instead.
        this.failed = true;
        this.worker = null;
        if (this.current) this.readHere(this.job, this.current);
      };
    } catch {
      this.failed = true;
    }
    return this.worker;
  }

  /** request: {font, compiled, checked, label}: the compiled bytes to decompile, the bytes to check. */
  read(request) {
    this.job += 1;
    this.current = request;
    const worker = this.start();
    if (!worker) {
      this.readHere(this.job, request);
      return;
    }
    const { compiled, checked, label } = request;
    worker.postMessage({ id: this.job, compiled, checked, label });
  }

  readHere(job, { font, checked, label }) {
    this.where = 'page';
    try {
      this.onSource(indexSource(font.decompile()));
    } catch (error) {
      this.onProblem('source', error?.message ?? String(error));
    }
    // The checker after a frame: the names show first.
    setTimeout(() => {
      if (job !== this.job) return;
      try {
        const report = this.morlune.check(checked, { label });
        this.onFindings(report.error, report.findings);
      } catch (error) {
        this.onProblem('check', error?.message ?? String(error));
      }
    }, 0);
  }

  answer(message) {
    if (message.id !== this.job) return;
    this.where = 'worker';
    if (message.kind === 'source') {
      if (message.error !== undefined) this.onProblem('source', message.error);
      else this.onSource(message.index);
    } else if (message.failure !== undefined) {
      this.onProblem('check', message.failure);
    } else {
      this.onFindings(message.error, message.findings);
    }
  }
}
