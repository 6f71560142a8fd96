#!/usr/bin/env node
// The reference side of `make fidelity`: headless Chromium shows each page of the corpus at
// the same width as zelmora-render and reports the same measurements (measure-page.js runs
// in every document of the page) plus a screenshot.
//
//   node reference.mjs --pages PAGES.tsv --out DIR [--width 800] [--height 600]
//                      [--shot-limit 4000] [--timeout 30] [--browser chromium]
//
// PAGES.tsv has one page a line: id, tab, absolute file name. For each it writes DIR/id.json
// and DIR/id.png. The browser is driven over the DevTools protocol on a pipe (no port is
// opened) and reaches nothing outside the page's own files: host names resolve to nothing
// and every network address is blocked. A page that hangs or crashes the browser is
// written as failed, the browser is started afresh, and the run goes on.
import { spawn } from 'node:child_process';
import { mkdtempSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const measureScript = readFileSync(join(here, 'measure-page.js'), 'utf8');

function parseArgs(argv) {
  const o = { width: 800, height: 600, shotLimit: 4000, timeout: 30, browser: 'chromium' };
  const names = { '--pages': 'pages', '--out': 'out', '--width': 'width', '--height': 'height',
    '--shot-limit': 'shotLimit', '--timeout': 'timeout', '--browser': 'browser' };
  for (let i = 2; i < argv.length; i += 2) {
    const key = names[argv[i]];
    if (!key || i + 1 >= argv.length) throw new Error(`unknown or incomplete option ${argv[i]}`);
    o[key] = typeof o[key] === 'number' ? Number(argv[i + 1]) : argv[i + 1];
  }
  if (!o.pages || !o.out) throw new Error('--pages and --out are required');
  return o;
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function withTimeout(promise, ms, what) {
  let timer;
  return Promise.race([
    promise,
    new Promise((_, reject) => {
      timer = setTimeout(() => reject(new Error(`${what}: no answer in ${ms / 1000} s`)), ms);
    }),
  ]).finally(() => clearTimeout(timer));
}

class Browser {
  constructor(binary, width, height) {
    this.profile = mkdtempSync(join(tmpdir(), 'zelmora-fidelity-'));
    const flags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${this.profile}`, '--remote-debugging-pipe', '--hide-scrollbars',
      '--host-resolver-rules=MAP * ~NOTFOUND', '--no-default-browser-check', '--mute-audio',
      '--disable-extensions', '--disable-breakpad', '--disable-default-apps',
      '--force-device-scale-factor=1', `--window-size=${width},${height}`, 'about:blank'];
    this.child = spawn(binary, flags, { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
    this.nextId = 1;
    this.pending = new Map();
    this.log = '';
    this.dead = null;
    let buffer = Buffer.alloc(0);
    this.child.stdio[4].on('data', (chunk) => {
      buffer = Buffer.concat([buffer, chunk]);
      for (let end = buffer.indexOf(0); end >= 0; end = buffer.indexOf(0)) {
        const message = JSON.parse(buffer.subarray(0, end).toString('utf8'));
        buffer = buffer.subarray(end + 1);
        this.dispatch(message);
      }
    });
    this.child.stderr.on('data', (d) => { this.log = (this.log + d.toString()).slice(-4000); });
    this.child.stdio[3].on('error', () => {});
    this.child.on('error', (e) => this.fail(`cannot start ${binary}: ${e.message}`));
    this.child.on('exit', (code, signal) => this.fail(`the browser ended (${signal || code})`));
  }

  fail(reason) {
    this.dead = this.dead || reason;
    for (const { reject } of this.pending.values()) reject(new Error(this.dead));
    this.pending.clear();
  }

  dispatch(message) {
    if (message.id === undefined) return; // events: nothing here waits for one
    const call = this.pending.get(message.id);
    if (!call) return;
    this.pending.delete(message.id);
    if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
    else call.resolve(message.result);
  }

  send(method, params = {}, sessionId = undefined) {
    if (this.dead) return Promise.reject(new Error(this.dead));
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.child.stdio[3].write(JSON.stringify(message) + '\0');
    });
  }

  // Ends the browser and removes its profile once it has stopped writing there.
  async close() {
    const ended = this.child.exitCode !== null || this.child.signalCode !== null
      ? Promise.resolve()
      : new Promise((resolve) => this.child.once('exit', resolve));
    this.child.kill('SIGKILL');
    await withTimeout(ended, 10000, 'ending the browser').catch(() => {});
    try {
      rmSync(this.profile, { recursive: true, force: true, maxRetries: 5 });
    } catch (e) {
      process.stderr.write(`reference: cannot remove ${this.profile}: ${e.message}\n`);
    }
  }
}

function framesInOrder(tree, list = []) {
  list.push(tree.frame);
  for (const child of tree.childFrames || []) framesInOrder(child, list);
  return list;
}

async function measure(browser, file, o) {
  const { targetId } = await browser.send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await browser.send('Target.attachToTarget', { targetId, flatten: true });
  const send = (method, params) => browser.send(method, params, sessionId);
  try {
    await send('Page.enable');
    await send('Network.enable');
    await send('Network.setBlockedURLs', { urls: ['http://*', 'https://*', 'ftp://*', 'ws://*', 'wss://*'] });
    await send('Emulation.setDeviceMetricsOverride',
      { width: o.width, height: o.height, deviceScaleFactor: 1, mobile: false });
    const started = Date.now();
    const url = pathToFileURL(file).href;
    const nav = await send('Page.navigate', { url });
    if (nav.errorText) throw new Error(`cannot open the page: ${nav.errorText}`);
    // Loaded when the page itself (not the blank one before it) says so, frames included.
    const state = "document.readyState === 'complete' && location.protocol === 'file:'";
    for (;;) {
      const r = await send('Runtime.evaluate', { expression: state, returnByValue: true });
      if (r.result && r.result.value === true) break;
      await sleep(50);
    }
    await sleep(150); // late pictures and fonts settle
    const loadMs = Date.now() - started;

    const { frameTree } = await send('Page.getFrameTree');
    const documents = [];
    const failures = [];
    const empty = { frameset: false, text: '', links: 0, images: 0, controls: 0, frames: 0, height: 0 };
    for (const frame of framesInOrder(frameTree)) {
      const frameId = frame.id;
      if (documents.length && (frame.unreachableUrl || frame.url.startsWith('chrome-error:'))) {
        // The browser's own page for a missing frame document is none of the page's text.
        failures.push(`cannot show ${frame.unreachableUrl || frame.url}`);
        documents.push(empty);
        continue;
      }
      try {
        const { executionContextId } = await send('Page.createIsolatedWorld',
          { frameId, worldName: 'zelmora-fidelity' });
        const r = await send('Runtime.evaluate',
          { expression: measureScript, contextId: executionContextId, returnByValue: true });
        if (r.exceptionDetails) throw new Error(r.exceptionDetails.text);
        documents.push(r.result.value);
      } catch (e) {
        // A frame the browser could not show (its file is missing, say) shows nothing.
        if (!documents.length) throw new Error(`measuring failed: ${e.message}`);
        failures.push(e.message);
        documents.push(empty);
      }
    }
    const top = documents[0];
    const result = { ok: true, page: file, width: o.width, loadMs, frameset: top.frameset,
      text: '', links: 0, images: 0, controls: 0, frames: 0, height: 0, failures };
    for (const d of documents) {
      result.text += d.text + '\n';
      for (const k of ['links', 'images', 'controls', 'frames']) result[k] += d[k];
      if (top.frameset && !d.frameset) result.height += d.height;
    }
    if (!top.frameset) result.height = top.height;

    const shotHeight = top.frameset ? o.height : Math.min(Math.max(result.height, o.height), o.shotLimit);
    await send('Emulation.setDeviceMetricsOverride',
      { width: o.width, height: shotHeight, deviceScaleFactor: 1, mobile: false });
    await sleep(100);
    const shot = await send('Page.captureScreenshot', { format: 'png' });
    return { result, png: Buffer.from(shot.data, 'base64') };
  } finally {
    await browser.send('Target.closeTarget', { targetId }).catch(() => {});
  }
}

async function main() {
  const o = parseArgs(process.argv);
  mkdirSync(o.out, { recursive: true });
  const pages = readFileSync(o.pages, 'utf8').split('\n').filter((l) => l.trim())
    .map((l) => l.split('\t'));
  let browser = null;
  for (const [id, file] of pages) {
    if (!browser || browser.dead) {
      if (browser) await browser.close();
      browser = new Browser(o.browser, o.width, o.height);
      // Starting is not the page's time: a slow start must not fail the first page.
      await withTimeout(browser.send('Browser.getVersion'), 120000, 'starting the browser')
        .catch(() => {});
    }
    const json = join(o.out, `${id}.json`);
    const png = join(o.out, `${id}.png`);
    try {
      const { result, png: bytes } = await withTimeout(measure(browser, file, o), o.timeout * 1000, id);
      writeFileSync(png, bytes);
      result.shot = png;
      writeFileSync(json, JSON.stringify(result, null, 1));
      process.stderr.write(`reference: ${id} ok\n`);
    } catch (e) {
      const error = browser.dead ? `${e.message}; browser said: ${browser.log.trim().split('\n').pop() || '-'}` : e.message;
      writeFileSync(json, JSON.stringify({ ok: false, page: file, error }, null, 1));
      process.stderr.write(`reference: ${id} FAILED: ${error}\n`);
      // A page that did not answer may have left the browser stuck: start a new one.
      await browser.close();
      browser = null;
    }
  }
  if (browser) await browser.close();
}

main().catch((e) => {
  process.stderr.write(`reference: ${e.message}\n`);
  process.exit(2);
});
